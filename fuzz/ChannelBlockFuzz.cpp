// Any bytes as the radio's answer to a channel query: the first byte picks how many of the
// ten entries are asked for, the next 40 are the block.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ChannelBlock.h"
#include "RadioLimits.h"

using namespace radiosetup;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < static_cast<std::size_t>(1 + kChannelBlockBytes)) {
        return 0;
    }
    const int count = 1 + data[0] % kChannelsPerBlock;
    // A copy of exactly the block's size, so that a read past it is caught.
    const std::vector<std::uint8_t> block(data + 1, data + 1 + kChannelBlockBytes);
    const std::vector<ChannelFreqPair> entries = DecodeChannelBlock(block.data(), count);
    if (entries.size() != static_cast<std::size_t>(count)) {
        std::abort();
    }
    for (const ChannelFreqPair& entry : entries) {
        if (entry.txFreq % kChannelStep != 0 ||
            (entry.rxFreq - kRxFrequencyOffset) % kChannelStep != 0) {
            std::abort();
        }
    }
    return 0;
}
