#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RadioLinks.h"
#include "TestNamespaces.h"

enum class RadioManner { Answering, Silent };

// A fresh simulated radio at 9600 bit/s without parity as PC port 1 (or 12, a port a USB
// adapter would have), with the stored PC settings of a first run and an empty working
// folder (for the channel file), for one test. On Linux the radio and the PC's ports are
// simulated in virtual time (RunUntil runs the windows' timers on its clock); on Windows
// the radio the run keeps on the Linux side for COM1 or COM12, started anew, on the
// program's real serial links.
class CRadioOnPort {
public:
    explicit CRadioOnPort(RadioManner manner = RadioManner::Answering, int portNumber = 1);
    ~CRadioOnPort();
    CRadioOnPort(const CRadioOnPort&) = delete;
    CRadioOnPort& operator=(const CRadioOnPort&) = delete;

    // What the application gives the windows, reaching this radio.
    RadioLinks Links();
    // The frames the radio received since this object was made, as hex ("55 AA CC ...").
    std::vector<std::string> Frames() const;

private:
    struct Backend;
    std::unique_ptr<Backend> m_pBackend;
};
