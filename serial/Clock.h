#pragma once

#include <chrono>

namespace radiosetup {

// Time as the radio conversation sees it: waits and a monotonic now. The program runs
// on the steady clock; tests run the same code in virtual time.
class IClock {
public:
    virtual ~IClock() = default;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
    virtual std::chrono::milliseconds Now() const = 0;
};

}  // namespace radiosetup
