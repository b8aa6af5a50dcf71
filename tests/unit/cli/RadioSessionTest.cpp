// The command line's conversation in virtual time: an answer is taken the moment it is
// whole, and a missing one is waited for exactly as long as the window would.
#include <gtest/gtest.h>

#include "LineSettingsTransaction.h"
#include "ParameterBlock.h"
#include "RadioSearch.h"
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
    std::function<ReplyVerdict(IRadioLink&, IClock&)> run;
    Bytes answer;
    milliseconds deadline;
};

// Every exchange radioctl runs, each with its whole-answer wait.
std::vector<Call> Calls() {
    using Session = std::function<ReplyVerdict(CRadioSession&)>;
    const auto session = [](Session call) {
        return [call](IRadioLink& link, IClock& clock) {
            CRadioSession s(link, clock);
            return call(s);
        };
    };
    std::vector<ChannelFreqPair> channels;
    CParameterSet params;
    return {
        {"connect", session([](CRadioSession& s) { return s.Connect(PcPortSettings()); }), kAck,
         milliseconds(3000)},
        {"query", session([params](CRadioSession& s) mutable { return s.Query(params); }),
         ParameterBlock(), milliseconds(3800)},
        {"switch", session([params](CRadioSession& s) {
             return s.Send(Parameter(ParamId::kEncryption).request, params, "x");
         }),
         kAck, milliseconds(3000)},
        {"channel block",
         session([channels](CRadioSession& s) mutable { return s.ReadChannels(1, 10, channels); }),
         Bytes(40, 0), milliseconds(900)},
        {"channel write", session([](CRadioSession& s) {
             return s.WriteChannel(1, {2290000, 2290000});
         }),
         kAck, milliseconds(300)},
        // The line change looks every 30 ms, 84 times.
        {"line",
         [](IRadioLink& link, IClock& clock) {
             CWholeAnswerWait whole;
             return CLineSettingsTransaction(link, clock, whole).Send(9600, kParityNone);
         },
         kAck, milliseconds(84 * 30)},
        {"probe",
         [](IRadioLink& link, IClock& clock) {
             CWholeAnswerWait whole;
             return ProbeRadio(link, clock, 9600, kParityNone, whole);
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
            EXPECT_EQ(call.run(link, clock), ReplyVerdict::Accepted);
            // 40 ms pause, the answer complete 70 ms later (the second write: 45 ms more).
            const bool twoFrames = link.SentFrames().size() == 2;
            EXPECT_EQ(clock.Now(), milliseconds(twoFrames ? 155 : 110));
        }
        CVirtualClock clock;
        CScriptedLink silent(clock);
        EXPECT_EQ(call.run(silent, clock), ReplyVerdict::Silent);
        EXPECT_EQ(clock.Now(), milliseconds(40) + call.deadline);
    }
}

TEST(RadioSession, ARefusedReceiveFrequencyKeepsTheTransmitOneBackAndTheTraceNamesIt) {
    CVirtualClock clock;
    CScriptedLink link(clock);
    link.Answer(Bytes{0x55, 0xAA, 0xFF});
    std::vector<std::string> trace;
    CRadioSession session(link, clock,
                          [&trace](const std::string& line) { trace.push_back(line); });
    EXPECT_EQ(session.WriteChannel(7, {2290000, 2290000}), ReplyVerdict::Refused);
    EXPECT_EQ(trace, (std::vector<std::string>{"> 55 AA 04 06 40 E0 00 A2  set rx channel 7",
                                               "< 55 AA FF  set rx channel 7: refused"}));
}

}  // namespace
