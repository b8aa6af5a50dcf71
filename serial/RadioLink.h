#pragma once

#include <cstdint>

namespace radiosetup {

// The byte link to the radio as the conversation uses it: the PC serial port in the
// program, a scripted far end in tests. No call waits for the far end.
class IRadioLink {
public:
    virtual ~IRadioLink() = default;
    // Hands length bytes to the link; returns length, or 0 when closed or length <= 0.
    virtual int Send(const std::uint8_t* bytes, int length) = 0;
    // Bytes that have arrived and wait to be read.
    virtual int PendingInput() = 0;
    // Takes at most limit of the bytes that have arrived.
    virtual int Read(std::uint8_t* buffer, int limit) = 0;
};

}  // namespace radiosetup
