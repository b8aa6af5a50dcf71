#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "CommandSet.h"
#include "LineSettingsTransaction.h"
#include "OperationJudge.h"
#include "RadioFrame.h"
#include "SerialPort.h"
#include "SteadyClock.h"
#include "TestNamespaces.h"
#include "WinTestSupport.h"

// The Windows port against simulated radios on the Linux side: COM1 answers at the
// line settings it was last given (COM12 leads to the same radio), COM2 vanishes 60
// bytes into its first reply.
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr int kAnsweringPort = 1;
constexpr int kAnsweringTwoDigitPort = 12;
constexpr int kVanishingPort = 2;
constexpr int kVanishAfter = 60;

// Everything that arrives within the wait, or the expected count, whichever is first.
std::vector<std::uint8_t> Collect(CSerialPort& port, std::size_t expected, milliseconds wait) {
    std::vector<std::uint8_t> reply;
    const auto end = Clock::now() + wait;
    while (reply.size() < expected && Clock::now() < end) {
        std::uint8_t buffer[256];
        const int got = port.Read(buffer, static_cast<int>(sizeof buffer));
        reply.insert(reply.end(), buffer, buffer + got);
        std::this_thread::sleep_for(milliseconds(10));
    }
    return reply;
}

std::vector<std::uint8_t> Exchange(CSerialPort& port, const RadioPayload& payload,
                                   std::size_t expected) {
    EXPECT_EQ(SendRadioFrame(port, SteadyClock(), payload), 8);
    return Collect(port, expected, milliseconds(3000));
}

TEST(WinSerialExchange, ConnectAndQueryGoOutByteForByteAndAreAnswered) {
    CSerialPort port;
    ASSERT_TRUE(port.Open(kAnsweringPort, 9600, kParityNone));
    const std::size_t before = RadioLogFrames("radio-com1.log").size();

    const PcPortSettings settings{1, 9600, kParityNone};
    const std::vector<std::uint8_t> ack = Exchange(port, ConnectPayload(settings), 3);
    EXPECT_EQ(JudgeConnectReply(static_cast<int>(ack.size()), ack.data()), ReplyVerdict::Accepted);
    const std::vector<std::uint8_t> block = Exchange(port, QueryPayload(), 131);
    EXPECT_EQ(JudgeQueryReply(static_cast<int>(block.size()), block.data()),
              ReplyVerdict::Accepted);

    const std::vector<std::string> frames = RadioLogFrames("radio-com1.log");
    ASSERT_EQ(frames.size(), before + 2);
    EXPECT_EQ(frames[before], "55 AA 0B 07 00 00 00 0C");
    EXPECT_EQ(frames[before + 1], "55 AA CC 00 00 00 00 CC");
}

TEST(WinSerialExchange, PortsAboveNineOpenToo) {
    CSerialPort port;
    ASSERT_TRUE(port.Open(kAnsweringTwoDigitPort, 9600, kParityNone));
    const std::vector<std::uint8_t> ack =
        Exchange(port, ConnectPayload({12, 9600, kParityNone}), 3);
    EXPECT_EQ(JudgeConnectReply(static_cast<int>(ack.size()), ack.data()), ReplyVerdict::Accepted);
}

// The radio changes its line on request; only a port at the same rate and parity gets an
// answer from it afterwards, so each answer shows the setting reached the line. Every
// round starts and ends at 9600 without parity: Wine on a pty cannot reopen a port at the
// odd or even parity it already holds (the pty drops the parity bit, and setting it again
// fails), which a real port can.
TEST(WinSerialExchange, EveryRateAndParityReachesTheRadio) {
    const PcPortSettings start{kAnsweringPort, 9600, kParityNone};
    for (const int baudRate : {2400, 4800, 9600, 19200}) {
        for (const int parity : {kParityNone, kParityOdd, kParityEven}) {
            SCOPED_TRACE(std::to_string(baudRate) + " parity " + std::to_string(parity));
            CSerialPort port;
            ASSERT_TRUE(port.Open(kAnsweringPort, start.m_nBaudRate, start.m_nParity));
            ASSERT_EQ(CLineSettingsTransaction(port, SteadyClock()).Send(baudRate, parity),
                      ReplyVerdict::Accepted);
            port.Close();
            ASSERT_TRUE(port.Open(kAnsweringPort, baudRate, parity));
            const std::vector<std::uint8_t> block = Exchange(port, QueryPayload(), 131);
            EXPECT_EQ(JudgeQueryReply(static_cast<int>(block.size()), block.data()),
                      ReplyVerdict::Accepted);
            ASSERT_EQ(CLineSettingsTransaction(port, SteadyClock())
                          .Send(start.m_nBaudRate, start.m_nParity),
                      ReplyVerdict::Accepted);
        }
    }
}

TEST(WinSerialExchange, AVanishedDeviceGivesAShortReplyNeverHangsAndSaysSo) {
    CSerialPort port;
    ASSERT_TRUE(port.Open(kVanishingPort, 9600, kParityNone));
    // What was still on its way when the pty closed may be lost with it.
    const std::vector<std::uint8_t> partial = Exchange(port, QueryPayload(), 131);
    EXPECT_LE(partial.size(), static_cast<std::size_t>(kVanishAfter));
    EXPECT_NE(JudgeQueryReply(static_cast<int>(partial.size()), partial.data()),
              ReplyVerdict::Accepted);

    const auto start = Clock::now();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SendRadioFrame(port, SteadyClock(), QueryPayload()), 8);
        EXPECT_EQ(port.PendingInput(), 0);
        std::uint8_t buffer[16];
        EXPECT_EQ(port.Read(buffer, 16), 0);
    }
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
    const std::optional<PortFailure> failure = port.Failure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->kind, PortFailure::Kind::Vanished);
    EXPECT_TRUE(port.Close());
}

}  // namespace
