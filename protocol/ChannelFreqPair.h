#pragma once

#include <cstdint>

namespace radiosetup {

// One channel's receive and transmit frequency in units of 100 Hz: the staging entry
// of the multi-channel dialog and the record of the channel file.
struct ChannelFreqPair {
    std::int32_t rxFreq = 0;
    std::int32_t txFreq = 0;
};

}  // namespace radiosetup
