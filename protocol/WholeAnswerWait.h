#pragma once

#include <functional>

#include "ReplyWait.h"

namespace radiosetup {

// radioctl's wait: looks every millisecond and ends as soon as the whole answer is in, the
// window's wait has passed, or stop says so (a device that went away answers nothing). A
// request that never went out has no answer to wait for.
class CWholeAnswerWait final : public IReplyWait {
public:
    static constexpr std::chrono::milliseconds kPoll{1};

    explicit CWholeAnswerWait(std::function<bool()> stop = {});

    void Await(IRadioLink& link, IClock& clock, bool sent, int whole,
               std::chrono::milliseconds wait) override;

private:
    std::function<bool()> m_stop;
};

}  // namespace radiosetup
