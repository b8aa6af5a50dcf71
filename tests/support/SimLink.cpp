#include "SimLink.h"

#include <algorithm>

#include "SimCommands.h"
#include "TestNamespaces.h"

namespace {

// Ten bits a byte at 9600 bit/s, rounded up to whole milliseconds.
std::chrono::milliseconds LineTime(std::size_t bytes) {
    return std::chrono::milliseconds((bytes * 10 * 1000 + 9599) / 9600);
}

}  // namespace

CSimLink::CSimLink(const IClock& clock, SimRadioState state)
    : m_clock(clock), m_link(clock), m_state(std::move(state)) {
    m_link.SetResponder([this](const std::vector<std::uint8_t>& sent) { return Answer(sent); });
}

std::vector<CScriptedLink::Part> CSimLink::Answer(const std::vector<std::uint8_t>& sent) {
    std::vector<CScriptedLink::Part> parts;
    m_finder.Add(sent.data(), sent.size());
    while (const std::optional<SimFoundFrame> found = m_finder.Next()) {
        if (!found->checkOk) {
            continue;
        }
        SimFrameRecord record;
        record.when = std::chrono::steady_clock::time_point(m_clock.Now());
        record.frame = found->frame;
        const SimAnswer answer =
            AnswerWithFaults(m_state, m_faults, found->frame, m_frames.size() + 1);
        record.reply = answer.reply;
        record.note = answer.note;
        m_frames.push_back(record);
        if (answer.newLine) {
            m_state.baudRate = answer.newLine->baudRate;
            m_state.parity = answer.newLine->parity;
        }
        for (CScriptedLink::Part& part : Deliver(answer.reply, LineTime(sent.size()))) {
            parts.push_back(std::move(part));
        }
    }
    return parts;
}

// The delivery faults: a delay, garbage ahead of the reply, a reply in two parts.
std::vector<CScriptedLink::Part> CSimLink::Deliver(const std::vector<std::uint8_t>& reply,
                                                   std::chrono::milliseconds sentAt) const {
    if (reply.empty()) {
        return {};
    }
    const auto start = sentAt + std::chrono::milliseconds(m_faults.replyDelayMs);
    const auto splitAt = static_cast<std::size_t>(std::max(m_faults.splitAt, 0));
    const bool split = splitAt > 0 && splitAt < reply.size();
    const auto firstEnd =
        reply.begin() + static_cast<std::ptrdiff_t>(split ? splitAt : reply.size());
    std::vector<std::uint8_t> first = m_faults.garbageBefore;
    first.insert(first.end(), reply.begin(), firstEnd);
    const auto firstArrives = start + LineTime(first.size());
    std::vector<CScriptedLink::Part> parts{{firstArrives, first}};
    if (split) {
        const std::vector<std::uint8_t> rest(firstEnd, reply.end());
        parts.push_back({firstArrives + std::chrono::milliseconds(m_faults.splitPauseMs) +
                             LineTime(rest.size()),
                         rest});
    }
    return parts;
}
