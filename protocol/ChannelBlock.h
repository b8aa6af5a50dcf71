#pragma once

#include <cstdint>
#include <vector>

#include "ChannelFreqPair.h"

namespace radiosetup {

// The radio's answer to a channel query, 40 bytes: entry i (four bytes) is channel
// start + i, its transmit word, then its receive word, both little-endian.
//
//   offset  0      2      4      6     ...  36     38
//           tx[0]  rx[0]  tx[1]  rx[1] ...  tx[9]  rx[9]
//
// The first count entries as frequencies (count 1 to 10).
std::vector<ChannelFreqPair> DecodeChannelBlock(const std::uint8_t* block, int count);

}  // namespace radiosetup
