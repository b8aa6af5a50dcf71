#include "ParameterBlock.h"

#include <string>

#include "CommandSet.h"

namespace radiosetup {

namespace {

constexpr int kChecksumFirstByte = 2;
constexpr int kChecksumEndByte = 128;
constexpr int kChannelEntriesOffset = 32;
constexpr std::uint32_t kRxWordBase = kRxFrequencyOffset / kChannelStep;  // 1712

std::uint16_t LittleEndianWord(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

void DecodeCurrentChannelFrequencies(const std::uint8_t* block, CParameterSet& params) {
    const int index = block[7];
    // Entries past the 24th would lie beyond the block: keep what is shown.
    if (index >= kBlockChannelEntries) {
        return;
    }
    const std::uint8_t* entry = block + kChannelEntriesOffset + 4 * index;
    params.m_nTxFrequency = LittleEndianWord(entry) * kChannelStep;
    params.m_nRxFrequency = (LittleEndianWord(entry + 2) + kRxWordBase) * kChannelStep;
    params.m_strTxFrequency = std::to_string(params.m_nTxFrequency);
    params.m_strRxFrequency = std::to_string(params.m_nRxFrequency);
}

}  // namespace

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
    params.m_strAni = std::to_string(LittleEndianWord(block + 2));
    params.m_nChannelTotal = block[6];
    params.m_strChannelTotal = std::to_string(params.m_nChannelTotal);
    params.m_nCurrentChannel = static_cast<std::uint8_t>(block[7] + 1);
    params.m_nTxTimeLimit = block[8];
    params.m_strTxTimeLimit = std::to_string(params.m_nTxTimeLimit);
    DecodeCurrentChannelFrequencies(block, params);
    params.m_nEccSetting = (block[16] & 0x20) != 0 ? kEccNotUsed : kEccUsed;
    params.m_bTransparent = block[9];
    params.m_bEncryption = block[10] & 0x08;
    params.m_bCompander = block[16] & 0x80;
    params.m_bPreEmphasis = block[16] & 0x40;
    params.m_bAddressing = block[22];
    params.m_nRxChannelGain = static_cast<std::uint8_t>((block[16] & 0x0F) + 1);
    params.m_nRxVoiceGain = static_cast<std::uint8_t>((block[12] & 0x07) + 1);
    params.m_nTxChannelGain = static_cast<std::uint8_t>((block[14] >> 4) + 1);
    params.m_nTxVoiceGain = static_cast<std::uint8_t>((block[14] & 0x0F) + 1);
    params.m_bDataMode = 1;
    params.m_bRelayOn = 0;
    params.m_bRxEndRelay = 0;
}

}  // namespace radiosetup
