// Any text as a channel plan: a plan that is taken reads back the same once written.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ChannelPlanCsv.h"

using radiosetup::CChannelPlanCsv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const CChannelPlanCsv::Plan plan = CChannelPlanCsv::Parse(text, "fuzz.csv");
    if (plan.errors.empty()) {
        const std::string written = CChannelPlanCsv::Format(plan.rows);
        const CChannelPlanCsv::Plan again = CChannelPlanCsv::Parse(written, "fuzz.csv");
        if (!again.errors.empty() || CChannelPlanCsv::Format(again.rows) != written) {
            std::abort();
        }
    }
    return 0;
}
