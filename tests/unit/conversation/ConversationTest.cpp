// The radio conversations judged against a scripted far end in virtual time: exact
// frames, exact waits, every kind of answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LineSettingsTransaction.h"
#include "MultiChannelExchange.h"
#include "OperationJudge.h"
#include "RadioSearch.h"
#include "ScriptedLink.h"
#include "SimRadio.h"
#include "TestNamespaces.h"
#include "VirtualClock.h"

namespace {

using std::chrono::milliseconds;
using Bytes = std::vector<std::uint8_t>;

// Each frame's send time and bytes, "40: 55 AA ...".
std::vector<std::string> Sent(const CScriptedLink& link) {
    std::vector<std::string> frames;
    for (const CScriptedLink::Sent& sent : link.SentFrames()) {
        frames.push_back(std::to_string(sent.time.count()) + ": " + HexText(sent.bytes));
    }
    return frames;
}

std::string Verdict(ReplyVerdict verdict) {
    return VerdictName(verdict);
}

struct Conversation : ::testing::Test {
    CVirtualClock clock;
    CScriptedLink link{clock};
};

struct JudgeCase {
    Bytes reply;
    ReplyVerdict channelAck;
    ReplyVerdict lineSettings;
    ReplyVerdict connect;
};

// One table for the three short-answer judges: the same bytes, judged by different rules.
TEST(ReplyJudges, EachConversationAppliesItsOwnRule) {
    using V = ReplyVerdict;
    const JudgeCase cases[] = {
        {{}, V::Silent, V::Silent, V::Silent},
        {{0x55}, V::Short, V::Accepted, V::Unexpected},
        {{0x55, 0xAA}, V::Short, V::Accepted, V::Unexpected},
        {{0x55, 0xAA, 0x00}, V::Accepted, V::Accepted, V::Accepted},
        {{0x55, 0xAA, 0x11}, V::Refused, V::Refused, V::Accepted},
        {{0x55, 0xAA, 0x22}, V::Refused, V::Refused, V::Accepted},
        {{0x55, 0xAA, 0x33}, V::Refused, V::Refused, V::Unexpected},
        {{0x55, 0xAA, 0xFF}, V::Refused, V::Refused, V::Unexpected},
        {{0x55, 0xAA, 0x00, 0x00}, V::Accepted, V::Accepted, V::Unexpected},
        {{0x01, 0x02, 0x00}, V::Unexpected, V::Accepted, V::Unexpected},
        {{0x00, 0x00, 0x01}, V::Unexpected, V::Refused, V::Unexpected},
    };
    for (const JudgeCase& c : cases) {
        const int count = static_cast<int>(c.reply.size());
        SCOPED_TRACE(HexText(c.reply));
        EXPECT_EQ(Verdict(JudgeChannelAck(count, c.reply.data())), Verdict(c.channelAck));
        EXPECT_EQ(Verdict(JudgeLineSettingsReply(count, c.reply.data())), Verdict(c.lineSettings));
        EXPECT_EQ(Verdict(JudgeConnectReply(count, c.reply.data())), Verdict(c.connect));
    }
}

const Bytes kAck = {0x55, 0xAA, 0x00};

TEST_F(Conversation, ChannelsAreSetReceiveFirstEachAwaited300Ms) {
    for (int i = 0; i < 4; ++i) {
        link.Answer(kAck, milliseconds(299));
    }
    CMultiChannelExchange exchange(link, clock);
    EXPECT_EQ(exchange.SetChannels(7, {{2290000, 2290000}, {1000000, 6000000}}),
              ReplyVerdict::Accepted);
    EXPECT_EQ(Sent(link), (std::vector<std::string>{
                              "40: 55 AA 04 06 40 E0 00 A2", "380: 55 AA 05 06 47 90 00 D4",
                              "720: 55 AA 04 07 18 90 00 8B", "1060: 55 AA 05 07 BB 80 00 39"}));
    EXPECT_EQ(clock.Now(), milliseconds(1360));
}

TEST_F(Conversation, ChannelWriteStopsAtTheFirstAnswerNotAccepted) {
    link.Answer(kAck);
    link.Answer({0x55, 0xAA, 0xFF});
    CMultiChannelExchange exchange(link, clock);
    EXPECT_EQ(exchange.SetChannels(1, {{2300000, 2300000}, {2300000, 2300000}}),
              ReplyVerdict::Refused);
    EXPECT_EQ(link.SentFrames().size(), 2u);

    // An acknowledgement later than 300 ms is silence; the next frame drains it.
    link.Answer(kAck, milliseconds(301));
    EXPECT_EQ(exchange.SetChannel(1, {2300000, 2300000}), ReplyVerdict::Silent);
    link.Answer(kAck);
    link.Answer(kAck);
    EXPECT_EQ(exchange.SetChannel(1, {2300000, 2300000}), ReplyVerdict::Accepted);
}

TEST_F(Conversation, ChannelQueryTakesWhatCameIn900MsAndNeedsTheWholeBlock) {
    Bytes block(40, 0);
    block[0] = 0x90;  // channel 5 transmit word 0x4790: 229.0000 MHz
    block[1] = 0x47;
    block[2] = 0xE0;  // receive word 0x40E0: 229.0000 MHz after the offset
    block[3] = 0x40;
    link.Answer({{milliseconds(100), Bytes(block.begin(), block.begin() + 20)},
                 {milliseconds(899), Bytes(block.begin() + 20, block.end())}});
    CMultiChannelExchange exchange(link, clock);
    const auto channels = exchange.QueryChannels(5, 2);
    EXPECT_EQ(Sent(link), std::vector<std::string>{"40: 55 AA 1D 04 00 00 00 19"});
    EXPECT_EQ(clock.Now(), milliseconds(940));
    ASSERT_TRUE(channels.has_value());
    ASSERT_EQ(channels->size(), 2u);
    EXPECT_EQ((*channels)[0].txFreq, 2290000);
    EXPECT_EQ((*channels)[0].rxFreq, 2290000);
    EXPECT_EQ((*channels)[1].rxFreq, 214000);

    link.Answer({{milliseconds(0), Bytes(39, 0)}, {milliseconds(901), Bytes(1, 0)}});
    EXPECT_FALSE(exchange.QueryChannels(1, 10).has_value());
}

struct LineCase {
    const char* name;
    std::vector<CScriptedLink::Part> answer;
    ReplyVerdict verdict;
    milliseconds endsAt;
};

TEST_F(Conversation, LineSettingsWaitForTheWholeAnswerWithinTheBudget) {
    const LineCase cases[] = {
        {"AtOnce",
         {{milliseconds(0), {0x55, 0xAA, 0x00}}},
         ReplyVerdict::Accepted,
         milliseconds(40 + 100)},
        // Polls at 0, 30 and 60 ms after sending; the read follows 100 ms later.
        {"RefusalInTwoParts",
         {{milliseconds(50), {0x55}}, {milliseconds(149), {0xAA, 0xFF}}},
         ReplyVerdict::Refused,
         milliseconds(40 + 60 + 100)},
        {"Silence", {}, ReplyVerdict::Silent, milliseconds(40 + 84 * 30)},
        // The 84th and last poll is 2490 ms after sending.
        {"LastPoll",
         {{milliseconds(2490), {0x55, 0xAA, 0xFF}}},
         ReplyVerdict::Refused,
         milliseconds(40 + 2490 + 100)},
        {"TooLate",
         {{milliseconds(2491), {0x55, 0xAA, 0x00}}},
         ReplyVerdict::Silent,
         milliseconds(40 + 84 * 30)},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        CVirtualClock time;
        CScriptedLink line(time);
        line.Answer(c.answer);
        CLineSettingsTransaction transaction(line, time);
        EXPECT_EQ(Verdict(transaction.Send(19200, kParityOdd)), Verdict(c.verdict));
        EXPECT_EQ(time.Now().count(), c.endsAt.count());
        EXPECT_EQ(Sent(line), std::vector<std::string>{"40: 55 AA 1C 48 00 00 00 54"});
    }
}

TEST_F(Conversation, ProbeCarriesTheLinesOwnCodeAndWaits300Ms) {
    link.Answer(kAck, milliseconds(300));
    EXPECT_EQ(ProbeRadio(link, clock, 4800, kParityEven), ReplyVerdict::Accepted);
    link.Answer(kAck, milliseconds(301));
    EXPECT_EQ(ProbeRadio(link, clock, 2400, kParityNone), ReplyVerdict::Silent);
    EXPECT_EQ(Sent(link), (std::vector<std::string>{"40: 55 AA 0B C6 00 00 00 CD",
                                                    "380: 55 AA 0B 05 00 00 00 0E"}));
}

// The far end answers only on one port at one rate and parity; every link opened for a
// probe is a scripted one that knows which combination it stands for.
std::vector<std::string> Search(int startPort, const PcPortSettings& radioAt,
                                const std::vector<int>& missingPorts,
                                std::optional<PcPortSettings>& found) {
    CVirtualClock clock;
    std::vector<std::string> tries;
    const auto open = [&](const PcPortSettings& s) -> std::unique_ptr<IRadioLink> {
        for (int missing : missingPorts) {
            if (s.m_nPortNumber == missing) {
                return nullptr;
            }
        }
        auto line = std::make_unique<CScriptedLink>(clock);
        if (s.m_nPortNumber == radioAt.m_nPortNumber && s.m_nBaudRate == radioAt.m_nBaudRate &&
            s.m_nParity == radioAt.m_nParity) {
            line->Answer({0x55, 0xAA, 0x00});
        }
        return line;
    };
    found = SearchForRadio(startPort, open, clock, [&](const PcPortSettings& s) {
        tries.push_back(std::to_string(s.m_nPortNumber) + "/" + std::to_string(s.m_nBaudRate) +
                        "/" + std::to_string(s.m_nParity));
    });
    return tries;
}

TEST(RadioSearch, TriesPortsRatesAndParitiesInOrderUntilOneAnswers) {
    std::optional<PcPortSettings> found;
    const auto tries = Search(1, {2, 9600, kParityOdd}, {}, found);
    ASSERT_EQ(tries.size(), 12u + 5u);
    EXPECT_EQ(tries[0], "1/19200/0");
    EXPECT_EQ(tries[1], "1/19200/1");
    EXPECT_EQ(tries[3], "1/9600/0");
    EXPECT_EQ(tries[11], "1/2400/2");
    EXPECT_EQ(tries.back(), "2/9600/1");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->m_nPortNumber, 2);
    EXPECT_EQ(found->m_nBaudRate, 9600);
    EXPECT_EQ(found->m_nParity, kParityOdd);

    // A port that does not open is still reported but gets no probe; a high start port is
    // searched alone.
    EXPECT_EQ(Search(1, {5, 2400, 0}, {1}, found).size(), 24u);
    EXPECT_FALSE(found.has_value());
    const auto alone = Search(5, {5, 2400, kParityEven}, {}, found);
    EXPECT_EQ(alone.size(), 12u);
    EXPECT_EQ(alone.front(), "5/19200/0");
    EXPECT_TRUE(found.has_value());
}

}  // namespace
