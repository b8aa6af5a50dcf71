#include "ParameterBlock.h"

#include <gtest/gtest.h>

#include <array>

#include "TestNamespaces.h"
#include "WorkedParameterBlock.h"

namespace {

using Block = std::array<std::uint8_t, kParameterBlockSize>;

Block Sealed(Block block) {
    const std::uint16_t sum = ParameterBlockChecksum(block.data());
    block[0] = static_cast<std::uint8_t>(sum & 0xFF);
    block[1] = static_cast<std::uint8_t>(sum >> 8);
    return block;
}

TEST(ParameterBlockChecksum, WorkedExamples) {
    Block block{};
    EXPECT_EQ(ParameterBlockChecksum(block.data()), 0x0000);
    block[2] = 0x01;
    block[3] = 0x02;
    EXPECT_EQ(ParameterBlockChecksum(block.data()), 0x0102);
    block = Block{};
    block[3] = 0xFF;
    block[5] = 0x01;
    EXPECT_EQ(ParameterBlockChecksum(block.data()), 0x0100);
}

TEST(ParameterBlockChecksum, IgnoresTheChecksumAndTheTrailingBytes) {
    Block block{};
    block[0] = 0x12;
    block[1] = 0x34;
    block[128] = block[129] = block[130] = 0xEE;
    EXPECT_EQ(ParameterBlockChecksum(block.data()), 0);
    block[127] = 0x01;
    EXPECT_EQ(ParameterBlockChecksum(block.data()), 1);
}

TEST(ParameterBlockChecksum, WrapsModulo65536AndChecksBothBytes) {
    Block block{};
    for (int i = 2; i < 128; ++i) {
        block[i] = 0xFF;
    }
    block = Sealed(block);
    EXPECT_EQ(block[0], 0xC1);  // 63 * 0xFFFF mod 65536 = 0xFFC1
    EXPECT_EQ(block[1], 0xFF);
    EXPECT_TRUE(HasValidChecksum(block.data()));
    block[1] ^= 0x01;
    EXPECT_FALSE(HasValidChecksum(block.data()));
    block[1] ^= 0x01;
    block[0] ^= 0x80;
    EXPECT_FALSE(HasValidChecksum(block.data()));
}

TEST(DecodeParameterBlock, FirstChannelAndEveryField) {
    Block block = WorkedParameterBlock();
    block[4] = 0x7F;  // not part of the ANI
    CParameterSet params;
    params.m_nAni = 77;
    params.m_bRxEndRelay = 1;
    params.m_bDataMode = 0;
    DecodeParameterBlock(Sealed(block).data(), params);

    EXPECT_EQ(params.m_strAni, "12345");
    EXPECT_EQ(params.m_nAni, 77);
    EXPECT_EQ(params.m_nChannelTotal, 50);
    EXPECT_EQ(params.m_strChannelTotal, "50");
    EXPECT_EQ(params.m_nCurrentChannel, 1);
    EXPECT_EQ(params.m_nTxTimeLimit, 200);
    EXPECT_EQ(params.m_strTxTimeLimit, "200");
    EXPECT_EQ(params.m_nTxFrequency, 2290000u);
    EXPECT_EQ(params.m_strTxFrequency, "2290000");
    EXPECT_EQ(params.m_nRxFrequency, 2290000u);
    EXPECT_EQ(params.m_strRxFrequency, "2290000");
    EXPECT_EQ(params.m_bTransparent, 0);
    EXPECT_NE(params.m_bEncryption, 0);
    EXPECT_EQ(params.m_nRxVoiceGain, 6);
    EXPECT_EQ(params.m_nTxChannelGain, 4);
    EXPECT_EQ(params.m_nTxVoiceGain, 13);
    EXPECT_NE(params.m_bCompander, 0);
    EXPECT_NE(params.m_bPreEmphasis, 0);
    EXPECT_EQ(params.m_nEccSetting, kEccNotUsed);
    EXPECT_EQ(params.m_nRxChannelGain, 10);
    EXPECT_EQ(params.m_bAddressing, 0x0F);
    EXPECT_EQ(params.m_bDataMode, 1);
    EXPECT_EQ(params.m_bRelayOn, 0);
    EXPECT_EQ(params.m_bRxEndRelay, 0);
}

TEST(DecodeParameterBlock, CurrentChannelPicksItsOwnEntry) {
    Block block{};
    block[7] = 23;  // the last entry the block holds: bytes 124 to 127
    block[124] = 0x80;
    block[125] = 0x4B;  // 0x4B80 = 19328 -> 2416000
    block[126] = 0x00;
    block[127] = 0x00;  // receive word 0 -> 214000
    CParameterSet params;
    DecodeParameterBlock(block.data(), params);
    EXPECT_EQ(params.m_nCurrentChannel, 24);
    EXPECT_EQ(params.m_nTxFrequency, 2416000u);
    EXPECT_EQ(params.m_nRxFrequency, 214000u);
    EXPECT_EQ(params.m_nEccSetting, kEccUsed);
}

TEST(DecodeParameterBlock, ChannelBeyondTheBlockKeepsTheFrequencies) {
    for (int index : {24, 99, 255}) {
        Block block{};
        block[6] = 100;
        block[7] = static_cast<std::uint8_t>(index);
        block[8] = 9;
        for (int i = 32; i < 131; ++i) {
            block[i] = 0x55;
        }
        CParameterSet params;
        params.m_nRxFrequency = 1234567;
        params.m_strRxFrequency = "1234567";
        params.m_nTxFrequency = 2345678;
        params.m_strTxFrequency = "2345678";
        DecodeParameterBlock(block.data(), params);
        EXPECT_EQ(params.m_nRxFrequency, 1234567u) << index;
        EXPECT_EQ(params.m_strRxFrequency, "1234567") << index;
        EXPECT_EQ(params.m_nTxFrequency, 2345678u) << index;
        EXPECT_EQ(params.m_strTxFrequency, "2345678") << index;
        EXPECT_EQ(params.m_nTxTimeLimit, 9) << index;
        // The 8-bit member wraps: index 255 is channel 0.
        EXPECT_EQ(params.m_nCurrentChannel, static_cast<std::uint8_t>(index + 1)) << index;
    }
}

}  // namespace
