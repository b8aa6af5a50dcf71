#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ChannelFreqPair.h"

namespace radiosetup {

// A channel plan as a spreadsheet keeps it:
//
//   # comments and blank lines anywhere
//   channel,rx_mhz,tx_mhz
//   1,229.0125,229.0125
//
// Frequencies in MHz with up to four decimals, that is exactly the radio's 100 Hz unit;
// they are parsed as integers, so no rounding can shift a channel. A UTF-8 byte order
// mark and CRLF line ends, as spreadsheets write them, are taken.
class CChannelPlanCsv {
public:
    struct Row {
        int channel = 0;       // 1 to kRadioChannels
        ChannelFreqPair freq;  // 100 Hz units
    };

    struct Plan {
        std::vector<Row> rows;  // in the text's order; none when there are errors
        // "FILE:LINE: reason", one for each of the first 20 faults, then "FILE: and N more".
        std::vector<std::string> errors;
    };

    // A row is never longer; a longer line is a fault of its own and only this much of it
    // is looked at, so any input is read in little memory.
    static constexpr std::size_t kLongestLine = 1 << 20;

    // The whole stream is checked before a row is handed out: every row's channel in
    // 1..100 and named once, both frequencies in 100..600 MHz on a 12.5 kHz step. It is
    // read a piece at a time.
    static Plan Parse(std::istream& in, const std::string& fileName);
    static Plan Parse(const std::string& text, const std::string& fileName);
    // The header and the rows sorted by channel, four decimals each.
    static std::string Format(std::vector<Row> rows);

    // Why a frequency (100 Hz units) cannot be in a plan, e.g. "is not on a 12.5 kHz
    // step"; empty when it can.
    static std::string FrequencyFault(std::int64_t units);
    // "229.0125" as 2290125 when it is a frequency a plan can hold; else nullopt and why
    // (e.g. "229.01 MHz is not on a 12.5 kHz step").
    static std::optional<std::int32_t> ParseMhz(std::string_view text, std::string& fault);
    // 2290125 as "229.0125".
    static std::string Mhz(std::int32_t units);
};

}  // namespace radiosetup
