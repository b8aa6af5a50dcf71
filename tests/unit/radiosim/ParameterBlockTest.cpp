#include <gtest/gtest.h>

#include "SimRadio.h"
#include "TestNamespaces.h"

namespace {

std::vector<std::uint8_t> ZeroBlock() {
    return std::vector<std::uint8_t>(131, 0);
}

}  // namespace

TEST(SimBlockChecksum, WorkedExamples) {
    std::vector<std::uint8_t> block = ZeroBlock();
    EXPECT_EQ(ParameterBlockChecksum(block), 0x0000);

    block[2] = 0x01;
    block[3] = 0x02;
    EXPECT_EQ(ParameterBlockChecksum(block), 0x0102);  // B[0] = 02, B[1] = 01

    block = ZeroBlock();
    block[3] = 0xFF;
    block[5] = 0x01;
    EXPECT_EQ(ParameterBlockChecksum(block), 0x0100);  // B[0] = 00, B[1] = 01
}

TEST(SimBlockChecksum, CoversBytesTwoToOneTwentySevenOnly) {
    std::vector<std::uint8_t> block = ZeroBlock();
    block[0] = 0x12;
    block[1] = 0x34;
    block[128] = 0xFF;
    block[130] = 0xFF;
    EXPECT_EQ(ParameterBlockChecksum(block), 0x0000);

    block[126] = 0x80;
    block[127] = 0x01;
    EXPECT_EQ(ParameterBlockChecksum(block), 0x8001);
}

TEST(SimBlockChecksum, WrapsAtSixteenBits) {
    std::vector<std::uint8_t> block = ZeroBlock();
    block[2] = 0xFF;
    block[3] = 0xFF;
    block[4] = 0x00;
    block[5] = 0x02;
    EXPECT_EQ(ParameterBlockChecksum(block), 0x0001);
}

TEST(SimParameterBlock, StoresItsOwnChecksumLowByteFirst) {
    SimRadioState state;
    state.ani = 0xABCDEF;
    const std::vector<std::uint8_t> block = BuildParameterBlock(state);
    ASSERT_EQ(block.size(), 131u);
    const std::uint16_t checksum = ParameterBlockChecksum(block);
    EXPECT_EQ(block[0], checksum & 0xFF);
    EXPECT_EQ(block[1], checksum >> 8);
    EXPECT_EQ(block[4], 0xAB);  // the ANI's third byte, which the PC does not read
}

TEST(SimParameterBlock, HoldsTheFirstTwentyFourChannelsOnly) {
    SimRadioState state;
    state.txWord[23] = 0x1234;
    state.rxWord[23] = 0x5678;
    state.txWord[24] = 0x9999;
    const std::vector<std::uint8_t> block = BuildParameterBlock(state);
    EXPECT_EQ(block[124], 0x34);
    EXPECT_EQ(block[125], 0x12);
    EXPECT_EQ(block[126], 0x78);
    EXPECT_EQ(block[127], 0x56);
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + 128, block.end()),
              std::vector<std::uint8_t>(3, 0));
}

TEST(SimRadioState, FactoryChannelWords) {
    const SimRadioState state;
    EXPECT_EQ(state.txWord[0], 0x4790);  // 2290000
    EXPECT_EQ(state.rxWord[0], 0x40E0);
    EXPECT_EQ(state.txWord[1], 0x47E0);  // 2300000
    EXPECT_EQ(state.rxWord[1], 0x4130);
    EXPECT_EQ(state.txWord[99], 0x47E0);
    EXPECT_EQ(state.rxWord[99], 0x4130);
    EXPECT_EQ(SimRadioState::RxWordOf(2300060), 0x4130);  // below a step is dropped
}

TEST(SimChannelBlock, TenEntriesLittleEndianTransmitFirst) {
    SimRadioState state;
    state.txWord[90] = 0x8FC0;
    state.rxWord[90] = 0x85F0;
    const std::vector<std::uint8_t> block = BuildChannelBlock(state, 90);
    ASSERT_EQ(block.size(), 40u);
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.begin() + 4),
              (std::vector<std::uint8_t>{0xC0, 0x8F, 0xF0, 0x85}));
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin() + 4, block.begin() + 8),
              (std::vector<std::uint8_t>{0xE0, 0x47, 0x30, 0x41}));
}
