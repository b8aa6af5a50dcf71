#include "ReplyWait.h"

#include "Clock.h"

namespace radiosetup {

namespace {

class CFixedWait final : public IReplyWait {
public:
    void Await(IRadioLink&, IClock& clock, bool, int, std::chrono::milliseconds wait) override {
        clock.Sleep(wait);
    }
};

}  // namespace

IReplyWait& FixedWait() {
    static CFixedWait fixed;
    return fixed;
}

}  // namespace radiosetup
