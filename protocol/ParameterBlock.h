#pragma once

#include <cstdint>

#include "ParameterSet.h"
#include "RadioLimits.h"

namespace radiosetup {

// The radio's answer to a parameter query (kParameterBlockSize bytes without header),
// checksum first.
// Channel entries start at byte 32, four bytes each; the block holds 24 of them.
constexpr int kBlockChannelEntries = 24;

// Sum of the big-endian words formed by bytes 2 and 3, 4 and 5, ... 126 and 127.
std::uint16_t ParameterBlockChecksum(const std::uint8_t* block);
bool HasValidChecksum(const std::uint8_t* block);

// Takes the block's values over into params, texts included. The ANI number, the
// work mode and the relay switches are not in the block (mode data, relay off).
void DecodeParameterBlock(const std::uint8_t* block, CParameterSet& params);

}  // namespace radiosetup
