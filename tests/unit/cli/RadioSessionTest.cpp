// The command line's conversation in virtual time: an answer is taken the moment it is
// whole, and a missing one is waited for exactly as long as the window would.
#include <gtest/gtest.h>

#include "CommandSet.h"
#include "ParameterBlock.h"
#include "RadioSession.h"
#include "ScriptedLink.h"
#include "TestNamespaces.h"
#include "VirtualClock.h"

namespace {

using std::chrono::milliseconds;
using Bytes = std::vector<std::uint8_t>;

const Bytes kAck = {0x55, 0xAA, 0x00};

// A parameter block with a valid checksum, current channel 1.
Bytes ParameterBlock() {
    Bytes block(kParameterBlockSize, 0);
    block[6] = 100;
    const std::uint16_t sum = ParameterBlockChecksum(block.data());
    block[0] = static_cast<std::uint8_t>(sum & 0xFF);
    block[1] = static_cast<std::uint8_t>(sum >> 8);
    return block;
}

struct Call {
    const char* name;
    std::function<ReplyVerdict(CRadioSession&)> run;
    Bytes answer;
    milliseconds deadline;
};

std::vector<Call> Calls() {
    std::vector<ChannelFreqPair> channels;
    CParameterSet params;
    return {
        {"connect", [](CRadioSession& s) { return s.Connect(PcPortSettings()); }, kAck,
         milliseconds(3000)},
        {"query", [params](CRadioSession& s) mutable { return s.Query(params); }, ParameterBlock(),
         milliseconds(3800)},
        {"switch",
         [](CRadioSession& s) { return s.Send(OpKind::kEncryption, QueryPayload(), "x"); }, kAck,
         milliseconds(3000)},
        {"channel block",
         [channels](CRadioSession& s) mutable { return s.ReadChannels(1, 10, channels); },
         Bytes(40, 0), milliseconds(900)},
        {"channel write",
         [](CRadioSession& s) {
             return s.WriteChannel(1, {2290000, 2290000});
         },
         kAck, milliseconds(300)},
    };
}

TEST(RadioSession, AWholeAnswerEndsTheWaitAndSilenceLastsTheWindowsWait) {
    for (const Call& call : Calls()) {
        SCOPED_TRACE(call.name);
        {
            CVirtualClock clock;
            CScriptedLink link(clock);
            link.Answer({{milliseconds(20), Bytes(call.answer.begin(), call.answer.begin() + 1)},
                         {milliseconds(70), Bytes(call.answer.begin() + 1, call.answer.end())}});
            link.Answer(kAck, milliseconds(5));  // a channel write's second request
            CRadioSession session(link, clock);
            EXPECT_EQ(call.run(session), ReplyVerdict::Accepted);
            // 40 ms pause, the answer complete 70 ms later (the second write: 45 ms more).
            const bool twoFrames = link.SentFrames().size() == 2;
            EXPECT_EQ(clock.Now(), milliseconds(twoFrames ? 155 : 110));
        }
        CVirtualClock clock;
        CScriptedLink silent(clock);
        CRadioSession session(silent, clock);
        EXPECT_EQ(call.run(session), ReplyVerdict::Silent);
        EXPECT_EQ(clock.Now(), milliseconds(40) + call.deadline);
    }
}

TEST(RadioSession, ARefusedReceiveFrequencyKeepsTheTransmitOneBack) {
    CVirtualClock clock;
    CScriptedLink link(clock);
    link.Answer(Bytes{0x55, 0xAA, 0xFF});
    CRadioSession session(link, clock);
    EXPECT_EQ(session.WriteChannel(7, {2290000, 2290000}), ReplyVerdict::Refused);
    EXPECT_EQ(link.SentFrames().size(), 1u);
}

}  // namespace
