#include "RadioSession.h"

#include "TracingLink.h"

namespace radiosetup {

CRadioSession::CRadioSession(IRadioLink& link, IClock& clock, TraceSink trace,
                             std::function<bool()> linkGone)
    : m_trace(std::move(trace)),
      m_wait(std::move(linkGone)),
      m_operations(link, clock, m_wait, this),
      m_channels(link, clock, m_wait, this) {}

ReplyVerdict CRadioSession::Connect(const PcPortSettings& line) {
    Naming({"connect"});
    return m_operations.Connect(line);
}

ReplyVerdict CRadioSession::Query(CParameterSet& params) {
    Naming({"query"});
    const ReplyVerdict verdict = m_operations.Query(params);
    if (verdict == ReplyVerdict::Accepted) {
        m_aniAfter = Parameter(ParamId::kAni).access.reported(params);
        m_aniBefore = m_aniBefore.value_or(*m_aniAfter);
    }
    return verdict;
}

ReplyVerdict CRadioSession::Send(const ParameterRow::Request& request, const CParameterSet& params,
                                 const std::string& what) {
    Naming({what});
    const ReplyVerdict verdict = m_operations.Write(request, params);
    if (verdict == ReplyVerdict::Accepted) {
        m_accepted.push_back(what);
        if (request.opKind == OpKind::kAni) {
            m_aniAfter = params.m_nAni;
        }
    }
    return verdict;
}

ReplyVerdict CRadioSession::ReadChannels(int start, int count,
                                         std::vector<ChannelFreqPair>& channels) {
    Naming({"read channels " + std::to_string(start) + "-" + std::to_string(start + count - 1)});
    return m_channels.QueryChannels(start, count, channels);
}

ReplyVerdict CRadioSession::WriteChannel(int channel, const ChannelFreqPair& pair) {
    const std::string number = std::to_string(channel);
    Naming({"set rx channel " + number, "set tx channel " + number});
    return m_channels.SetChannel(channel, pair);
}

void CRadioSession::Naming(std::deque<std::string> names) {
    m_names = std::move(names);
}

void CRadioSession::Sent(const RadioFrame& frame, bool delivered) {
    m_strWhat = m_names.empty() ? std::string() : m_names.front();
    if (!m_names.empty()) {
        m_names.pop_front();
    }
    if (m_onRequest) {
        m_onRequest(m_strWhat);
    }
    Trace(">", frame.data(), delivered ? frame.size() : 0,
          delivered ? m_strWhat : m_strWhat + ": the port is closed");
}

void CRadioSession::Judged(const std::uint8_t* reply, int count, ReplyVerdict verdict) {
    Trace("<", reply, static_cast<std::size_t>(count), m_strWhat + ": " + VerdictName(verdict));
}

void CRadioSession::Trace(const char* direction, const std::uint8_t* bytes, std::size_t count,
                          const std::string& what) const {
    if (m_trace) {
        m_trace(direction + (" " + HexBytes(bytes, count)) + "  " + what);
    }
}

}  // namespace radiosetup
