#pragma once

#include <cstdint>

namespace radiosetup {

// Numbers the whole conversation shares.

// The radio's channels are numbered from 1 to this.
constexpr int kRadioChannels = 100;

// The radio's answer to a parameter query: 131 bytes without header, checksum first.
constexpr int kParameterBlockSize = 131;
// An acknowledgement: 55 AA and a status.
constexpr int kAckBytes = 3;
// The answer to a channel query: ten channels of four bytes.
constexpr int kChannelBlockBytes = 40;
constexpr int kChannelsPerBlock = 10;

// Frequencies in 100 Hz units as the operator types them: 100 to 600 MHz.
constexpr std::int32_t kLowestFrequency = 1000000;
constexpr std::int32_t kHighestFrequency = 6000000;
constexpr const char* kFrequencyRangeMessage = "请输入1000000至6000000之间的数值";

// Channel words of the link: frequency / 125, receive lowered by 214000 first.
constexpr std::uint32_t kRxFrequencyOffset = 214000;
constexpr std::uint32_t kChannelStep = 125;

// How long a request may stay unanswered, in the main window and the radio-port dialog.
constexpr int kReplyBudgetMs = 2500;

}  // namespace radiosetup
