#pragma once

#include <string>

#include "TestNamespaces.h"
#include "TestSupport.h"

// A machine of the test's own under a device root (RADIOSETUP_DEVICE_ROOT, for the
// object's lifetime): /sys/class/tty entries as the kernel shows them, and /dev nodes
// that are links to devices the test owns (pseudo-terminals), with by-id links for USB.
class CDeviceMachine {
public:
    CDeviceMachine();

    struct Usb {
        std::string manufacturer;
        std::string product;
        std::string serial;
    };
    // A USB serial adapter or ACM device (tty "ttyUSB0", "ttyACM0") leading to target;
    // returns its /dev/serial/by-id link.
    std::string PlugUsb(const std::string& tty, const std::string& target, const Usb& usb);
    // A built-in 8250 port: with a UART its type is known, without one it is 0.
    void AddUart(const std::string& tty, const std::string& target, bool hasUart);
    // The adapter goes: its tty entry, node and by-id link.
    void Unplug(const std::string& tty);

    // The device path of a tty as the program names it: <root>/dev/<tty>.
    std::string Dev(const std::string& tty) const;

private:
    void AddNode(const std::string& tty, const std::string& target) const;
    std::string UsbDevice(const std::string& tty) const;

    CTempDir m_root;
    CScopedEnv m_env;
};
