#pragma once

#include "Clock.h"

namespace radiosetup {

// The real clock: sleeps the calling thread.
class CSteadyClock final : public IClock {
public:
    void Sleep(std::chrono::milliseconds duration) override;
    std::chrono::milliseconds Now() const override;
};

// The one steady clock every real conversation shares.
IClock& SteadyClock();

}  // namespace radiosetup
