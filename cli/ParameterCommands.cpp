// query and set: the parameters the main window shows.
#include <algorithm>
#include <map>
#include <optional>

#include "BackupFile.h"
#include "ChannelPlanCsv.h"
#include "CommandRun.h"
#include "MessageText.h"
#include "ParameterTable.h"
#include "ReportedParameters.h"

namespace radiosetup {

namespace {

std::string Shown(const ParameterRow& row, std::int32_t value) {
    const std::string number = std::to_string(value);
    const std::vector<std::string>& words = row.shownWords.empty() ? row.words : row.shownWords;
    switch (row.kind) {
        case ParamKind::kFrequency:
            return CChannelPlanCsv::Mhz(value) + " " + row.unit;
        case ParamKind::kNumber:
            return *row.unit == '\0' ? number : number + " " + row.unit;
        case ParamKind::kLevel:
            return number + " of " + std::to_string(row.range.high);
        case ParamKind::kSwitch:
        case ParamKind::kChoice:
            return words[static_cast<std::size_t>(value)];
    }
    return number;
}

// The query lists the audio levels last.
void PrintParameters(const CCommandRun& run, const RadioBackup& radio) {
    run.out << "radio on " << run.Where() << "\n";
    for (const ParameterRow* row : ReportedRows(
             {ParamKind::kFrequency, ParamKind::kNumber, ParamKind::kSwitch, ParamKind::kLevel})) {
        std::string padded = row->names.label;
        padded.resize(18, ' ');
        run.out << "  " << padded << Shown(*row, BackupValue(radio, row->id)) << "\n";
    }
}

std::optional<std::int32_t> WordIndex(const ParameterRow& row, const std::string& text,
                                      std::string& fault) {
    const auto found = std::find(row.words.begin(), row.words.end(), text);
    if (found != row.words.end()) {
        return static_cast<std::int32_t>(found - row.words.begin());
    }
    std::vector<std::string> sorted = row.words;
    std::sort(sorted.begin(), sorted.end());
    fault = "takes";
    for (const std::string& word : sorted) {
        fault += " " + word;
    }
    return std::nullopt;
}

// A value of set, checked alone before anything is sent; the fault names the value once.
std::optional<std::int32_t> SetValue(const ParameterRow& row, const std::string& text,
                                     std::string& fault) {
    std::optional<std::int32_t> value;
    switch (row.kind) {
        case ParamKind::kFrequency:
            return CChannelPlanCsv::ParseMhz(text, fault);
        case ParamKind::kNumber:
        case ParamKind::kLevel:
            if (const auto number = WholeNumber(text, row.range.low, row.range.high)) {
                return static_cast<std::int32_t>(*number);
            }
            fault = "takes a whole number from " + std::to_string(row.range.low) + " to " +
                    std::to_string(row.range.high);
            break;
        case ParamKind::kSwitch:
        case ParamKind::kChoice:
            value = WordIndex(row, text, fault);
            break;
    }
    if (!value) {
        fault += ", not '" + Echoed(text) + "'";
    }
    return value;
}

const ParameterRow* FindSetKey(const std::string& name) {
    for (const ParameterRow& row : ParameterTable()) {
        if (name == row.names.key) {
            return &row;
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
        JsonDocument document = JsonDocument::object();
        if (run.invocation.device.empty()) {
            document["port"] = run.line.m_nPortNumber;
        } else {
            document["device"] = run.invocation.device;
        }
        document["baud_rate"] = run.line.m_nBaudRate;
        document["parity"] = ParityName(run.line.m_nParity);
        document["parameters"] = CBackupFile::ParametersJson(reported);
        run.out << JsonText(document);
    } else {
        PrintParameters(run, reported);
    }
    return kExitOk;
}

int RunSet(CCommandRun& run) {
    if (run.invocation.args.empty()) {
        return run.Usage("set needs at least one KEY=VALUE");
    }
    // Keyed by row, so in table order.
    std::map<const ParameterRow*, std::int32_t> chosen;
    for (const std::string& word : run.invocation.args) {
        const auto equals = word.find('=');
        const ParameterRow* row = FindSetKey(word.substr(0, equals));
        if (equals == std::string::npos || row == nullptr) {
            return run.Usage("set: '" + Echoed(word) + "' is no KEY=VALUE of a known key");
        }
        const std::string key = row->names.key;
        std::string fault;
        const auto value = SetValue(*row, word.substr(equals + 1), fault);
        if (!value) {
            return run.Usage("set: " + key + " " + fault);
        }
        if (!chosen.emplace(row, *value).second) {
            return run.Usage("set: " + key + " is given twice");
        }
    }
    for (const auto& [row, value] : chosen) {
        if (const std::string note = UnreportedBitsNote(*row, value); !note.empty()) {
            run.err << "radioctl: note: " << note << '\n';
        }
    }
    CParameterSet params;
    if (const int status = ConnectAndQuery(run, params); status != kExitOk) {
        return status;
    }
    for (const auto& [row, value] : chosen) {
        row->access.apply(params, value);
    }
    if (params.m_nCurrentChannel > params.m_nChannelTotal) {
        return run.Usage("set: channel " + std::to_string(params.m_nCurrentChannel) +
                         " lies beyond the channel total " +
                         std::to_string(params.m_nChannelTotal));
    }
    std::vector<OpKind> sent;
    for (const ParameterRow& row : ParameterTable()) {
        const OpKind opKind = row.request.opKind;
        if (chosen.count(&row) == 0 || std::find(sent.begin(), sent.end(), opKind) != sent.end()) {
            continue;
        }
        sent.push_back(opKind);
        const std::string what = std::string("set ") + row.names.key;
        const ReplyVerdict verdict = run.Session().Send(row.request, params, what);
        if (verdict != ReplyVerdict::Accepted) {
            return run.Fail(what, verdict);
        }
        run.Note(what + ": accepted");
    }
    return kExitOk;
}

}  // namespace radiosetup
