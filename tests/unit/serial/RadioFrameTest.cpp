#include "RadioFrame.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestNamespaces.h"

namespace {

struct FrameCase {
    const char* name;
    RadioPayload payload;
    RadioFrame frame;
};

class BuildRadioFrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(BuildRadioFrameTest, FramesPayloadWithHeaderAndXorCheck) {
    EXPECT_EQ(BuildRadioFrame(GetParam().payload), GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedFrames, BuildRadioFrameTest,
    ::testing::Values(FrameCase{"ParameterQuery",
                                {0xCC, 0x00, 0x00, 0x00, 0x00},
                                {0x55, 0xAA, 0xCC, 0x00, 0x00, 0x00, 0x00, 0xCC}},
                      FrameCase{"Connect9600None",
                                {0x0B, 0x07, 0x00, 0x00, 0x00},
                                {0x55, 0xAA, 0x0B, 0x07, 0x00, 0x00, 0x00, 0x0C}},
                      FrameCase{"Connect9600Odd",
                                {0x0B, 0x47, 0x00, 0x00, 0x00},
                                {0x55, 0xAA, 0x0B, 0x47, 0x00, 0x00, 0x00, 0x4C}},
                      FrameCase{"Connect9600Even",
                                {0x0B, 0xC7, 0x00, 0x00, 0x00},
                                {0x55, 0xAA, 0x0B, 0xC7, 0x00, 0x00, 0x00, 0xCC}},
                      FrameCase{"TxFrequencyFirstChannel",
                                {0x05, 0x00, 0x47, 0x90, 0x00},
                                {0x55, 0xAA, 0x05, 0x00, 0x47, 0x90, 0x00, 0xD2}},
                      FrameCase{"AllZero",
                                {0x00, 0x00, 0x00, 0x00, 0x00},
                                {0x55, 0xAA, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
                      // Header bytes in the payload are neither escaped nor part of the check.
                      FrameCase{"HeaderBytesInPayload",
                                {0x55, 0xAA, 0x55, 0xAA, 0xFF},
                                {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0xFF, 0xFF}}),
    [](const ::testing::TestParamInfo<FrameCase>& testCase) { return testCase.param.name; });

bool IsAck(const std::vector<std::uint8_t>& reply) {
    return IsAckReply(static_cast<int>(reply.size()), reply.data());
}

TEST(IsAckReplyTest, AcceptsThreeByteRepliesWithKnownStatus) {
    EXPECT_TRUE(IsAck({0x55, 0xAA, 0x00}));
    EXPECT_TRUE(IsAck({0x55, 0xAA, 0x11}));
    EXPECT_TRUE(IsAck({0x55, 0xAA, 0x22}));
}

TEST(IsAckReplyTest, RejectsRefusalAndOtherStatus) {
    EXPECT_FALSE(IsAck({0x55, 0xAA, 0xFF}));
    EXPECT_FALSE(IsAck({0x55, 0xAA, 0x01}));
    EXPECT_FALSE(IsAck({0x55, 0xAA, 0x33}));
}

TEST(IsAckReplyTest, RejectsWrongHeader) {
    EXPECT_FALSE(IsAck({0xAA, 0x55, 0x00}));
    EXPECT_FALSE(IsAck({0x55, 0x55, 0x00}));
    EXPECT_FALSE(IsAck({0x00, 0xAA, 0x00}));
}

TEST(IsAckReplyTest, RejectsAnyOtherLength) {
    EXPECT_FALSE(IsAck({}));
    EXPECT_FALSE(IsAck({0x55, 0xAA}));
    // The count decides, not the buffer: a longer buffer with a valid start is no ack.
    const std::uint8_t buffer[] = {0x55, 0xAA, 0x00, 0x00};
    EXPECT_FALSE(IsAckReply(4, buffer));
    EXPECT_TRUE(IsAckReply(3, buffer));
}

}  // namespace
