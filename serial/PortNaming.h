#pragma once

#include <string>
#include <vector>

#include "SerialPortInfo.h"

namespace radiosetup {

// Ports are known by number, as on Windows. A backend per platform: Windows names
// COMn; elsewhere the settings file's [Ports] line COMn=PATH names it, else the
// built-in UART /dev/ttyS<n-1>, and adapters get numbers of their own once.

// The device that PC port number n stands for.
std::string PortDevicePath(int portNumber);

// Gives each present adapter without a number the lowest free one and keeps it in the
// settings file (Windows gives COM numbers itself). Numbers already given stay, also
// for adapters that are unplugged.
void NumberNewAdapters();

struct NumberedPort {
    int number = 0;  // 0: the port has no number
    SerialPortInfo port;
};

// Every numbered port (an absent one with state Absent) and every other present port,
// by number; ports without a number last.
std::vector<NumberedPort> ListPorts();

// The numbers of the ports that are there now, ascending.
std::vector<int> PresentPortNumbers();

// Gives the device the number by hand (and no other number). False with the reason
// when that cannot be done here.
bool AssignPortNumber(int portNumber, const std::string& devicePath, std::string& reason);

}  // namespace radiosetup
