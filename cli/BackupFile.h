#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Json.h"
#include "ParameterTable.h"
#include "RadioBackup.h"

namespace radiosetup {

// A radio's backup as JSON text. Frequencies in Hz, whole numbers; keys in this order:
//
//   {
//     "format": "radioctl-backup",
//     "version": 1,
//     "parameters": {
//       "rx_hz": 229000000, "tx_hz": 229000000,        current channel, 100..600 MHz
//       "ani": 0,                                      0..16777215
//       "channel_total": 100, "current_channel": 1,    1..100 each
//       "tx_time_limit_s": 0,                          0..255
//       "rx_channel_gain": 8, "rx_voice_gain": 4,      1..16, 1..8
//       "tx_channel_gain": 8, "tx_voice_gain": 8,      1..16 each
//       "addressing": true, "transparent": true, "error_correction": false,
//       "encryption": false, "compander": false,
//       "pre_emphasis": false                          true or false each
//     },
//     "channels": [
//       {"channel": 1, "rx_hz": 230000000, "tx_hz": 230000000},
//       ...                                            all 100, in channel order
//     ]
//   }
//
// Every frequency is one the radio can be set to (100..600 MHz on a 12.5 kHz step), so a
// backup that reads can be written back as it is. Other keys are ignored.
class CBackupFile {
public:
    static std::string Format(const RadioBackup& backup);
    // The "parameters" object alone (channels aside).
    static JsonDocument ParametersJson(const RadioBackup& backup);
    // One item of "channels".
    static JsonDocument ChannelJson(std::int32_t channel, const ChannelFreqPair& pair);
    // One parameter's value as the file holds it: Hz, true or false, a number.
    static JsonDocument ValueJson(const ParameterRow& row, std::int32_t value);
    static std::string FormatValue(const ParameterRow& row, std::int32_t value);
    // A frequency in Hz as the radio's 100 Hz units; nullopt with the fault ("229012550 Hz
    // is not a multiple of 100 Hz") for one the radio cannot be set to.
    static std::optional<std::int32_t> FrequencyFromHz(long long hz, std::string& fault);

    // The values of a document's "parameters" object as set --from-json takes them: any
    // of the table's keys, in the forms the file holds (a choice as its word); nullopt with
    // a message naming the first faulty key. Other members of the document are ignored.
    using Values = std::vector<std::pair<const ParameterRow*, std::int32_t>>;
    static std::optional<Values> ParseParameters(const std::string& text, std::string& error);
    // Nullopt, with one message naming the first faulty key ("parameters.ani: ..."),
    // for a text that is no backup of this version or holds a value out of range.
    static std::optional<RadioBackup> Parse(const std::string& text, std::string& error);
};

}  // namespace radiosetup
