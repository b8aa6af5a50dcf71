#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "PortFailure.h"

namespace radiosetup {

// One opened serial device: the platform backend behind CSerialPort.
// Implemented once per platform (posix/, win32/).
class CSerialDevice {
public:
    // Opens the device exclusively with 8 data bits and the given rate and parity
    // (0 none, 1 odd, 2 even), input queue empty. Null on any failure, with its cause.
    static std::unique_ptr<CSerialDevice> Open(const std::string& devicePath, int baudRate,
                                               int parity, PortFailure& failure);

    CSerialDevice(const CSerialDevice&) = delete;
    CSerialDevice& operator=(const CSerialDevice&) = delete;
    ~CSerialDevice();

    // Writes one byte, waiting at most 1000 ms; a failed or late byte is dropped silently.
    void WriteByte(std::uint8_t value);
    // Bytes waiting in the input queue; 0 for a vanished device. Clears line errors.
    int QueuedInput();
    // Reads up to count already-queued bytes; returns how many were read (0 on error).
    int ReadQueued(std::uint8_t* buffer, int count);
    // Whether the device has gone away (unplugged, far end closed) since it opened.
    bool HasVanished() const;
    // Gives up every open device's claims that outlive the process (exclusive use, lock
    // file) without closing anything; async-signal-safe, for a process about to _exit.
    static void ReleaseAllForExit();

private:
    struct Handles;  // what the platform holds for an open device
    explicit CSerialDevice(std::unique_ptr<Handles> handles);
    std::unique_ptr<Handles> m_pHandles;
};

}  // namespace radiosetup
