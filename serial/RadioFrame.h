#pragma once

#include <array>
#include <cstdint>

namespace radiosetup {

class IClock;
class IRadioLink;

// Request frame: 55 AA, five payload bytes, XOR of the payload.
using RadioPayload = std::array<std::uint8_t, 5>;
using RadioFrame = std::array<std::uint8_t, 8>;

constexpr std::uint8_t kFrameHeader0 = 0x55;
constexpr std::uint8_t kFrameHeader1 = 0xAA;
constexpr int kDrainLimit = 1024;
constexpr int kPreSendPauseMs = 40;

RadioFrame BuildRadioFrame(const RadioPayload& payload);

// Discards one read of stale input (at most 1024 bytes), pauses 40 ms, writes the
// frame. Returns the bytes handed to the link: 8, or 0 when it is closed.
int SendRadioFrame(IRadioLink& link, IClock& clock, const RadioPayload& payload);

// True only for exactly three bytes 55 AA with status 00, 11 or 22.
bool IsAckReply(int count, const std::uint8_t* bytes);

}  // namespace radiosetup
