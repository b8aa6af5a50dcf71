#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "RadioLink.h"
#include "RadioSession.h"

namespace radiosetup {

// "55 AA 00", or "(nothing)".
std::string HexBytes(const std::uint8_t* bytes, std::size_t count);

// Passes everything to a link and tells the trace what crossed it, for the conversations
// that drive a link themselves (the line change, the search's probes).
class CTracingLink final : public IRadioLink {
public:
    CTracingLink(IRadioLink& link, TraceSink trace, std::string what);
    // Owns the link as well, for links opened for one exchange.
    CTracingLink(std::unique_ptr<IRadioLink> link, TraceSink trace, std::string what);

    int Send(const std::uint8_t* bytes, int length) override;
    int PendingInput() override { return m_link.PendingInput(); }
    int Read(std::uint8_t* buffer, int limit) override;

private:
    std::unique_ptr<IRadioLink> m_pOwned;
    IRadioLink& m_link;
    TraceSink m_trace;
    std::string m_strWhat;
};

}  // namespace radiosetup
