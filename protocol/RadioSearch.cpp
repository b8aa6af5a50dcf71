#include "RadioSearch.h"

#include <algorithm>
#include <array>

#include "Clock.h"
#include "CommandSet.h"
#include "OperationJudge.h"
#include "RadioLink.h"

namespace radiosetup {

namespace {

constexpr int kSearchParities[] = {kParityNone, kParityOdd, kParityEven};
// Start ports up to this one search ports 1 and 2; a higher one is searched alone.
constexpr int kLastDefaultPort = 2;
constexpr int kProbeReadLimit = 1024;

}  // namespace

ReplyVerdict ProbeRadio(IRadioLink& link, IClock& clock, int baudRate, int parity) {
    const RadioPayload probe{Cmd::kConnect, LineCode(baudRate, parity), 0, 0, 0};
    SendRadioFrame(link, clock, probe);
    clock.Sleep(kProbeReplyWait);
    std::array<std::uint8_t, kProbeReadLimit> reply{};
    return JudgeConnectReply(link.Read(reply.data(), kProbeReadLimit), reply.data());
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
                                         const std::function<void(const PcPortSettings&)>& onTry) {
    for (const int baudRate : kLineRates) {
        for (const int parity : kSearchParities) {
            const PcPortSettings tried{static_cast<std::uint8_t>(portNumber), baudRate,
                                       static_cast<std::uint8_t>(parity)};
            onTry(tried);
            const std::unique_ptr<IRadioLink> link = open(tried);
            if (link && ProbeRadio(*link, clock, baudRate, parity) == ReplyVerdict::Accepted) {
                return tried;
            }
        }
    }
    return std::nullopt;
}

}  // namespace radiosetup
