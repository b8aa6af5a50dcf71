#pragma once

#include <chrono>

namespace radiosetup {

class IClock;
class IRadioLink;

// How an exchange waits for the answer to a request. The window sleeps each wait whole
// and judges what came by then; radioctl takes the answer as soon as all of it is in, the
// same wait being only its deadline.
class IReplyWait {
public:
    virtual ~IReplyWait() = default;
    // Called once the request was handed to the link (sent false: the link took nothing),
    // for an answer of whole bytes that the window gives wait to come.
    virtual void Await(IRadioLink& link, IClock& clock, bool sent, int whole,
                       std::chrono::milliseconds wait) = 0;
};

// The window's: every wait slept whole, whatever comes meanwhile.
IReplyWait& FixedWait();

}  // namespace radiosetup
