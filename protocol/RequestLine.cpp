#include "RequestLine.h"

#include <algorithm>

#include "ExchangeObserver.h"
#include "RadioLink.h"
#include "ReplyWait.h"

namespace radiosetup {

CRequestLine::CRequestLine(IRadioLink& link, IClock& clock, IReplyWait& wait,
                           IExchangeObserver* observer)
    : m_link(link), m_clock(clock), m_wait(wait), m_pObserver(observer) {}

const std::vector<std::uint8_t>& CRequestLine::Ask(const RadioPayload& payload, int whole,
                                                   std::chrono::milliseconds wait, int readLimit) {
    const bool sent = SendRadioFrame(m_link, m_clock, payload) > 0;
    if (m_pObserver != nullptr) {
        m_pObserver->Sent(BuildRadioFrame(payload), sent);
    }
    m_wait.Await(m_link, m_clock, sent, whole, wait);
    m_reply.resize(static_cast<std::size_t>(readLimit));
    m_reply.resize(static_cast<std::size_t>(std::max(0, m_link.Read(m_reply.data(), readLimit))));
    return m_reply;
}

ReplyVerdict CRequestLine::Judged(ReplyVerdict verdict) const {
    if (m_pObserver != nullptr) {
        m_pObserver->Judged(m_reply.data(), static_cast<int>(m_reply.size()), verdict);
    }
    return verdict;
}

}  // namespace radiosetup
