#include "StatusClock.h"

#include <cstdio>

namespace radiosetup {

void CStatusClock::SetTime(const TimeOfDay& time) {
    m_nHour = time.hour;
    m_nMinute = time.minute;
    m_nSecond = time.second;
}

void CStatusClock::AdvanceOneSecond() {
    ++m_nSecond;
    if (m_nSecond >= 60) {
        ++m_nMinute;
        m_nSecond %= 60;
    }
    if (m_nMinute >= 60) {
        ++m_nHour;
        m_nMinute %= 60;
    }
    if (m_nHour >= 24) {
        m_nHour %= 24;
    }
}

std::string CStatusClock::Text() const {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", m_nHour, m_nMinute, m_nSecond);
    return text;
}

}  // namespace radiosetup
