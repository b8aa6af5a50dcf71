#include "OperationExchange.h"

#include "CommandSet.h"
#include "OperationJudge.h"
#include "RadioLimits.h"

namespace radiosetup {

COperationExchange::COperationExchange(IRadioLink& link, IClock& clock, IReplyWait& wait,
                                       IExchangeObserver* observer)
    : m_line(link, clock, wait, observer) {}

ReplyVerdict COperationExchange::Connect(const PcPortSettings& line) {
    const std::vector<std::uint8_t>& reply =
        m_line.Ask(ConnectPayload(line), kAckBytes, kStatusDeadline, COperationEngine::kReplySize);
    return m_line.Judged(JudgeConnectReply(static_cast<int>(reply.size()), reply.data()));
}

ReplyVerdict COperationExchange::Query(CParameterSet& params) {
    const std::vector<std::uint8_t>& reply = m_line.Ask(
        QueryPayload(), kParameterBlockSize, kQueryDeadline, COperationEngine::kReplySize);
    return m_line.Judged(ReadParameterReply(static_cast<int>(reply.size()), reply.data(), params));
}

ReplyVerdict COperationExchange::Write(const ParameterRow::Request& request,
                                       const CParameterSet& params) {
    const std::vector<std::uint8_t>& reply = m_line.Ask(
        request.payload(params), kAckBytes, kStatusDeadline, COperationEngine::kReplySize);
    if (reply.size() < kAckBytes) {
        return m_line.Judged(reply.empty() ? ReplyVerdict::Silent : ReplyVerdict::Short);
    }
    return m_line.Judged(JudgeStatusReply(request.opKind, reply[2]));
}

}  // namespace radiosetup
