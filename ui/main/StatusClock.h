#pragma once

#include <string>

namespace radiosetup {

// The status bar's clock: reads the time of day once, then counts seconds itself
// and reads the time again about every half hour.
class CStatusClock {
public:
    struct TimeOfDay {
        int hour = 0;
        int minute = 0;
        int second = 0;
    };

    void SetTime(const TimeOfDay& time);
    // One second has passed; readTime gives the system's time of day when needed.
    template <typename ReadTime>
    void Tick(ReadTime readTime) {
        if (m_nClockTicks == 0) {
            m_nClockTicks = 1;
            SetTime(readTime());
            return;
        }
        // Counts in twos, so the time is read again every 1801 ticks.
        m_nClockTicks += 2;
        if (m_nClockTicks > kResyncTicks) {
            m_nClockTicks = 0;
        }
        AdvanceOneSecond();
    }
    // hh:mm:ss with two digits in each part.
    std::string Text() const;

private:
    static constexpr int kResyncTicks = 3600;
    void AdvanceOneSecond();

    int m_nClockTicks = 0;
    int m_nHour = 0;
    int m_nMinute = 0;
    int m_nSecond = 0;
};

}  // namespace radiosetup
