#pragma once

#include <cstdint>

#include "CommandSet.h"
#include "ParameterSet.h"
#include "RadioLimits.h"

namespace radiosetup {

// The radio's answer to a parameter query, kParameterBlockSize bytes without header:
//
//   offset  0    checksum, little-endian
//           2    ANI, low 16 bits, little-endian
//           6    channel total
//           7    current channel - 1
//           8    transmit time limit, seconds
//           9    transparent (0: non-transparent)
//          10    bit 3: encryption
//          12    bits 2-0: receive voice gain - 1
//          14    bits 7-4: transmit channel gain - 1, bits 3-0: transmit voice gain - 1
//          16    the audio request's flags byte: bit 7 companding, bit 6 pre-emphasis,
//                bit 5 no error correction; bits 3-0: receive channel gain - 1
//          22    addressing option byte (0: on)
//          32    channel entries 0 to 23, four bytes each: transmit word, receive word,
//                both little-endian
//         128    three bytes outside the checksum
//
// Bytes not named here are not read.

// A value in the block: the bits of mask at offset, moved down to bit 0. A mask wider
// than a byte takes the next byte too, as the high byte of a little-endian word.
struct BlockField {
    int offset;
    std::uint16_t mask;
};

namespace BlockAt {
constexpr BlockField kAni{2, 0xFFFF};
constexpr BlockField kChannelTotal{6, 0xFF};
constexpr BlockField kCurrentChannelIndex{7, 0xFF};
constexpr BlockField kTxTimeLimit{8, 0xFF};
constexpr BlockField kTransparent{9, 0xFF};
constexpr BlockField kEncryption{10, 0x08};
constexpr BlockField kRxVoiceGain{12, 0x07};
constexpr BlockField kTxChannelGain{14, 0xF0};
constexpr BlockField kTxVoiceGain{14, 0x0F};
constexpr BlockField kCompander{16, AudioFlag::kCompander};
constexpr BlockField kPreEmphasis{16, AudioFlag::kPreEmphasis};
constexpr BlockField kNoErrorCorrection{16, AudioFlag::kNoErrorCorrection};
constexpr BlockField kRxChannelGain{16, kLevelCodeMask};
constexpr BlockField kAddressing{22, 0xFF};
constexpr int kChannelEntries = 32;
}  // namespace BlockAt

constexpr int kBlockChannelEntries = 24;

unsigned ReadField(const std::uint8_t* block, BlockField field);

// Sum of the big-endian words formed by bytes 2 and 3, 4 and 5, ... 126 and 127.
std::uint16_t ParameterBlockChecksum(const std::uint8_t* block);
bool HasValidChecksum(const std::uint8_t* block);

// Takes the block's values over into params, texts included. The ANI number, the
// work mode and the relay switches are not in the block (mode data, relay off).
void DecodeParameterBlock(const std::uint8_t* block, CParameterSet& params);

}  // namespace radiosetup
