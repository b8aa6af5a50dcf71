#pragma once

#include "Clock.h"
#include "TestNamespaces.h"

// Time that passes only when the code under test waits: judging tests assert exact
// waits and take no wall-clock time.
class CVirtualClock final : public IClock {
public:
    void Sleep(std::chrono::milliseconds duration) override { m_now += duration; }
    std::chrono::milliseconds Now() const override { return m_now; }

private:
    std::chrono::milliseconds m_now{0};
};
