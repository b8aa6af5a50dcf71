// query and set: the parameters the main window shows.
#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

#include "BackupFile.h"
#include "ChannelPlanCsv.h"
#include "CommandRun.h"
#include "CommandSet.h"
#include "Json.h"
#include "ReportedParameters.h"

namespace radiosetup {

namespace {

std::string OnOff(bool on) {
    return on ? "on" : "off";
}

void PrintParameters(const CCommandRun& run, const RadioBackup& radio) {
    const std::pair<const char*, std::string> lines[] = {
        {"rx frequency", CChannelPlanCsv::Mhz(radio.rxFrequency) + " MHz"},
        {"tx frequency", CChannelPlanCsv::Mhz(radio.txFrequency) + " MHz"},
        {"ANI", std::to_string(radio.ani)},
        {"channel total", std::to_string(radio.channelTotal)},
        {"current channel", std::to_string(radio.currentChannel)},
        {"tx time limit", std::to_string(radio.txTimeLimit) + " s"},
        {"addressing", OnOff(radio.addressing)},
        {"data method", radio.transparent ? "transparent" : "non-transparent"},
        {"error correction", OnOff(radio.errorCorrection)},
        {"encryption", OnOff(radio.encryption)},
        {"compander", OnOff(radio.compander)},
        {"pre-emphasis", OnOff(radio.preEmphasis)},
        {"rx channel gain", std::to_string(radio.rxChannelGain) + " of 16"},
        {"rx voice gain", std::to_string(radio.rxVoiceGain) + " of 8"},
        {"tx channel gain", std::to_string(radio.txChannelGain) + " of 16"},
        {"tx voice gain", std::to_string(radio.txVoiceGain) + " of 16"},
    };
    run.out << "radio on " << run.Where() << "\n";
    for (const auto& [name, value] : lines) {
        std::string padded = name;
        padded.resize(18, ' ');
        run.out << "  " << padded << value << "\n";
    }
}

// A value of set: checked alone before anything is sent, applied to the queried
// parameters afterwards.
struct SetValue {
    std::string key;
    std::string text;
    std::function<void(CParameterSet&)> apply;
};

struct SetKey {
    const char* name;
    OpKind opKind;  // what is sent; several audio keys share one request
    RadioPayload (*payload)(const CParameterSet&);
    // Empty when text is no value for the key, else how to apply it.
    std::function<std::function<void(CParameterSet&)>(const std::string& text, std::string& fault)>
        parse;
};

using Apply = std::function<void(CParameterSet&)>;

template <typename Field>
std::function<Apply(const std::string&, std::string&)> Number(Field CParameterSet::*field, long low,
                                                              long high) {
    return [field, low, high](const std::string& text, std::string& fault) -> Apply {
        const auto value = WholeNumber(text, low, high);
        if (!value) {
            fault =
                "takes a whole number from " + std::to_string(low) + " to " + std::to_string(high);
            return {};
        }
        return [field, value](CParameterSet& p) { p.*field = static_cast<Field>(*value); };
    };
}

std::function<Apply(const std::string&, std::string&)> Frequency(
    std::uint32_t CParameterSet::*field) {
    return [field](const std::string& text, std::string& fault) -> Apply {
        const auto units = CChannelPlanCsv::ParseMhz(text, fault);
        if (!units) {
            return {};
        }
        return [field, units](CParameterSet& p) { p.*field = static_cast<std::uint32_t>(*units); };
    };
}

// One of several words, each with what it sets.
std::function<Apply(const std::string&, std::string&)> Choice(
    std::map<std::string, Apply> choices) {
    return [choices](const std::string& text, std::string& fault) -> Apply {
        const auto found = choices.find(text);
        if (found != choices.end()) {
            return found->second;
        }
        fault = "takes";
        for (const auto& choice : choices) {
            fault += " " + choice.first;
        }
        return {};
    };
}

template <typename Field>
std::function<Apply(const std::string&, std::string&)> Switch(Field CParameterSet::*field, Field on,
                                                              Field off) {
    return Choice({{"on", [field, on](CParameterSet& p) { p.*field = on; }},
                   {"off", [field, off](CParameterSet& p) { p.*field = off; }}});
}

// In the order they are sent: the current channel before the frequencies that go to it.
const std::vector<SetKey>& SetKeys() {
    using P = CParameterSet;
    static const std::vector<SetKey> keys = {
        {"ani", OpKind::kAni, AniPayload, Number(&P::m_nAni, 0, 16777215)},
        {"total", OpKind::kChannelTotal, ChannelTotalPayload, Number(&P::m_nChannelTotal, 1, 100)},
        {"channel", OpKind::kCurrentChannel, CurrentChannelPayload,
         Number(&P::m_nCurrentChannel, 1, 100)},
        {"rx", OpKind::kRxFrequency, RxFrequencyPayload, Frequency(&P::m_nRxFrequency)},
        {"tx", OpKind::kTxFrequency, TxFrequencyPayload, Frequency(&P::m_nTxFrequency)},
        {"time-limit", OpKind::kTxTimeLimit, TxTimeLimitPayload,
         Number(&P::m_nTxTimeLimit, 0, 255)},
        {"mode", OpKind::kWorkMode, WorkModePayload,
         Choice({{"data", [](P& p) { p.m_bDataMode = 1; }},
                 {"voice", [](P& p) { p.m_bDataMode = 0; }}})},
        {"addressing", OpKind::kAddressing, AddressingPayload,
         Switch<std::uint8_t>(&P::m_bAddressing, 1, 0)},
        {"transparent", OpKind::kTransparent, TransparentPayload,
         Switch<std::uint8_t>(&P::m_bTransparent, 1, 0)},
        {"relay", OpKind::kRelay, RelayPayload,
         Choice({{"off", [](P& p) { p.m_bRelayOn = 0, p.m_bRxEndRelay = 0; }},
                 {"on", [](P& p) { p.m_bRelayOn = 1, p.m_bRxEndRelay = 0; }},
                 {"rx-end", [](P& p) { p.m_bRelayOn = 1, p.m_bRxEndRelay = 1; }}})},
        {"ecc", OpKind::kErrorCorrection, ErrorCorrectionPayload,
         Switch<std::int32_t>(&P::m_nEccSetting, kEccUsed, kEccNotUsed)},
        {"encryption", OpKind::kEncryption, EncryptionPayload,
         Switch<std::uint8_t>(&P::m_bEncryption, 1, 0)},
        {"compander", OpKind::kAudio, AudioPayload, Switch<std::uint8_t>(&P::m_bCompander, 1, 0)},
        {"pre-emphasis", OpKind::kAudio, AudioPayload,
         Switch<std::uint8_t>(&P::m_bPreEmphasis, 1, 0)},
        {"rx-channel-gain", OpKind::kAudio, AudioPayload, Number(&P::m_nRxChannelGain, 1, 16)},
        {"rx-voice-gain", OpKind::kAudio, AudioPayload, Number(&P::m_nRxVoiceGain, 1, 8)},
        {"tx-channel-gain", OpKind::kAudio, AudioPayload, Number(&P::m_nTxChannelGain, 1, 16)},
        {"tx-voice-gain", OpKind::kAudio, AudioPayload, Number(&P::m_nTxVoiceGain, 1, 16)},
    };
    return keys;
}

const SetKey* FindSetKey(const std::string& name) {
    for (const SetKey& key : SetKeys()) {
        if (name == key.name) {
            return &key;
        }
    }
    return nullptr;
}

}  // namespace

int RunQuery(CCommandRun& run) {
    if (!run.invocation.args.empty()) {
        return run.Usage("query takes no arguments");
    }
    CParameterSet params;
    if (const int status = ConnectAndQuery(run, params); status != kExitOk) {
        return status;
    }
    const RadioBackup reported = ReportedParameters(params);
    if (run.invocation.json) {
        const std::string where = run.invocation.device.empty()
                                      ? "\"port\": " + std::to_string(run.line.m_nPortNumber)
                                      : "\"device\": " + CJsonValue::Quote(run.invocation.device);
        run.out << "{\n  " << where << ",\n  \"baud_rate\": " << run.line.m_nBaudRate
                << ",\n  \"parity\": \"" << ParityName(run.line.m_nParity)
                << "\",\n  \"parameters\": " << CBackupFile::FormatParameters(reported, "  ")
                << "\n}\n";
    } else {
        PrintParameters(run, reported);
    }
    return kExitOk;
}

int RunSet(CCommandRun& run) {
    if (run.invocation.args.empty()) {
        return run.Usage("set needs at least one KEY=VALUE");
    }
    std::map<const SetKey*, Apply> chosen;
    for (const std::string& word : run.invocation.args) {
        const auto equals = word.find('=');
        const SetKey* key = FindSetKey(word.substr(0, equals));
        if (equals == std::string::npos || key == nullptr) {
            return run.Usage("set: '" + word + "' is no KEY=VALUE of a known key");
        }
        std::string fault;
        Apply apply = key->parse(word.substr(equals + 1), fault);
        if (!apply) {
            return run.Usage("set: " + std::string(key->name) + " " + fault + ", not '" +
                             word.substr(equals + 1) + "'");
        }
        if (!chosen.emplace(key, apply).second) {
            return run.Usage("set: " + std::string(key->name) + " is given twice");
        }
    }
    CParameterSet params;
    if (const int status = ConnectAndQuery(run, params); status != kExitOk) {
        return status;
    }
    for (const auto& [key, apply] : chosen) {
        apply(params);
    }
    if (params.m_nCurrentChannel > params.m_nChannelTotal) {
        return run.Usage("set: channel " + std::to_string(params.m_nCurrentChannel) +
                         " lies beyond the channel total " +
                         std::to_string(params.m_nChannelTotal));
    }
    std::vector<OpKind> sent;
    for (const SetKey& key : SetKeys()) {
        if (chosen.count(&key) == 0 ||
            std::find(sent.begin(), sent.end(), key.opKind) != sent.end()) {
            continue;
        }
        sent.push_back(key.opKind);
        const std::string what = std::string("set ") + key.name;
        const ReplyVerdict verdict = run.Session().Send(key.opKind, key.payload(params), what);
        if (verdict != ReplyVerdict::Accepted) {
            return run.Fail(what, verdict);
        }
        run.Note(what + ": accepted");
    }
    return kExitOk;
}

}  // namespace radiosetup
