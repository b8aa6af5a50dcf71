// query and set: the parameters the main window shows.
#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <optional>

#include "BackupFile.h"
#include "ChannelPlanCsv.h"
#include "CommandRun.h"
#include "MessageText.h"
#include "ParameterTable.h"
#include "ReportedParameters.h"
#include "TextFile.h"

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

// A frequency by its key in whole Hz, by its former key in MHz (as set took it before).
std::optional<std::int32_t> FrequencyValue(bool formerKey, const std::string& text,
                                           std::string& fault) {
    if (formerKey) {
        return CChannelPlanCsv::ParseMhz(text, fault);
    }
    if (const auto hz = WholeNumber(text, 0, std::numeric_limits<int>::max())) {
        return CBackupFile::FrequencyFromHz(*hz, fault);
    }
    fault = "takes a whole number of Hz, not '" + Echoed(text) + "'";
    return std::nullopt;
}

// A value of set, checked alone before anything is sent; the fault names the value once.
// A switch also takes true and false, as JSON shows it.
std::optional<std::int32_t> SetValue(const ParameterRow& row, bool formerKey,
                                     const std::string& text, std::string& fault) {
    std::optional<std::int32_t> value;
    switch (row.kind) {
        case ParamKind::kFrequency:
            return FrequencyValue(formerKey, text, fault);
        case ParamKind::kNumber:
        case ParamKind::kLevel:
            if (const auto number = WholeNumber(text, row.range.low, row.range.high)) {
                return static_cast<std::int32_t>(*number);
            }
            fault = "takes a whole number from " + std::to_string(row.range.low) + " to " +
                    std::to_string(row.range.high);
            break;
        case ParamKind::kSwitch:
            if (text == "true" || text == "false") {
                return text == "true" ? 1 : 0;
            }
            value = WordIndex(row, text, fault);
            break;
        case ParamKind::kChoice:
            value = WordIndex(row, text, fault);
            break;
    }
    if (!value) {
        fault += ", not '" + Echoed(text) + "'";
    }
    return value;
}

// The row a set key names, by its key or its former key.
const ParameterRow* FindSetKey(const std::string& name, bool& formerKey) {
    for (const ParameterRow& row : ParameterTable()) {
        formerKey = row.names.formerKey != nullptr && name == row.names.formerKey;
        if (name == row.names.key || formerKey) {
            return &row;
        }
    }
    return nullptr;
}

using Chosen = std::map<const ParameterRow*, std::int32_t>;  // keyed by row: in table order

int ChosenOnCommandLine(CCommandRun& run, Chosen& chosen) {
    for (const std::string& word : run.invocation.args) {
        std::string fault;
        const std::optional<Assignment> assigned = AssignmentNamed(word, fault);
        if (!assigned) {
            return run.Usage("set: " + fault);
        }
        if (!chosen.emplace(assigned->row, assigned->value).second) {
            return run.Usage("set: " + word.substr(0, word.find('=')) + " is given twice");
        }
    }
    return kExitOk;
}

int ChosenInJson(CCommandRun& run, const std::string& path, Chosen& chosen) {
    std::optional<std::string> text;
    if (path == "-") {
        text = std::string(std::istreambuf_iterator<char>(run.in), {});
    } else {
        text = CTextFile::Read(path);
    }
    if (!text) {
        return run.Fail("read " + path, "the file cannot be read", kExitUsage);
    }
    std::string error;
    const std::optional<CBackupFile::Values> values = CBackupFile::ParseParameters(*text, error);
    if (!values) {
        return run.Fail("read " + path, error, kExitUsage);
    }
    chosen.insert(values->begin(), values->end());
    return kExitOk;
}

int ChosenValues(CCommandRun& run, Chosen& chosen) {
    const std::vector<std::string>& args = run.invocation.args;
    if (!args.empty() && args[0] == "--from-json") {
        return args.size() == 2 && !args[1].empty()
                   ? ChosenInJson(run, args[1], chosen)
                   : run.Usage("set --from-json takes one FILE (- for stdin)");
    }
    if (args.empty()) {
        return run.Usage("set needs at least one KEY=VALUE, or --from-json FILE");
    }
    return ChosenOnCommandLine(run, chosen);
}

// Whether the radio reported value before anything was sent. A frequency goes to the
// current channel, so it is known only while that channel stays; what the radio does
// not report is never known. An ANI is compared as the radio reports it, so the ANI a
// query printed counts as held even when the radio holds more bits than it reports.
bool Holds(const ParameterRow& row, std::int32_t value, const CParameterSet& held,
           bool channelMoves) {
    if (row.access.reported == nullptr || (row.kind == ParamKind::kFrequency && channelMoves)) {
        return false;
    }
    return row.access.reported(held) == value;
}

}  // namespace

std::optional<Assignment> AssignmentNamed(const std::string& word, std::string& fault) {
    const auto equals = word.find('=');
    bool formerKey = false;
    const ParameterRow* row = FindSetKey(word.substr(0, equals), formerKey);
    if (equals == std::string::npos || row == nullptr) {
        fault = "'" + Echoed(word) + "' is no KEY=VALUE of a known key";
        return std::nullopt;
    }
    const auto value = SetValue(*row, formerKey, word.substr(equals + 1), fault);
    if (!value) {
        fault = std::string(formerKey ? row->names.formerKey : row->names.key) + " " + fault;
        return std::nullopt;
    }
    return Assignment{row, *value};
}

int WriteAni(CCommandRun& run, std::int32_t ani) {
    CParameterSet params;
    const ReplyVerdict queried = run.Session().Query(params);
    if (queried != ReplyVerdict::Accepted) {
        return run.Fail("query", queried);
    }
    const ParameterRow& row = Parameter(ParamId::kAni);
    row.access.apply(params, ani);
    const ReplyVerdict verdict = run.Session().Send(row.request, params, "set ani");
    if (verdict != ReplyVerdict::Accepted) {
        return run.Fail("set ani", verdict);
    }
    run.report["written"]["parameters"] = {{row.names.key, ani}};
    return kExitOk;
}

int RunQuery(CCommandRun& run) {
    if (!run.invocation.args.empty()) {
        return run.Usage("query takes no arguments");
    }
    CParameterSet params;
    if (const int status = ConnectAndQuery(run, params); status != kExitOk) {
        return status;
    }
    const RadioBackup reported = ReportedParameters(params);
    run.ReportWhere();
    run.report["parameters"] = CBackupFile::ParametersJson(reported);
    if (!run.invocation.json) {
        PrintParameters(run, reported);
    }
    return kExitOk;
}

int RunSet(CCommandRun& run) {
    Chosen chosen;
    if (const int status = ChosenValues(run, chosen); status != kExitOk) {
        return status;
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
    const CParameterSet held = params;
    for (const auto& [row, value] : chosen) {
        row->access.apply(params, value);
    }
    if (params.m_nCurrentChannel > params.m_nChannelTotal) {
        return run.Usage("set: channel " + std::to_string(params.m_nCurrentChannel) +
                         " lies beyond the channel total " +
                         std::to_string(params.m_nChannelTotal));
    }
    const bool channelMoves = params.m_nCurrentChannel != held.m_nCurrentChannel;
    run.ReportWhere();
    JsonDocument written = JsonDocument::object();
    std::vector<std::string> unchanged;
    const auto report = [&run, &written, &unchanged] {
        run.report["written"] = {{"parameters", written}};
        run.report["unchanged"] = unchanged;
    };
    // One request may carry several chosen values; it goes out when any of them is new.
    std::map<OpKind, std::vector<const ParameterRow*>> requests;
    for (const auto& [row, value] : chosen) {
        requests[row->request.opKind].push_back(row);
    }
    for (const ParameterRow& row : ParameterTable()) {
        const auto request = requests.find(row.request.opKind);
        if (request == requests.end()) {
            continue;
        }
        const std::vector<const ParameterRow*> carried = request->second;
        requests.erase(request);
        if (std::all_of(carried.begin(), carried.end(), [&](const ParameterRow* each) {
                return Holds(*each, chosen[each], held, channelMoves);
            })) {
            for (const ParameterRow* each : carried) {
                unchanged.push_back(each->names.key);
            }
            continue;
        }
        const std::string what = std::string("set ") + row.names.key;
        const ReplyVerdict verdict = run.Session().Send(row.request, params, what);
        if (verdict != ReplyVerdict::Accepted) {
            report();
            return run.Fail(what, verdict);
        }
        for (const ParameterRow* each : carried) {
            written[each->names.key] = CBackupFile::ValueJson(*each, chosen[each]);
        }
        run.Note(what + ": accepted");
    }
    report();
    if (!unchanged.empty()) {
        std::string keys;
        for (const std::string& key : unchanged) {
            keys += (keys.empty() ? "" : ", ") + key;
        }
        run.Note("the radio already holds " + keys + " as given; not sent");
    }
    return kExitOk;
}

}  // namespace radiosetup
