#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "TestNamespaces.h"

// The PC end of the radio's pseudo-terminal, driven with plain termios calls the way
// a serial port is set up: raw, the rate, and parity through PARENB/PARODD/INPCK.
class CPcLine {
public:
    CPcLine() = default;
    ~CPcLine();
    CPcLine(const CPcLine&) = delete;
    CPcLine& operator=(const CPcLine&) = delete;

    // parity: 0 none, 1 odd, 2 even. Stale input is flushed, as on a fresh port.
    bool Open(const std::string& path, int baudRate, int parity);
    void Close();

    // Writes 55 AA, the payload and its XOR.
    void SendFrame(const std::array<std::uint8_t, 5>& payload);
    void Write(const std::vector<std::uint8_t>& bytes);
    // Collects bytes until count have come or the time is up.
    std::vector<std::uint8_t> ReadUpTo(std::size_t count, std::chrono::milliseconds timeout);
    // Collects whatever comes within the time.
    std::vector<std::uint8_t> ReadFor(std::chrono::milliseconds duration);
    // Sends the frame and collects the reply of the expected length.
    std::vector<std::uint8_t> Exchange(const std::array<std::uint8_t, 5>& payload,
                                       std::size_t replySize);
    // True when the device reports a hang-up or an I/O error within the time.
    bool SeesHangUp(std::chrono::milliseconds timeout);

private:
    int m_nFd = -1;
};

std::array<std::uint8_t, 8> FrameOf(const std::array<std::uint8_t, 5>& payload);
