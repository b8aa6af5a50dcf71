#include "ParameterBlock.h"

#include <string>

#include "CommandSet.h"

namespace radiosetup {

namespace {

constexpr int kChecksumFirstByte = 2;
constexpr int kChecksumEndByte = 128;
constexpr std::uint32_t kRxWordBase = kRxFrequencyOffset / kChannelStep;  // 1712

std::uint16_t LittleEndianWord(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

// Every field the set keeps in a byte fits one.
std::uint8_t ByteField(const std::uint8_t* block, BlockField field) {
    return static_cast<std::uint8_t>(ReadField(block, field));
}

// The block counts channels and levels from 0.
std::uint8_t CountedFromOne(const std::uint8_t* block, BlockField field) {
    return static_cast<std::uint8_t>(ReadField(block, field) + 1);
}

void DecodeCurrentChannelFrequencies(const std::uint8_t* block, CParameterSet& params) {
    const int index = ByteField(block, BlockAt::kCurrentChannelIndex);
    // Entries past the 24th would lie beyond the block: keep what is shown.
    if (index >= kBlockChannelEntries) {
        return;
    }
    const std::uint8_t* entry = block + BlockAt::kChannelEntries + 4 * index;
    params.m_nTxFrequency = LittleEndianWord(entry) * kChannelStep;
    params.m_nRxFrequency = (LittleEndianWord(entry + 2) + kRxWordBase) * kChannelStep;
    params.m_strTxFrequency = std::to_string(params.m_nTxFrequency);
    params.m_strRxFrequency = std::to_string(params.m_nRxFrequency);
}

}  // namespace

unsigned ReadField(const std::uint8_t* block, BlockField field) {
    unsigned value = block[field.offset];
    if (field.mask > 0xFF) {
        value |= block[field.offset + 1] << 8u;
    }
    value &= field.mask;
    for (unsigned mask = field.mask; (mask & 1u) == 0; mask >>= 1u) {
        value >>= 1u;
    }
    return value;
}

std::uint16_t ParameterBlockChecksum(const std::uint8_t* block) {
    unsigned sum = 0;
    for (int i = kChecksumFirstByte; i < kChecksumEndByte; i += 2) {
        sum += (block[i] << 8) | block[i + 1];
    }
    return static_cast<std::uint16_t>(sum);
}

bool HasValidChecksum(const std::uint8_t* block) {
    const std::uint16_t sum = ParameterBlockChecksum(block);
    return block[0] == (sum & 0xFF) && block[1] == (sum >> 8);
}

void DecodeParameterBlock(const std::uint8_t* block, CParameterSet& params) {
    params.m_strAni = std::to_string(ReadField(block, BlockAt::kAni));
    params.m_nChannelTotal = ByteField(block, BlockAt::kChannelTotal);
    params.m_strChannelTotal = std::to_string(params.m_nChannelTotal);
    params.m_nCurrentChannel = CountedFromOne(block, BlockAt::kCurrentChannelIndex);
    params.m_nTxTimeLimit = ByteField(block, BlockAt::kTxTimeLimit);
    params.m_strTxTimeLimit = std::to_string(params.m_nTxTimeLimit);
    DecodeCurrentChannelFrequencies(block, params);
    params.m_nEccSetting =
        ReadField(block, BlockAt::kNoErrorCorrection) != 0 ? kEccNotUsed : kEccUsed;
    params.m_bTransparent = ByteField(block, BlockAt::kTransparent);
    params.m_bEncryption = ByteField(block, BlockAt::kEncryption);
    params.m_bCompander = ByteField(block, BlockAt::kCompander);
    params.m_bPreEmphasis = ByteField(block, BlockAt::kPreEmphasis);
    params.m_bAddressing = ByteField(block, BlockAt::kAddressing);
    params.m_nRxChannelGain = CountedFromOne(block, BlockAt::kRxChannelGain);
    params.m_nRxVoiceGain = CountedFromOne(block, BlockAt::kRxVoiceGain);
    params.m_nTxChannelGain = CountedFromOne(block, BlockAt::kTxChannelGain);
    params.m_nTxVoiceGain = CountedFromOne(block, BlockAt::kTxVoiceGain);
    params.m_bDataMode = 1;
    params.m_bRelayOn = 0;
    params.m_bRxEndRelay = 0;
}

}  // namespace radiosetup
