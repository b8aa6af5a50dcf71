#pragma once

#include <array>
#include <cstdint>

#include "RadioLimits.h"
#include "TestNamespaces.h"

// The worked parameter block, every field away from zero where it can be; its checksum
// bytes are left at zero.
inline std::array<std::uint8_t, kParameterBlockSize> WorkedParameterBlock() {
    std::array<std::uint8_t, kParameterBlockSize> block{};
    block[2] = 0x39;  // ANI 0x3039 = 12345
    block[3] = 0x30;
    block[6] = 50;     // channel total; byte 7 holds 0: the current channel is 1
    block[8] = 200;    // seconds; byte 9 holds 0: non-transparent
    block[10] = 0x08;  // encrypted
    block[12] = 0xF5;  // receive voice gain 6
    block[14] = 0x3C;  // transmit channel gain 4, transmit voice gain 13
    block[16] = 0xE9;  // companding, pre-emphasis, no error correction, rx channel gain 10
    block[22] = 0x0F;  // addressing off
    block[32] = 0x90;  // channel 1: transmit word 0x4790, 229 MHz
    block[33] = 0x47;
    block[34] = 0xE0;  // receive word 0x40E0, 229 MHz after the offset
    block[35] = 0x40;
    return block;
}
