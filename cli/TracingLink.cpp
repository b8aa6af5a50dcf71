#include "TracingLink.h"

#include <cstdio>

namespace radiosetup {

std::string HexBytes(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(byte, sizeof(byte), i == 0 ? "%02X" : " %02X", bytes[i]);
        text += byte;
    }
    return text.empty() ? "(nothing)" : text;
}

CTracingLink::CTracingLink(IRadioLink& link, TraceSink trace, std::string what)
    : m_link(link), m_trace(std::move(trace)), m_strWhat(std::move(what)) {}

CTracingLink::CTracingLink(std::unique_ptr<IRadioLink> link, TraceSink trace, std::string what)
    : m_pOwned(std::move(link)),
      m_link(*m_pOwned),
      m_trace(std::move(trace)),
      m_strWhat(std::move(what)) {}

int CTracingLink::Send(const std::uint8_t* bytes, int length) {
    const int sent = m_link.Send(bytes, length);
    if (m_trace) {
        m_trace("> " + HexBytes(bytes, static_cast<std::size_t>(std::max(sent, 0))) + "  " +
                m_strWhat);
    }
    return sent;
}

int CTracingLink::Read(std::uint8_t* buffer, int limit) {
    const int read = m_link.Read(buffer, limit);
    if (m_trace && read > 0) {
        m_trace("< " + HexBytes(buffer, static_cast<std::size_t>(read)) + "  " + m_strWhat);
    }
    return read;
}

}  // namespace radiosetup
