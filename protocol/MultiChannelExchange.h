#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "ChannelFreqPair.h"
#include "RadioFrame.h"
#include "ReplyVerdict.h"
#include "ReplyWait.h"
#include "RequestLine.h"

namespace radiosetup {

class IClock;
class IExchangeObserver;
class IRadioLink;

// The multi-channel conversation. Each channel's receive and then transmit frequency
// goes in a request of its own (0x04, 0x05 with the channel), each awaited 300 ms for
// an acknowledgement; ten channels are read with one 0x1D query awaited 900 ms.
// The window polls nothing: its waits are fixed and whatever has come by then is judged.
class CMultiChannelExchange {
public:
    static constexpr std::chrono::milliseconds kAckWait{300};
    static constexpr std::chrono::milliseconds kQueryWait{900};

    CMultiChannelExchange(IRadioLink& link, IClock& clock, IReplyWait& wait = FixedWait(),
                          IExchangeObserver* observer = nullptr);

    // Channels startChannel .. startChannel + count - 1 (count 1 to 10), into channels when
    // the whole block came.
    ReplyVerdict QueryChannels(int startChannel, int count, std::vector<ChannelFreqPair>& channels);
    // The same; nothing when the answer is shorter than a whole block.
    std::optional<std::vector<ChannelFreqPair>> QueryChannels(int startChannel, int count);
    // Sets one channel: the transmit request goes only after the receive one was accepted.
    ReplyVerdict SetChannel(int channel, const ChannelFreqPair& pair);
    // Sets consecutive channels from startChannel, stopping at the first not accepted.
    ReplyVerdict SetChannels(int startChannel, const std::vector<ChannelFreqPair>& pairs);

private:
    ReplyVerdict SendAndAwaitAck(const RadioPayload& payload);

    CRequestLine m_line;
};

// An acknowledgement starts 55 AA 00; what follows is ignored. A refusal carries
// another status after the header.
ReplyVerdict JudgeChannelAck(int count, const std::uint8_t* reply);
// A channel query's answer needs the whole 40-byte block; more is ignored.
ReplyVerdict JudgeChannelBlock(int count);

}  // namespace radiosetup
