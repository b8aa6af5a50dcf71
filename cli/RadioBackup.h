#pragma once

#include <array>
#include <cstdint>

#include "ChannelFreqPair.h"
#include "RadioLimits.h"

namespace radiosetup {

// What a backup keeps of a radio: the parameters it reports and its 100 channels. The
// radio reports neither its work mode nor its relay, so a backup cannot hold them.
// Frequencies in the radio's 100 Hz units, as everywhere in the program.
struct RadioBackup {
    std::int32_t rxFrequency = 0;  // of the current channel
    std::int32_t txFrequency = 0;
    std::int32_t ani = 0;             // 0 to 16777215
    std::int32_t channelTotal = 0;    // 1 to 100
    std::int32_t currentChannel = 0;  // 1 to 100
    std::int32_t txTimeLimit = 0;     // seconds, 0 to 255
    std::int32_t rxChannelGain = 0;   // 1 to 16
    std::int32_t rxVoiceGain = 0;     // 1 to 8
    std::int32_t txChannelGain = 0;   // 1 to 16
    std::int32_t txVoiceGain = 0;     // 1 to 16
    bool addressing = false;
    bool transparent = false;
    bool errorCorrection = false;  // the 2400 setting; 1200 is none
    bool encryption = false;
    bool compander = false;
    bool preEmphasis = false;
    std::array<ChannelFreqPair, kRadioChannels> channels{};  // channel n at index n - 1
};

}  // namespace radiosetup
