#include "RadioSession.h"

#include <cstdio>

#include "ChannelBlock.h"
#include "Clock.h"
#include "CommandSet.h"
#include "MultiChannelExchange.h"
#include "OperationJudge.h"
#include "ParameterBlock.h"
#include "RadioLimits.h"
#include "RadioLink.h"
#include "TracingLink.h"

namespace radiosetup {

namespace {

constexpr int kAckSize = 3;
constexpr std::chrono::milliseconds kPoll{1};

}  // namespace

CRadioSession::CRadioSession(IRadioLink& link, IClock& clock, TraceSink trace,
                             std::function<bool()> linkGone)
    : m_link(link), m_clock(clock), m_trace(std::move(trace)), m_linkGone(std::move(linkGone)) {}

ReplyVerdict CRadioSession::Connect(const PcPortSettings& line) {
    const std::vector<std::uint8_t> reply =
        Ask(ConnectPayload(line), kAckSize, kStatusDeadline, "connect");
    return Judged(JudgeConnectReply(static_cast<int>(reply.size()), reply.data()), "connect");
}

ReplyVerdict CRadioSession::Query(CParameterSet& params) {
    const std::vector<std::uint8_t> reply =
        Ask(QueryPayload(), kParameterBlockSize, kQueryDeadline, "query");
    const ReplyVerdict verdict = JudgeQueryReply(static_cast<int>(reply.size()), reply.data());
    if (verdict == ReplyVerdict::Accepted) {
        DecodeParameterBlock(reply.data(), params);
    }
    return Judged(verdict, "query");
}

ReplyVerdict CRadioSession::Send(OpKind opKind, const RadioPayload& payload,
                                 const std::string& what) {
    const std::vector<std::uint8_t> reply = Ask(payload, kAckSize, kStatusDeadline, what);
    if (reply.size() < kAckSize) {
        return Judged(reply.empty() ? ReplyVerdict::Silent : ReplyVerdict::Short, what);
    }
    const ReplyVerdict verdict = JudgeStatusReply(opKind, reply[2]);
    if (verdict == ReplyVerdict::Accepted) {
        m_accepted.push_back(what);
    }
    return Judged(verdict, what);
}

ReplyVerdict CRadioSession::ReadChannels(int start, int count,
                                         std::vector<ChannelFreqPair>& channels) {
    const std::string what =
        "read channels " + std::to_string(start) + "-" + std::to_string(start + count - 1);
    const std::vector<std::uint8_t> reply =
        Ask(ChannelQueryPayload(start), kChannelBlockBytes, kChannelBlockDeadline, what);
    const ReplyVerdict verdict = JudgeChannelBlock(static_cast<int>(reply.size()));
    if (verdict == ReplyVerdict::Accepted) {
        channels = DecodeChannelBlock(reply.data(), count);
    }
    return Judged(verdict, what);
}

ReplyVerdict CRadioSession::WriteChannel(int channel, const ChannelFreqPair& pair) {
    const std::string number = std::to_string(channel);
    const auto write = [&](const RadioPayload& payload, const std::string& what) {
        const std::vector<std::uint8_t> reply = Ask(payload, kAckSize, kChannelAckDeadline, what);
        return Judged(JudgeChannelAck(static_cast<int>(reply.size()), reply.data()), what);
    };
    const ReplyVerdict rx =
        write(ChannelRxFrequencyPayload(channel, static_cast<std::uint32_t>(pair.rxFreq)),
              "set rx channel " + number);
    if (rx != ReplyVerdict::Accepted) {
        return rx;
    }
    return write(ChannelTxFrequencyPayload(channel, static_cast<std::uint32_t>(pair.txFreq)),
                 "set tx channel " + number);
}

// Polls often: the wait ends the moment the whole answer is in.
std::vector<std::uint8_t> CRadioSession::Ask(const RadioPayload& payload, int answerSize,
                                             std::chrono::milliseconds deadline,
                                             const std::string& what) {
    const RadioFrame frame = BuildRadioFrame(payload);
    if (SendRadioFrame(m_link, m_clock, payload) != static_cast<int>(frame.size())) {
        Trace(">", frame.data(), 0, what + ": the port is closed");
        m_lastReply.clear();
        return {};
    }
    Trace(">", frame.data(), frame.size(), what);
    const std::chrono::milliseconds end = m_clock.Now() + deadline;
    while (m_link.PendingInput() < answerSize && m_clock.Now() < end &&
           !(m_linkGone && m_linkGone())) {
        m_clock.Sleep(kPoll);
    }
    std::vector<std::uint8_t> reply(static_cast<std::size_t>(answerSize));
    reply.resize(static_cast<std::size_t>(std::max(0, m_link.Read(reply.data(), answerSize))));
    m_lastReply = reply;
    return reply;
}

void CRadioSession::Trace(const char* direction, const std::uint8_t* bytes, std::size_t count,
                          const std::string& what) const {
    if (m_trace) {
        m_trace(direction + (" " + HexBytes(bytes, count)) + "  " + what);
    }
}

ReplyVerdict CRadioSession::Judged(ReplyVerdict verdict, const std::string& what) const {
    Trace("<", m_lastReply.data(), m_lastReply.size(), what + ": " + VerdictName(verdict));
    return verdict;
}

}  // namespace radiosetup
