#include "LineSettingsTransaction.h"

#include <array>

#include "Clock.h"
#include "CommandSet.h"
#include "RadioLimits.h"
#include "RadioLink.h"

namespace radiosetup {

namespace {

constexpr int kReplyReadLimit = 255;
constexpr std::size_t kStatusOffset = 2;

}  // namespace

CLineSettingsTransaction::CLineSettingsTransaction(IRadioLink& link, IClock& clock,
                                                   IReplyWait& wait)
    : m_link(link), m_clock(clock), m_wait(wait) {}

ReplyVerdict CLineSettingsTransaction::Send(int baudRate, int parity) {
    SendRadioFrame(m_link, m_clock, RadioLinePayload(baudRate, parity));
    std::array<std::uint8_t, kReplyReadLimit + 1> reply{};
    auto budget = std::chrono::milliseconds(kReplyBudgetMs);
    for (;;) {
        if (m_link.PendingInput() > 0) {
            m_wait.Await(m_link, m_clock, true, kAckBytes, kReadDelay);
            const int count = m_link.Read(reply.data(), kReplyReadLimit);
            if (count > 0) {
                return JudgeLineSettingsReply(count, reply.data());
            }
        } else {
            m_clock.Sleep(kPoll);
        }
        // A read that finds nothing after all costs like an empty poll, so the wait ends.
        budget -= kPoll;
        if (budget.count() < 0) {
            return ReplyVerdict::Silent;
        }
    }
}

ReplyVerdict JudgeLineSettingsReply(int count, const std::uint8_t* reply) {
    if (count <= 0) {
        return ReplyVerdict::Silent;
    }
    const std::uint8_t status = count > static_cast<int>(kStatusOffset) ? reply[kStatusOffset] : 0;
    return status == 0 ? ReplyVerdict::Accepted : ReplyVerdict::Refused;
}

}  // namespace radiosetup
