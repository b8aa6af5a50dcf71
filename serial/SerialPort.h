#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "PcPort.h"

namespace radiosetup {

class CSerialDevice;

// The PC serial port. Every call is synchronous to its caller: writes wait for each
// byte within a fixed bound, reads take only bytes that have already arrived.
// No call reports an error text; failures show as false, 0 or short replies, and
// Failure() tells their cause.
class CSerialPort final : public IPcPort {
public:
    CSerialPort();
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    bool Open(int portNumber, int baudRate, int parity) override;
    // The same for a device named by its path (on Windows \\.\COMn).
    bool OpenDevice(const std::string& devicePath, int baudRate, int parity);
    bool Close() override;
    bool WriteByte(std::uint8_t value);
    // Returns length when the port is open and length > 0, else 0.
    int Send(const std::uint8_t* bytes, int length) override;
    int PendingInput() override;
    // Never waits for data: takes at most limit of the bytes already queued.
    int Read(std::uint8_t* buffer, int limit) override;
    bool IsOpen() const override { return m_pDevice != nullptr; }
    std::optional<PortFailure> Failure() const override;
    // For a signal handler that ends the process at once: every open port's exclusive
    // use and lock file are given up. Async-signal-safe; closes nothing.
    static void ReleaseAllForExit();

private:
    std::unique_ptr<CSerialDevice> m_pDevice;  // null while closed
    std::string m_strDevicePath;               // of the last Open
    std::optional<PortFailure> m_openFailure;
};

}  // namespace radiosetup
