#include "SimFrameFinder.h"

#include <algorithm>

namespace radiosim {

namespace {

constexpr std::uint8_t kHeader0 = 0x55;
constexpr std::uint8_t kHeader1 = 0xAA;

bool CheckByteMatches(const SimRequestFrame& frame) {
    std::uint8_t check = 0;
    for (std::size_t i = 2; i < 7; ++i) {
        check ^= frame[i];
    }
    return check == frame[7];
}

}  // namespace

void CSimFrameFinder::Add(const std::uint8_t* bytes, std::size_t count) {
    m_bytes.insert(m_bytes.end(), bytes, bytes + count);
}

void CSimFrameFinder::SkipToHeader() {
    std::size_t start = 0;
    while (start < m_bytes.size()) {
        const bool header0 = m_bytes[start] == kHeader0;
        const bool header1 = start + 1 >= m_bytes.size() || m_bytes[start + 1] == kHeader1;
        if (header0 && header1) {
            break;
        }
        ++start;
    }
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(start));
    m_nSkipped += start;
}

std::optional<SimFoundFrame> CSimFrameFinder::Next() {
    SkipToHeader();
    SimFoundFrame found;
    if (m_bytes.size() < found.frame.size()) {
        return std::nullopt;
    }
    std::copy_n(m_bytes.begin(), found.frame.size(), found.frame.begin());
    found.checkOk = CheckByteMatches(found.frame);
    found.skippedBefore = m_nSkipped;
    m_nSkipped = 0;
    const std::size_t consumed = found.checkOk ? found.frame.size() : 1;
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(consumed));
    return found;
}

}  // namespace radiosim
