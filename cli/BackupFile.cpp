#include "BackupFile.h"

#include <utility>
#include <vector>

#include "ChannelPlanCsv.h"
#include "Json.h"
#include "MessageText.h"
#include "ReportedParameters.h"

namespace radiosetup {

namespace {

using Kind = CJsonValue::Kind;

constexpr const char* kFormat = "radioctl-backup";
constexpr std::int32_t kVersion = 1;
constexpr std::int64_t kHzPerUnit = 100;
constexpr const char* kChannelArray = "an array of 100 channels";

struct FrequencyKey {
    const char* name;
    std::int32_t ChannelFreqPair::*member;
};

constexpr FrequencyKey kChannelFrequencies[] = {
    {"rx_hz", &ChannelFreqPair::rxFreq},
    {"tx_hz", &ChannelFreqPair::txFreq},
};

// The file's order: frequencies, numbers, levels, switches.
std::vector<const ParameterRow*> BackupRows() {
    return ReportedRows(
        {ParamKind::kFrequency, ParamKind::kNumber, ParamKind::kLevel, ParamKind::kSwitch});
}

// The members of one object, named in messages by their path from the top.
class CObjectReader {
public:
    CObjectReader(const CJsonValue& object, std::string path, std::string& error)
        : m_object(object), m_strPath(std::move(path)), m_error(error) {}

    CObjectReader Child(const CJsonValue& object, const std::string& name) const {
        return CObjectReader(object, m_strPath + name + ".", m_error);
    }

    // The member when it has that kind; nullptr, with the message, when not.
    const CJsonValue* Member(const char* key, Kind kind, const char* kindText) const {
        const CJsonValue& value = m_object.Member(key);
        if (value.GetKind() == Kind::Null) {
            Fail(key, "missing");
            return nullptr;
        }
        if (value.GetKind() != kind) {
            Fail(key, std::string("must be ") + kindText);
            return nullptr;
        }
        return &value;
    }

    bool Number(const char* key, std::int32_t low, std::int32_t high, std::int32_t& out) const {
        const CJsonValue* value = Member(key, Kind::Number, "a whole number");
        if (value == nullptr) {
            return false;
        }
        const long long number = value->Int();
        if (number < low || number > high) {
            const std::string found = std::to_string(number);
            return Fail(key, low == high ? "expected " + std::to_string(low) + ", found " + found
                                         : found + " is outside " + std::to_string(low) + ".." +
                                               std::to_string(high));
        }
        out = static_cast<std::int32_t>(number);
        return true;
    }

    bool Frequency(const char* key, std::int32_t& out) const {
        const CJsonValue* value = Member(key, Kind::Number, "a whole number of Hz");
        if (value == nullptr) {
            return false;
        }
        const long long hz = value->Int();
        const std::string shown = std::to_string(hz) + " Hz ";
        if (hz % kHzPerUnit != 0) {
            return Fail(key, shown + "is not a multiple of 100 Hz");
        }
        const std::string fault = CChannelPlanCsv::FrequencyFault(hz / kHzPerUnit);
        if (!fault.empty()) {
            return Fail(key, shown + fault);
        }
        out = static_cast<std::int32_t>(hz / kHzPerUnit);
        return true;
    }

    bool Flag(const char* key, bool& out) const {
        const CJsonValue* value = Member(key, Kind::Bool, "true or false");
        if (value != nullptr) {
            out = value->Bool();
        }
        return value != nullptr;
    }

    bool Fail(const std::string& key, const std::string& reason) const {
        m_error = m_strPath + key + ": " + reason;
        return false;
    }

private:
    const CJsonValue& m_object;
    std::string m_strPath;
    std::string& m_error;
};

bool ReadFrequencies(const CObjectReader& reader, ChannelFreqPair& pair) {
    for (const FrequencyKey& key : kChannelFrequencies) {
        if (!reader.Frequency(key.name, pair.*key.member)) {
            return false;
        }
    }
    return true;
}

// A choice is never reported; it would be kept as its word's index.
bool ReadValue(const CObjectReader& reader, const ParameterRow& row, std::int32_t& value) {
    const char* key = row.names.reportKey;
    bool on = false;
    switch (row.kind) {
        case ParamKind::kFrequency:
            return reader.Frequency(key, value);
        case ParamKind::kSwitch:
            if (!reader.Flag(key, on)) {
                return false;
            }
            value = on ? 1 : 0;
            return true;
        case ParamKind::kNumber:
        case ParamKind::kLevel:
        case ParamKind::kChoice:
            return reader.Number(key, row.range.low, row.range.high, value);
    }
    return false;
}

bool ReadParameters(const CObjectReader& root, RadioBackup& backup) {
    const CJsonValue* object = root.Member("parameters", Kind::Object, "an object");
    if (object == nullptr) {
        return false;
    }
    const CObjectReader reader = root.Child(*object, "parameters");
    for (const ParameterRow* row : BackupRows()) {
        std::int32_t value = 0;
        if (!ReadValue(reader, *row, value)) {
            return false;
        }
        SetBackupValue(backup, row->id, value);
    }
    return true;
}

bool ReadChannels(const CObjectReader& root, RadioBackup& backup) {
    const CJsonValue* array = root.Member("channels", Kind::Array, kChannelArray);
    if (array == nullptr) {
        return false;
    }
    const std::vector<CJsonValue>& items = array->Array();
    if (items.size() != backup.channels.size()) {
        return root.Fail("channels", std::string("must be ") + kChannelArray);
    }
    for (std::int32_t channel = 1; channel <= kRadioChannels; ++channel) {
        const auto index = static_cast<std::size_t>(channel - 1);
        const std::string name = "channels[" + std::to_string(index) + "]";
        if (items[index].GetKind() != Kind::Object) {
            return root.Fail(name, "must be an object");
        }
        const CObjectReader reader = root.Child(items[index], name);
        std::int32_t number = 0;
        if (!reader.Number("channel", channel, channel, number) ||
            !ReadFrequencies(reader, backup.channels[index])) {
            return false;
        }
    }
    return true;
}

std::string Quoted(const char* text) {
    return std::string("\"") + text + "\"";
}

std::string Pair(const char* key, const std::string& value) {
    return Quoted(key) + ": " + value;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (std::size_t index = 0; index < items.size(); ++index) {
        text.append(index == 0 ? "" : separator).append(items[index]);
    }
    return text;
}

void AddFrequencies(const ChannelFreqPair& pair, std::vector<std::string>& pairs) {
    for (const FrequencyKey& key : kChannelFrequencies) {
        pairs.push_back(Pair(key.name, std::to_string(pair.*key.member * kHzPerUnit)));
    }
}

}  // namespace

std::string CBackupFile::FormatValue(const ParameterRow& row, std::int32_t value) {
    switch (row.kind) {
        case ParamKind::kFrequency:
            return std::to_string(value * kHzPerUnit);
        case ParamKind::kSwitch:
            return value != 0 ? "true" : "false";
        case ParamKind::kNumber:
        case ParamKind::kLevel:
        case ParamKind::kChoice:
            return std::to_string(value);
    }
    return {};
}

std::string CBackupFile::FormatParameters(const RadioBackup& backup, const std::string& indent) {
    std::vector<std::string> parameters;
    for (const ParameterRow* row : BackupRows()) {
        parameters.push_back(
            Pair(row->names.reportKey, FormatValue(*row, BackupValue(backup, row->id))));
    }
    const std::string memberIndent = "\n" + indent + "  ";
    const std::string separator = "," + memberIndent;
    return "{" + memberIndent + Joined(parameters, separator.c_str()) + "\n" + indent + "}";
}

std::string CBackupFile::Format(const RadioBackup& backup) {
    std::vector<std::string> channels;
    for (std::size_t index = 0; index < backup.channels.size(); ++index) {
        std::vector<std::string> pairs{Pair("channel", std::to_string(index + 1))};
        AddFrequencies(backup.channels[index], pairs);
        channels.push_back("{" + Joined(pairs, ", ") + "}");
    }
    const std::vector<std::string> members{
        Pair("format", Quoted(kFormat)),
        Pair("version", std::to_string(kVersion)),
        Pair("parameters", FormatParameters(backup, "  ")),
        Pair("channels", "[\n    " + Joined(channels, ",\n    ") + "\n  ]"),
    };
    return "{\n  " + Joined(members, ",\n  ") + "\n}\n";
}

std::optional<RadioBackup> CBackupFile::Parse(const std::string& text, std::string& error) {
    std::string jsonError;
    CJsonValue::NumberFault number;
    const std::optional<CJsonValue> json = CJsonValue::Parse(text, jsonError, &number);
    if (!json && !number.key.empty()) {
        // Valid JSON all the same: the number is named by its key.
        const std::string shown = Echoed(number.number);
        error =
            Echoed(number.key) + ": " +
            (number.digitsOnly ? shown + " is too large" : "must be a whole number, not " + shown);
        return std::nullopt;
    }
    if (!json) {
        error = "not JSON: " + jsonError;
        return std::nullopt;
    }
    if (json->Member("format").String() != kFormat) {
        error = std::string("format: not a radioctl backup (expected \"") + kFormat + "\")";
        return std::nullopt;
    }
    const CObjectReader root(*json, "", error);
    RadioBackup backup;
    std::int32_t version = 0;
    if (root.Number("version", kVersion, kVersion, version) && ReadParameters(root, backup) &&
        ReadChannels(root, backup)) {
        return backup;
    }
    return std::nullopt;
}

}  // namespace radiosetup
