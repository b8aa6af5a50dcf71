#include "RadioSearch.h"

#include <algorithm>

#include "CommandSet.h"
#include "OperationJudge.h"
#include "RadioLimits.h"
#include "RadioLink.h"
#include "RequestLine.h"

namespace radiosetup {

namespace {

constexpr int kSearchParities[] = {kParityNone, kParityOdd, kParityEven};
// Start ports up to this one search ports 1 and 2; a higher one is searched alone.
constexpr int kLastDefaultPort = 2;
constexpr int kProbeReadLimit = 1024;

}  // namespace

ReplyVerdict ProbeRadio(IRadioLink& link, IClock& clock, int baudRate, int parity,
                        IReplyWait& wait) {
    CRequestLine line(link, clock, wait, nullptr);
    const std::vector<std::uint8_t>& reply =
        line.Ask(ConnectPayload({0, baudRate, static_cast<std::uint8_t>(parity)}), kAckBytes,
                 kProbeReplyWait, kProbeReadLimit);
    return JudgeConnectReply(static_cast<int>(reply.size()), reply.data());
}

std::optional<PcPortSettings> SearchForRadio(
    int startPort, const ProbeLinkOpener& open, IClock& clock,
    const std::function<void(const PcPortSettings&)>& onTry) {
    const int firstPort = startPort > kLastDefaultPort ? startPort : 1;
    const int lastPort = std::max(firstPort, kLastDefaultPort);
    for (int portNumber = firstPort; portNumber <= lastPort; ++portNumber) {
        if (const auto found = SearchPort(portNumber, open, clock, onTry)) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<PcPortSettings> SearchPort(int portNumber, const ProbeLinkOpener& open, IClock& clock,
                                         const std::function<void(const PcPortSettings&)>& onTry,
                                         IReplyWait& wait) {
    for (const int baudRate : kLineRates) {
        for (const int parity : kSearchParities) {
            const PcPortSettings tried{static_cast<std::uint8_t>(portNumber), baudRate,
                                       static_cast<std::uint8_t>(parity)};
            onTry(tried);
            const std::unique_ptr<IRadioLink> link = open(tried);
            if (link &&
                ProbeRadio(*link, clock, baudRate, parity, wait) == ReplyVerdict::Accepted) {
                return tried;
            }
        }
    }
    return std::nullopt;
}

}  // namespace radiosetup
