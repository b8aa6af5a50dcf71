#pragma once

#include <functional>
#include <utility>

#include "Clock.h"
#include "TestNamespaces.h"

// Time that passes only when the code under test waits: judging tests assert exact
// waits and take no wall-clock time.
class CVirtualClock final : public IClock {
public:
    // Runs at the start of every wait, while the code under test is blocked in it: a
    // window test looks at what the screen shows during the wait.
    void OnSleep(std::function<void()> watcher) { m_onSleep = std::move(watcher); }

    void Sleep(std::chrono::milliseconds duration) override {
        if (m_onSleep) {
            m_onSleep();
        }
        m_now += duration;
    }
    std::chrono::milliseconds Now() const override { return m_now; }

private:
    std::function<void()> m_onSleep;
    std::chrono::milliseconds m_now{0};
};
