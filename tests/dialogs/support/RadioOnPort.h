#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TestNamespaces.h"

enum class RadioManner { Answering, Silent };

// A fresh simulated radio at 9600 bit/s without parity as PC port 1 (or 12, a port a USB
// adapter would have), with the stored PC settings of a first run and an empty working
// folder (for the channel file), for one test. On Linux a radio of the test's own on a
// pseudo-terminal; on Windows the radio the run keeps on the Linux side for COM1 or
// COM12, started anew.
class CRadioOnPort {
public:
    explicit CRadioOnPort(RadioManner manner = RadioManner::Answering, int portNumber = 1);
    ~CRadioOnPort();
    CRadioOnPort(const CRadioOnPort&) = delete;
    CRadioOnPort& operator=(const CRadioOnPort&) = delete;

    // The frames the radio received since this object was made, as hex ("55 AA CC ...").
    std::vector<std::string> Frames() const;

private:
    struct Backend;
    std::unique_ptr<Backend> m_pBackend;
};
