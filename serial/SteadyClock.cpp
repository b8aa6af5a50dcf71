#include "SteadyClock.h"

#include <thread>

namespace radiosetup {

void CSteadyClock::Sleep(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

std::chrono::milliseconds CSteadyClock::Now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

IClock& SteadyClock() {
    static CSteadyClock clock;
    return clock;
}

}  // namespace radiosetup
