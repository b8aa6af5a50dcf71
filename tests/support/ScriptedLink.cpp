#include "ScriptedLink.h"

#include <algorithm>

#include "TestNamespaces.h"

int CScriptedLink::Send(const std::uint8_t* bytes, int length) {
    if (length <= 0) {
        return 0;
    }
    const auto now = m_clock.Now();
    m_sent.push_back({now, std::vector<std::uint8_t>(bytes, bytes + length)});
    std::vector<Part> answer;
    if (!m_script.empty()) {
        answer = std::move(m_script.front());
        m_script.pop_front();
    } else if (m_responder) {
        answer = m_responder(m_sent.back().bytes);
    }
    for (Part& part : answer) {
        m_arriving.push_back({now + part.delay, std::move(part.bytes)});
    }
    std::stable_sort(m_arriving.begin(), m_arriving.end(),
                     [](const Sent& a, const Sent& b) { return a.time < b.time; });
    return length;
}

int CScriptedLink::PendingInput() {
    Deliver();
    return static_cast<int>(m_queued.size());
}

int CScriptedLink::Read(std::uint8_t* buffer, int limit) {
    Deliver();
    const int count = std::min(limit, static_cast<int>(m_queued.size()));
    for (int i = 0; i < count; ++i) {
        buffer[i] = m_queued.front();
        m_queued.pop_front();
    }
    return std::max(count, 0);
}

void CScriptedLink::Deliver() {
    const auto now = m_clock.Now();
    auto arrived = m_arriving.begin();
    while (arrived != m_arriving.end() && arrived->time <= now) {
        m_queued.insert(m_queued.end(), arrived->bytes.begin(), arrived->bytes.end());
        ++arrived;
    }
    m_arriving.erase(m_arriving.begin(), arrived);
}
