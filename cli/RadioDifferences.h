#pragma once

#include <string>
#include <vector>

#include "ChannelPlanCsv.h"
#include "RadioBackup.h"

namespace radiosetup {

// One value the radio holds otherwise than a file: a parameter by its backup key, or one
// frequency of a channel. Values as the file writes them (Hz, true or false, a number;
// a channel's MHz with four decimals).
struct Difference {
    int channel = 0;   // 0: a parameter
    std::string name;  // "tx_time_limit_s", or a channel's "rx" or "tx"
    std::string radio;
    std::string file;
};

// "channel 7 rx: 229.0125 → 230.0000", "tx_time_limit_s: 0 → 30".
std::string DiffLine(const Difference& difference);

// Each frequency of the file's rows the radio holds otherwise; held runs without a gap
// from its first channel and covers every channel of file.
std::vector<Difference> ChannelDifferences(const std::vector<CChannelPlanCsv::Row>& file,
                                           const std::vector<CChannelPlanCsv::Row>& held);
// Each reported parameter the radio reports otherwise than the file holds it, by what the
// radio can report of it (the ANI's low 16 bits); the ANI left out when skipAni.
std::vector<Difference> ParameterDifferences(const RadioBackup& file, const RadioBackup& radio,
                                             bool skipAni);
// A backup's 100 channels as plan rows.
std::vector<CChannelPlanCsv::Row> ChannelRows(const RadioBackup& backup);

}  // namespace radiosetup
