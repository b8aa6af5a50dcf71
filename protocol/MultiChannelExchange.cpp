#include "MultiChannelExchange.h"

#include "ChannelBlock.h"
#include "CommandSet.h"
#include "RadioLimits.h"

namespace radiosetup {

namespace {

constexpr int kAckReadLimit = 8;
constexpr int kQueryReadLimit = kParameterBlockSize;

}  // namespace

CMultiChannelExchange::CMultiChannelExchange(IRadioLink& link, IClock& clock, IReplyWait& wait,
                                             IExchangeObserver* observer)
    : m_line(link, clock, wait, observer) {}

ReplyVerdict CMultiChannelExchange::QueryChannels(int startChannel, int count,
                                                  std::vector<ChannelFreqPair>& channels) {
    const std::vector<std::uint8_t>& reply = m_line.Ask(
        ChannelQueryPayload(startChannel), kChannelBlockBytes, kQueryWait, kQueryReadLimit);
    const ReplyVerdict verdict = JudgeChannelBlock(static_cast<int>(reply.size()));
    if (verdict == ReplyVerdict::Accepted) {
        channels = DecodeChannelBlock(reply.data(), count);
    }
    return m_line.Judged(verdict);
}

std::optional<std::vector<ChannelFreqPair>> CMultiChannelExchange::QueryChannels(int startChannel,
                                                                                 int count) {
    std::vector<ChannelFreqPair> channels;
    if (QueryChannels(startChannel, count, channels) != ReplyVerdict::Accepted) {
        return std::nullopt;
    }
    return channels;
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
    const std::vector<std::uint8_t>& reply =
        m_line.Ask(payload, kAckBytes, kAckWait, kAckReadLimit);
    return m_line.Judged(JudgeChannelAck(static_cast<int>(reply.size()), reply.data()));
}

ReplyVerdict JudgeChannelAck(int count, const std::uint8_t* reply) {
    if (count <= 0) {
        return ReplyVerdict::Silent;
    }
    if (count < kAckBytes) {
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
