#pragma once

#include <memory>

namespace radiosetup {

// While it lives, SIGINT, SIGTERM and SIGHUP (Windows: the console's Ctrl-C, Ctrl-Break
// and closing) close the open windows as their close boxes would, so that the window
// releases its port as on any other end. A backend per platform.
class CCloseOnSignals {
public:
    CCloseOnSignals();
    ~CCloseOnSignals();
    CCloseOnSignals(const CCloseOnSignals&) = delete;
    CCloseOnSignals& operator=(const CCloseOnSignals&) = delete;

    // Whether a signal asked the program to end; no further window should open.
    static bool Requested();

private:
    struct Watch;
    std::unique_ptr<Watch> m_pWatch;
};

}  // namespace radiosetup
