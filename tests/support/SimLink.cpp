#include "SimLink.h"

#include "SimCommands.h"

namespace {

// Ten bits a byte at 9600 bit/s, rounded up to whole milliseconds.
std::chrono::milliseconds LineTime(std::size_t bytes) {
    return std::chrono::milliseconds((bytes * 10 * 1000 + 9599) / 9600);
}

}  // namespace

CSimLink::CSimLink(const IClock& clock, SimRadioState state)
    : m_link(clock), m_state(std::move(state)) {
    m_link.SetResponder([this](const std::vector<std::uint8_t>& sent) { return Answer(sent); });
}

std::vector<CScriptedLink::Part> CSimLink::Answer(const std::vector<std::uint8_t>& sent) {
    std::vector<CScriptedLink::Part> parts;
    m_finder.Add(sent.data(), sent.size());
    while (const std::optional<SimFoundFrame> found = m_finder.Next()) {
        if (!found->checkOk) {
            continue;
        }
        m_frames.push_back(found->frame);
        const SimAnswer answer = AnswerRequest(m_state, found->frame);
        parts.push_back({LineTime(sent.size() + answer.reply.size()), answer.reply});
    }
    return parts;
}
