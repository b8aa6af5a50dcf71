#include "MultiChannelExchange.h"

#include <array>

#include "ChannelBlock.h"
#include "Clock.h"
#include "CommandSet.h"
#include "RadioLimits.h"
#include "RadioLink.h"

namespace radiosetup {

namespace {

constexpr int kAckReadLimit = 8;
constexpr int kQueryReadLimit = kParameterBlockSize;

}  // namespace

CMultiChannelExchange::CMultiChannelExchange(IRadioLink& link, IClock& clock)
    : m_link(link), m_clock(clock) {}

std::optional<std::vector<ChannelFreqPair>> CMultiChannelExchange::QueryChannels(int startChannel,
                                                                                 int count) {
    SendRadioFrame(m_link, m_clock, ChannelQueryPayload(startChannel));
    m_clock.Sleep(kQueryWait);
    std::array<std::uint8_t, kQueryReadLimit> reply{};
    const int got = m_link.Read(reply.data(), kQueryReadLimit);
    if (JudgeChannelBlock(got) != ReplyVerdict::Accepted) {
        return std::nullopt;
    }
    return DecodeChannelBlock(reply.data(), count);
}

ReplyVerdict CMultiChannelExchange::SetChannel(int channel, const ChannelFreqPair& pair) {
    const ReplyVerdict rx = SendAndAwaitAck(
        ChannelRxFrequencyPayload(channel, static_cast<std::uint32_t>(pair.rxFreq)));
    if (rx != ReplyVerdict::Accepted) {
        return rx;
    }
    return SendAndAwaitAck(
        ChannelTxFrequencyPayload(channel, static_cast<std::uint32_t>(pair.txFreq)));
}

ReplyVerdict CMultiChannelExchange::SetChannels(int startChannel,
                                                const std::vector<ChannelFreqPair>& pairs) {
    ReplyVerdict verdict = ReplyVerdict::Accepted;
    int channel = startChannel;
    for (const ChannelFreqPair& pair : pairs) {
        verdict = SetChannel(channel++, pair);
        if (verdict != ReplyVerdict::Accepted) {
            break;
        }
    }
    return verdict;
}

ReplyVerdict CMultiChannelExchange::SendAndAwaitAck(const RadioPayload& payload) {
    SendRadioFrame(m_link, m_clock, payload);
    m_clock.Sleep(kAckWait);
    std::array<std::uint8_t, kAckReadLimit> reply{};
    return JudgeChannelAck(m_link.Read(reply.data(), kAckReadLimit), reply.data());
}

ReplyVerdict JudgeChannelAck(int count, const std::uint8_t* reply) {
    if (count <= 0) {
        return ReplyVerdict::Silent;
    }
    if (count < 3) {
        return ReplyVerdict::Short;
    }
    if (reply[0] != kFrameHeader0 || reply[1] != kFrameHeader1) {
        return ReplyVerdict::Unexpected;
    }
    return reply[2] == 0 ? ReplyVerdict::Accepted : ReplyVerdict::Refused;
}

ReplyVerdict JudgeChannelBlock(int count) {
    if (count <= 0) {
        return ReplyVerdict::Silent;
    }
    return count < kChannelBlockBytes ? ReplyVerdict::Short : ReplyVerdict::Accepted;
}

}  // namespace radiosetup
