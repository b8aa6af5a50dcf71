#include "BackupFile.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ChannelPlanCsv.h"
#include "MessageText.h"
#include "ReportedParameters.h"

namespace radiosetup {

namespace {

constexpr const char* kFormat = "radioctl-backup";
constexpr std::int32_t kVersion = 1;
constexpr std::int64_t kHzPerUnit = 100;

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

// What a member must be, for the message when it is not.
struct Expected {
    bool (JsonValue::*is)() const noexcept;
    const char* words;
};

constexpr Expected kWholeNumber{&JsonValue::is_number_integer, "a whole number"};
constexpr Expected kHz{&JsonValue::is_number_integer, "a whole number of Hz"};
constexpr Expected kFlag{&JsonValue::is_boolean, "true or false"};
constexpr Expected kWord{&JsonValue::is_string, "a string"};
constexpr Expected kObject{&JsonValue::is_object, "an object"};
constexpr Expected kChannelArray{&JsonValue::is_array, "an array of 100 channels"};

// The members of one object, named in messages by their path from the top.
class CObjectReader {
public:
    CObjectReader(const JsonValue& object, std::string path, std::string& error)
        : m_object(object), m_strPath(std::move(path)), m_error(error) {}

    CObjectReader Child(const JsonValue& object, const std::string& name) const {
        return CObjectReader(object, m_strPath + name + ".", m_error);
    }

    // The member when it is as expected; nullptr, with the message, when not.
    const JsonValue* Member(const char* key, const Expected& expected) const {
        const JsonValue& value = JsonMember(m_object, key);
        if (value.is_null()) {
            Fail(key, "missing");
            return nullptr;
        }
        if (!(value.*expected.is)()) {
            Fail(key, std::string("must be ") + expected.words);
            return nullptr;
        }
        return &value;
    }

    bool Number(const char* key, std::int32_t low, std::int32_t high, std::int32_t& out) const {
        const JsonValue* value = Member(key, kWholeNumber);
        if (value == nullptr) {
            return false;
        }
        const long long number = JsonInt(*value);
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
        const JsonValue* value = Member(key, kHz);
        if (value == nullptr) {
            return false;
        }
        std::string fault;
        const std::optional<std::int32_t> units =
            CBackupFile::FrequencyFromHz(JsonInt(*value), fault);
        if (!units) {
            return Fail(key, fault);
        }
        out = *units;
        return true;
    }

    bool Word(const char* key, const std::vector<std::string>& words, std::int32_t& out) const {
        const JsonValue* value = Member(key, kWord);
        if (value == nullptr) {
            return false;
        }
        const auto found = std::find(words.begin(), words.end(), JsonString(*value));
        if (found == words.end()) {
            std::string taken;
            for (const std::string& word : words) {
                taken += (taken.empty() ? "\"" : ", \"") + word + "\"";
            }
            return Fail(key,
                        "must be one of " + taken + ", not \"" + Echoed(JsonString(*value)) + "\"");
        }
        out = static_cast<std::int32_t>(found - words.begin());
        return true;
    }

    bool Flag(const char* key, bool& out) const {
        const JsonValue* value = Member(key, kFlag);
        if (value != nullptr) {
            out = value->get<bool>();
        }
        return value != nullptr;
    }

    bool Fail(const std::string& key, const std::string& reason) const {
        m_error = m_strPath + key + ": " + reason;
        return false;
    }

private:
    const JsonValue& m_object;
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

bool ReadValue(const CObjectReader& reader, const ParameterRow& row, std::int32_t& value) {
    const char* key = row.names.key;
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
        case ParamKind::kChoice:
            return reader.Word(key, row.words, value);
        case ParamKind::kNumber:
        case ParamKind::kLevel:
            return reader.Number(key, row.range.low, row.range.high, value);
    }
    return false;
}

const ParameterRow* RowKeyed(const std::string& key) {
    for (const ParameterRow& row : ParameterTable()) {
        if (key == row.names.key) {
            return &row;
        }
    }
    return nullptr;
}

bool ReadParameters(const CObjectReader& root, RadioBackup& backup) {
    const JsonValue* object = root.Member("parameters", kObject);
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
    const JsonValue* items = root.Member("channels", kChannelArray);
    if (items == nullptr) {
        return false;
    }
    if (items->size() != backup.channels.size()) {
        return root.Fail("channels", std::string("must be ") + kChannelArray.words);
    }
    for (std::int32_t channel = 1; channel <= kRadioChannels; ++channel) {
        const auto index = static_cast<std::size_t>(channel - 1);
        const std::string name = "channels[" + std::to_string(index) + "]";
        const JsonValue& item = (*items)[index];
        if (!item.is_object()) {
            return root.Fail(name, "must be an object");
        }
        const CObjectReader reader = root.Child(item, name);
        std::int32_t number = 0;
        if (!reader.Number("channel", channel, channel, number) ||
            !ReadFrequencies(reader, backup.channels[index])) {
            return false;
        }
    }
    return true;
}

}  // namespace

JsonDocument CBackupFile::ValueJson(const ParameterRow& row, std::int32_t value) {
    switch (row.kind) {
        case ParamKind::kFrequency:
            return value * kHzPerUnit;
        case ParamKind::kSwitch:
            return value != 0;
        case ParamKind::kChoice:
            return row.words[static_cast<std::size_t>(value)];
        case ParamKind::kNumber:
        case ParamKind::kLevel:
            return value;
    }
    return nullptr;
}

std::optional<std::int32_t> CBackupFile::FrequencyFromHz(long long hz, std::string& fault) {
    const std::string shown = std::to_string(hz) + " Hz ";
    if (hz % kHzPerUnit != 0) {
        fault = shown + "is not a multiple of 100 Hz";
        return std::nullopt;
    }
    fault = CChannelPlanCsv::FrequencyFault(hz / kHzPerUnit);
    if (!fault.empty()) {
        fault = shown + fault;
        return std::nullopt;
    }
    return static_cast<std::int32_t>(hz / kHzPerUnit);
}

std::string CBackupFile::FormatValue(const ParameterRow& row, std::int32_t value) {
    return ValueJson(row, value).dump();
}

JsonDocument CBackupFile::ParametersJson(const RadioBackup& backup) {
    JsonDocument parameters = JsonDocument::object();
    for (const ParameterRow* row : BackupRows()) {
        parameters[row->names.key] = ValueJson(*row, BackupValue(backup, row->id));
    }
    return parameters;
}

JsonDocument CBackupFile::ChannelJson(std::int32_t channel, const ChannelFreqPair& pair) {
    JsonDocument item{{"channel", channel}};
    for (const FrequencyKey& key : kChannelFrequencies) {
        item[key.name] = std::int64_t{pair.*key.member} * kHzPerUnit;
    }
    return item;
}

std::string CBackupFile::Format(const RadioBackup& backup) {
    JsonDocument channels = JsonDocument::array();
    for (std::size_t index = 0; index < backup.channels.size(); ++index) {
        channels.push_back(
            ChannelJson(static_cast<std::int32_t>(index + 1), backup.channels[index]));
    }
    JsonDocument document{{"format", kFormat}, {"version", kVersion}};
    document["parameters"] = ParametersJson(backup);
    document["channels"] = std::move(channels);
    return JsonText(document);
}

std::optional<CBackupFile::Values> CBackupFile::ParseParameters(const std::string& text,
                                                                std::string& error) {
    JsonFault fault;
    const std::optional<JsonValue> json = ParseJson(text, fault);
    if (!json) {
        error = fault.Text();
        return std::nullopt;
    }
    const CObjectReader root(*json, "", error);
    const JsonValue* object = json->is_object() ? root.Member("parameters", kObject) : nullptr;
    if (object == nullptr) {
        error = json->is_object() ? error : "not an object holding \"parameters\"";
        return std::nullopt;
    }
    const CObjectReader reader = root.Child(*object, "parameters");
    Values values;
    for (const auto& [key, value] : object->items()) {
        const ParameterRow* row = RowKeyed(key);
        if (row == nullptr) {
            reader.Fail(Echoed(key), "no such parameter");
            return std::nullopt;
        }
        values.push_back({row, 0});
        if (!ReadValue(reader, *row, values.back().second)) {
            return std::nullopt;
        }
    }
    return values;
}

std::optional<RadioBackup> CBackupFile::Parse(const std::string& text, std::string& error) {
    JsonFault fault;
    const std::optional<JsonValue> json = ParseJson(text, fault);
    if (!json) {
        error = fault.Text();
        return std::nullopt;
    }
    if (JsonString(JsonMember(*json, "format")) != kFormat) {
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
