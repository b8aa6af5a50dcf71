#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "PcLine.h"
#include "SimRadio.h"
#include "TestNamespaces.h"

using Payload = std::array<std::uint8_t, 5>;
using Bytes = std::vector<std::uint8_t>;

const Bytes kAck = {0x55, 0xAA, 0x00};
const Payload kConnect9600None = {0x0B, 0x07, 0x00, 0x00, 0x00};
const Payload kQuery = {0xCC, 0x00, 0x00, 0x00, 0x00};
constexpr std::size_t kParameterBlockSize = 131;
constexpr std::size_t kChannelBlockSize = 40;
// Long enough to tell silence from a slow answer on a busy machine.
constexpr auto kSilence = std::chrono::milliseconds(400);

// A started radio at its factory state and the PC end opened at 9600 bit/s, no parity.
class SimRadioLink : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_radio.Start());
        ASSERT_TRUE(m_pc.Open(m_radio.SlavePath(), 9600, 0));
    }

    CSimRadio m_radio;
    CPcLine m_pc;
};
