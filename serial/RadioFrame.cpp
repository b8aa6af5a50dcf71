#include "RadioFrame.h"

#include <chrono>

#include "Clock.h"
#include "RadioLink.h"

namespace radiosetup {

RadioFrame BuildRadioFrame(const RadioPayload& payload) {
    RadioFrame frame{};
    frame[0] = kFrameHeader0;
    frame[1] = kFrameHeader1;
    std::uint8_t check = 0;
    for (std::size_t i = 0; i < payload.size(); ++i) {
        frame[2 + i] = payload[i];
        check ^= payload[i];
    }
    frame[frame.size() - 1] = check;
    return frame;
}

int SendRadioFrame(IRadioLink& link, IClock& clock, const RadioPayload& payload) {
    const RadioFrame frame = BuildRadioFrame(payload);
    // Whatever is still queued belongs to an earlier exchange and must not be
    // taken for the reply to this frame.
    std::array<std::uint8_t, kDrainLimit> stale;
    link.Read(stale.data(), kDrainLimit);
    clock.Sleep(std::chrono::milliseconds(kPreSendPauseMs));
    return link.Send(frame.data(), static_cast<int>(frame.size()));
}

bool IsAckReply(int count, const std::uint8_t* bytes) {
    if (count != 3 || bytes[0] != kFrameHeader0 || bytes[1] != kFrameHeader1) {
        return false;
    }
    const std::uint8_t status = bytes[2];
    return status == 0x00 || status == 0x11 || status == 0x22;
}

}  // namespace radiosetup
