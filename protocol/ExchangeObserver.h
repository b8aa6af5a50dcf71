#pragma once

#include <cstdint>

#include "RadioFrame.h"
#include "ReplyVerdict.h"

namespace radiosetup {

// Hears each request an exchange sends and what its judge made of the reply, for a trace.
class IExchangeObserver {
public:
    // delivered false: the link took nothing.
    virtual void Sent(const RadioFrame& frame, bool delivered) = 0;
    virtual void Judged(const std::uint8_t* reply, int count, ReplyVerdict verdict) = 0;

protected:
    ~IExchangeObserver() = default;
};

}  // namespace radiosetup
