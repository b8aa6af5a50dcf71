#include "SimRadio.h"

namespace radiosim {

namespace {

constexpr std::size_t kParameterBlockSize = 131;
constexpr std::size_t kChecksumEnd = 128;  // bytes 2..127 are summed
constexpr int kBlockChannels = 24;         // entries that fit into the parameter block
constexpr std::size_t kChannelEntriesAt = 32;
constexpr int kChannelBlockEntries = 10;
constexpr std::uint32_t kFactoryFirstChannel = 2290000;
constexpr std::uint32_t kFactoryOtherChannels = 2300000;
constexpr std::uint32_t kReceiveOffset = 214000;
constexpr std::uint32_t kStep = 125;

void PutLittleEndian16(std::vector<std::uint8_t>& block, std::size_t at, std::uint16_t value) {
    block[at] = static_cast<std::uint8_t>(value & 0xFF);
    block[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint8_t LevelBits(std::uint8_t level) {
    return static_cast<std::uint8_t>((level - 1) & 0x0F);
}

std::uint8_t FlagBit(bool flag, int bit) {
    return static_cast<std::uint8_t>(flag ? 1 << bit : 0);
}

}  // namespace

SimRadioState::SimRadioState() {
    txWord.fill(TxWordOf(kFactoryOtherChannels));
    rxWord.fill(RxWordOf(kFactoryOtherChannels));
    txWord[0] = TxWordOf(kFactoryFirstChannel);
    rxWord[0] = RxWordOf(kFactoryFirstChannel);
}

std::uint16_t SimRadioState::TxWordOf(std::uint32_t frequency) {
    return static_cast<std::uint16_t>(frequency / kStep);
}

std::uint16_t SimRadioState::RxWordOf(std::uint32_t frequency) {
    return static_cast<std::uint16_t>((frequency - kReceiveOffset) / kStep);
}

std::vector<std::uint8_t> BuildParameterBlock(const SimRadioState& state) {
    std::vector<std::uint8_t> block(kParameterBlockSize, 0);
    block[2] = static_cast<std::uint8_t>(state.ani & 0xFF);
    block[3] = static_cast<std::uint8_t>((state.ani >> 8) & 0xFF);
    block[4] = static_cast<std::uint8_t>((state.ani >> 16) & 0xFF);
    block[6] = state.channelTotal;
    block[7] = static_cast<std::uint8_t>(state.currentChannel - 1);
    block[8] = state.txTimeLimit;
    block[9] = state.transparent ? 1 : 0;
    block[10] = FlagBit(state.encryption, 3);
    block[12] = static_cast<std::uint8_t>(0xF0 | LevelBits(state.rxVoiceGain));
    block[14] = static_cast<std::uint8_t>(LevelBits(state.txChannelGain) << 4 |
                                          LevelBits(state.txVoiceGain));
    block[16] = static_cast<std::uint8_t>(
        FlagBit(state.compander, 7) | FlagBit(state.preEmphasis, 6) | FlagBit(!state.eccUsed, 5) |
        FlagBit(state.encryption, 4) | LevelBits(state.rxChannelGain));
    block[22] = state.addressing;
    for (int n = 0; n < kBlockChannels; ++n) {
        const std::size_t entry = kChannelEntriesAt + 4 * static_cast<std::size_t>(n);
        PutLittleEndian16(block, entry, state.txWord[n]);
        PutLittleEndian16(block, entry + 2, state.rxWord[n]);
    }
    PutLittleEndian16(block, 0, ParameterBlockChecksum(block));
    return block;
}

std::vector<std::uint8_t> BuildChannelBlock(const SimRadioState& state, int firstChannelIndex) {
    std::vector<std::uint8_t> block(4 * kChannelBlockEntries, 0);
    for (int i = 0; i < kChannelBlockEntries; ++i) {
        const int channel = firstChannelIndex + i;
        if (channel < 0 || channel >= SimRadioState::kChannels) {
            continue;
        }
        const std::size_t entry = 4 * static_cast<std::size_t>(i);
        PutLittleEndian16(block, entry, state.txWord[channel]);
        PutLittleEndian16(block, entry + 2, state.rxWord[channel]);
    }
    return block;
}

std::uint16_t ParameterBlockChecksum(const std::vector<std::uint8_t>& block) {
    std::uint32_t sum = 0;
    for (std::size_t at = 2; at + 1 < kChecksumEnd && at + 1 < block.size(); at += 2) {
        sum += static_cast<std::uint32_t>(block[at] << 8 | block[at + 1]);
    }
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

}  // namespace radiosim
