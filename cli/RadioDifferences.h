#pragma once

#include <string>
#include <vector>

#include "ChannelPlanCsv.h"
#include "Json.h"
#include "ParameterTable.h"
#include "RadioBackup.h"

namespace radiosetup {

// One value the radio holds otherwise than a file: a parameter, or one frequency of a
// channel (100 Hz units).
struct Difference {
    int channel = 0;                    // 0: a parameter
    const ParameterRow* row = nullptr;  // the parameter; none for a channel
    std::string name;                   // the parameter's backup key, or a channel's "rx" or "tx"
    std::int32_t radio = 0;
    std::int32_t file = 0;
};

// A value as the file writes it: a channel's MHz with four decimals, a parameter's Hz,
// true or false, or number.
std::string FileText(const Difference& difference, std::int32_t value);
// "channel 7 rx: 229.0125 → 230.0000", "tx_time_limit_s: 0 → 30".
std::string DiffLine(const Difference& difference);
// {"channel": 7, "key": "rx_hz", "radio": 229012500, "file": 230000000}, frequencies in Hz;
// a parameter without "channel"; fileKey names the file's value ("written" for a verify).
JsonDocument DifferenceJson(const Difference& difference, const char* fileKey);

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
