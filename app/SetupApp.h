#pragma once

#include "RadioLinks.h"

namespace radiosetup {

// The application: the splash for a second, then the main window until it closes, on
// the links it is given (SerialLinks in the program).
class CSetupApp {
public:
    explicit CSetupApp(const RadioLinks& links) : m_links(links) {}

    // The whole run; returns false, after which the program ends.
    bool InitInstance();

private:
    RadioLinks m_links;
};

}  // namespace radiosetup
