#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CommandSet.h"
#include "OpKind.h"
#include "ParameterBlock.h"
#include "ParameterSet.h"

namespace radiosetup {

enum class ParamId {
    kAni,
    kChannelTotal,
    kCurrentChannel,
    kRxFrequency,
    kTxFrequency,
    kTxTimeLimit,
    kWorkMode,
    kAddressing,
    kTransparent,
    kRelay,
    kErrorCorrection,
    kEncryption,
    kCompander,
    kPreEmphasis,
    kRxChannelGain,
    kRxVoiceGain,
    kTxChannelGain,
    kTxVoiceGain,
};

enum class ParamKind {
    kFrequency,  // 100 Hz units: MHz in radioctl, Hz in backups
    kNumber,
    kLevel,   // an audio level, shown as "n of <highest>"
    kSwitch,  // 0 off, 1 on
    kChoice,  // the index of one of its words
};

// One parameter of the radio: its names, its range, where the parameter block reports
// it and the request that writes it.
struct ParameterRow {
    struct Names {
        // The one name of radioctl set, JSON output and backups.
        const char* key;
        // The name radioctl set took before, still taken (a frequency by it in MHz, not
        // Hz); nullptr for none.
        const char* formerKey;
        const char* label;  // radioctl query; nullptr for what the radio does not report
    };
    // Whole numbers from low to high; the main window's message for others (it checks
    // the current channel against the channel total, the message's %1).
    struct Range {
        std::int32_t low;
        std::int32_t high;
        const char* message;
    };
    struct Request {
        OpKind opKind;  // the audio parameters share one request
        RadioPayload (*payload)(const CParameterSet&);
    };
    struct Access {
        // The value of a queried set; nullptr for what the radio does not report.
        std::int32_t (*reported)(const CParameterSet&);
        // The value into a set to be sent.
        void (*apply)(CParameterSet&, std::int32_t value);
    };

    ParamId id;
    Names names;
    ParamKind kind;
    const char* unit;  // after the value in radioctl query; "" for none
    Range range;
    std::vector<std::string> words;       // what set takes for a switch or a choice
    std::vector<std::string> shownWords;  // radioctl query's, where they differ
    std::optional<BlockField> field;      // none: not in the block, or the channel entry
    Request request;
    Access access;

    bool Holds(long long value) const { return value >= range.low && value <= range.high; }
};

// In the order radioctl set sends them: the current channel before the frequencies
// that go to it.
const std::vector<ParameterRow>& ParameterTable();
const ParameterRow& Parameter(ParamId id);

}  // namespace radiosetup
