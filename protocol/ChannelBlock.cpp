#include "ChannelBlock.h"

#include "RadioLimits.h"

namespace radiosetup {

namespace {

constexpr int kEntryBytes = 4;
constexpr int kRxWordOffset = 2;

std::uint16_t LittleEndianWord(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8u);
}

}  // namespace

std::vector<ChannelFreqPair> DecodeChannelBlock(const std::uint8_t* block, int count) {
    std::vector<ChannelFreqPair> entries(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        const std::uint8_t* entry = block + kEntryBytes * row;
        ChannelFreqPair& pair = entries[static_cast<std::size_t>(row)];
        pair.txFreq = static_cast<std::int32_t>(LittleEndianWord(entry) * kChannelStep);
        pair.rxFreq = static_cast<std::int32_t>(
            LittleEndianWord(entry + kRxWordOffset) * kChannelStep + kRxFrequencyOffset);
    }
    return entries;
}

}  // namespace radiosetup
