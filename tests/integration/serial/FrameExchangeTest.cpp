#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "PcPortSettings.h"
#include "PtyPair.h"
#include "RadioFrame.h"
#include "SerialPort.h"
#include "SteadyClock.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr int kPort = 5;
constexpr milliseconds kFrameArrival{2000};
constexpr milliseconds kNothingMore{200};
const std::vector<std::uint8_t> kAck = {0x55, 0xAA, 0x00};

// Stale bytes that would pass for acknowledgements if they were taken as the reply.
std::vector<std::uint8_t> AckLookingGarbage(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = kAck[i % kAck.size()];
    }
    return bytes;
}

class FrameExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_home.MapPort(kPort, m_pty.SlavePath());
        ASSERT_TRUE(m_port.Open(kPort, kDefaultBaudRate, kParityNone));
    }

    // The frame as it arrives at the far end, with nothing after it.
    std::vector<std::uint8_t> FrameOnTheWire() {
        std::vector<std::uint8_t> frame = m_pty.ReadFromMaster(8, kFrameArrival);
        EXPECT_TRUE(m_pty.ReadFromMaster(1, kNothingMore).empty());
        return frame;
    }

    // The reply the far end sends once the frame has arrived, as the caller reads it.
    std::vector<std::uint8_t> ReplyAfterFrame(const RadioPayload& payload) {
        EXPECT_EQ(SendRadioFrame(m_port, SteadyClock(), payload), 8);
        EXPECT_EQ(FrameOnTheWire().size(), 8U);
        m_pty.WriteToMaster(kAck);
        std::vector<std::uint8_t> reply(1024);
        reply.resize(static_cast<std::size_t>(m_port.Read(reply.data(), 1024)));
        return reply;
    }

    CScopedSettingsHome m_home;
    CPtyPair m_pty;
    CSerialPort m_port;
};

struct WireCase {
    const char* name;
    RadioPayload payload;
    std::vector<std::uint8_t> wire;
};

class FrameOnTheWireTest : public FrameExchangeTest,
                           public ::testing::WithParamInterface<WireCase> {};

TEST_P(FrameOnTheWireTest, GoesOutByteForByte) {
    EXPECT_EQ(SendRadioFrame(m_port, SteadyClock(), GetParam().payload), 8);
    EXPECT_EQ(FrameOnTheWire(), GetParam().wire);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedFrames, FrameOnTheWireTest,
    ::testing::Values(WireCase{"ParameterQuery",
                               {0xCC, 0x00, 0x00, 0x00, 0x00},
                               {0x55, 0xAA, 0xCC, 0x00, 0x00, 0x00, 0x00, 0xCC}},
                      WireCase{"Connect9600None",
                               {0x0B, 0x07, 0x00, 0x00, 0x00},
                               {0x55, 0xAA, 0x0B, 0x07, 0x00, 0x00, 0x00, 0x0C}},
                      WireCase{"Connect9600Odd",
                               {0x0B, 0x47, 0x00, 0x00, 0x00},
                               {0x55, 0xAA, 0x0B, 0x47, 0x00, 0x00, 0x00, 0x4C}},
                      WireCase{"Connect9600Even",
                               {0x0B, 0xC7, 0x00, 0x00, 0x00},
                               {0x55, 0xAA, 0x0B, 0xC7, 0x00, 0x00, 0x00, 0xCC}},
                      WireCase{"TxFrequencyFirstChannel",
                               {0x05, 0x00, 0x47, 0x90, 0x00},
                               {0x55, 0xAA, 0x05, 0x00, 0x47, 0x90, 0x00, 0xD2}},
                      WireCase{"AllZero",
                               {0x00, 0x00, 0x00, 0x00, 0x00},
                               {0x55, 0xAA, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}}),
    [](const ::testing::TestParamInfo<WireCase>& testCase) { return testCase.param.name; });

TEST_F(FrameExchangeTest, PausesBeforeTheFrame) {
    const auto start = Clock::now();
    SendRadioFrame(m_port, SteadyClock(), {0xCC, 0, 0, 0, 0});
    EXPECT_GE(Clock::now() - start, milliseconds(kPreSendPauseMs));
}

TEST_F(FrameExchangeTest, ClosedPortSendsNothing) {
    m_port.Close();
    EXPECT_EQ(SendRadioFrame(m_port, SteadyClock(), {0xCC, 0, 0, 0, 0}), 0);
    EXPECT_TRUE(m_pty.ReadFromMaster(1, kNothingMore).empty());
}

TEST_F(FrameExchangeTest, NothingQueuedGivesTheReplyAlone) {
    EXPECT_EQ(ReplyAfterFrame({0x0B, 0x07, 0, 0, 0}), kAck);
}

TEST_F(FrameExchangeTest, StaleInputIsNeverTakenAsTheReply) {
    m_pty.WriteToMaster(AckLookingGarbage(300));
    ASSERT_EQ(m_port.PendingInput(), 300);
    EXPECT_EQ(ReplyAfterFrame({0x0B, 0x07, 0, 0, 0}), kAck);
}

TEST_F(FrameExchangeTest, OnlyOneDrainOfAtMost1024BytesIsMade) {
    std::vector<std::uint8_t> backlog(1500);
    for (std::size_t i = 0; i < backlog.size(); ++i) {
        backlog[i] = static_cast<std::uint8_t>(i % 251);
    }
    m_pty.WriteToMaster(backlog);
    ASSERT_EQ(m_port.PendingInput(), 1500);

    EXPECT_EQ(SendRadioFrame(m_port, SteadyClock(), {0xCC, 0, 0, 0, 0}), 8);
    ASSERT_EQ(m_port.PendingInput(), 476);
    std::vector<std::uint8_t> rest(476);
    ASSERT_EQ(m_port.Read(rest.data(), 1024), 476);
    EXPECT_EQ(rest, std::vector<std::uint8_t>(backlog.begin() + kDrainLimit, backlog.end()));
}

}  // namespace
