// backup and restore: a radio's whole setup in a file, and back.
#include "AniList.h"
#include "BackupFile.h"
#include "CommandRun.h"
#include "ParameterTable.h"
#include "ReportedParameters.h"
#include "TextFile.h"

namespace radiosetup {

namespace {

struct ParameterWrite {
    const char* name;
    ParamId id;  // the parameter whose request writes it
};

// The total before the current channel, which must lie within it.
constexpr ParameterWrite kParameterWrites[] = {
    {"ani", ParamId::kAni},
    {"channel total", ParamId::kChannelTotal},
    {"current channel", ParamId::kCurrentChannel},
    {"tx time limit", ParamId::kTxTimeLimit},
    {"addressing", ParamId::kAddressing},
    {"data method", ParamId::kTransparent},
    {"error correction", ParamId::kErrorCorrection},
    {"encryption", ParamId::kEncryption},
    {"audio settings", ParamId::kCompander},
};

// The backup's values a request carries, by key, into written.
void AddWritten(const RadioBackup& backup, OpKind opKind, JsonDocument& written) {
    for (const ParameterRow* row : ReportedRows(
             {ParamKind::kFrequency, ParamKind::kNumber, ParamKind::kLevel, ParamKind::kSwitch})) {
        if (row->request.opKind == opKind) {
            written[row->names.key] = CBackupFile::ValueJson(*row, BackupValue(backup, row->id));
        }
    }
}

int WriteParameters(CCommandRun& run, const RadioBackup& backup, const CParameterSet& params,
                    bool keepAni) {
    std::string written;
    JsonDocument writtenJson = JsonDocument::object();
    for (const ParameterWrite& write : kParameterWrites) {
        if (keepAni && write.id == ParamId::kAni) {
            continue;
        }
        const ReplyVerdict verdict = run.Session().Send(Parameter(write.id).request, params,
                                                        std::string("set ") + write.name);
        run.report["written"]["parameters"] = writtenJson;
        if (verdict != ReplyVerdict::Accepted) {
            run.err << "radioctl: written: " << (written.empty() ? "nothing" : written)
                    << "; not written: " << write.name
                    << " and everything after it, channels included\n";
            return run.Fail(std::string("restore ") + write.name, verdict);
        }
        written += (written.empty() ? "" : ", ") + std::string(write.name);
        AddWritten(backup, Parameter(write.id).request.opKind, writtenJson);
    }
    run.report["written"]["parameters"] = writtenJson;
    return kExitOk;
}

// Each parameter that was written, against what the radio reports of it; an ANI that was
// not written is neither compared nor shown.
int VerifyParameters(CCommandRun& run, const RadioBackup& asked, bool keepAni) {
    CParameterSet params;
    const ReplyVerdict verdict = run.Session().Query(params);
    if (verdict != ReplyVerdict::Accepted) {
        return run.Fail("verify: query", verdict);
    }
    JsonDocument differences = JsonDocument::array();
    for (const Difference& difference :
         ParameterDifferences(asked, ReportedParameters(params), keepAni)) {
        differences.push_back(DifferenceJson(difference, "written"));
        run.err << "parameters." << difference.name << ": " << FileText(difference, difference.file)
                << " was written, the radio reports " << FileText(difference, difference.radio)
                << '\n';
    }
    run.ReportDifferences(differences);
    if (differences.empty()) {
        return kExitOk;
    }
    // Said line by line above; a script learns it from the error object.
    run.RecordFailure("verify", std::to_string(differences.size()) + " parameters differ",
                      kExitDiffers);
    return kExitDiffers;
}

// Nothing is sent after the connect and the reads: what the restore would change is shown.
int DryRunRestore(CCommandRun& run, const RadioBackup& backup, bool keepAni) {
    RadioBackup radio;
    if (const int status = ReadRadio(run, radio); status != kExitOk) {
        return status;
    }
    std::vector<Difference> differences = ParameterDifferences(backup, radio, keepAni);
    for (Difference& channel : ChannelDifferences(ChannelRows(backup), ChannelRows(radio))) {
        differences.push_back(std::move(channel));
    }
    PrintDifferences(run, differences, true);
    const std::size_t parameters = std::size(kParameterWrites) - (keepAni ? 1 : 0);
    run.Note("dry run: " + Counted(parameters, "parameter write") + " and " +
             Counted(kRadioChannels, "channel") + " would go to " + run.Where() + ", changing " +
             Counted(differences.size(), "value") + "; nothing was written");
    return kExitOk;
}

// A backup is only worth keeping if it can be restored: each frequency must be one a
// plan can hold.
bool EveryFrequencyRestores(const CCommandRun& run, const RadioBackup& backup) {
    bool restores = true;
    for (std::size_t index = 0; index < backup.channels.size(); ++index) {
        for (const auto& [name, units] : {std::pair{"rx", backup.channels[index].rxFreq},
                                          {"tx", backup.channels[index].txFreq}}) {
            const std::string fault = CChannelPlanCsv::FrequencyFault(units);
            if (!fault.empty()) {
                restores = false;
                run.err << "channel " << index + 1 << ": " << name << " "
                        << CChannelPlanCsv::Mhz(units) << " MHz " << fault << '\n';
            }
        }
    }
    return restores;
}

// The ANI the list gives this run's port, in place of the backup's.
int TakeListedAni(CCommandRun& run, const std::string& path, RadioBackup& backup) {
    std::string fault;
    const auto anis = CAniList::Read(path, fault);
    if (!anis) {
        return run.Fail("restore --ani-list", fault, kExitUsage);
    }
    const auto listed = anis->find(run.line.m_nPortNumber);
    if (listed == anis->end()) {
        return run.Fail("restore",
                        path + " gives port " + std::to_string(run.line.m_nPortNumber) +
                            " no ANI; nothing was written",
                        kExitUsage);
    }
    backup.ani = listed->second;
    return kExitOk;
}

// restore --set KEY=VALUE: the backup's parameters changed for this run, each checked as
// set checks it. Frequencies belong to the channels, and what the radio does not report
// a backup cannot restore.
int Override(CCommandRun& run, const std::vector<std::string>& words, bool keepAni,
             RadioBackup& backup) {
    std::string fault;
    for (const std::string& word : words) {
        const std::optional<Assignment> assigned = AssignmentNamed(word, fault);
        if (!assigned) {
            return run.Usage("restore --set: " + fault);
        }
        const ParameterRow& row = *assigned->row;
        if (row.access.reported == nullptr || row.kind == ParamKind::kFrequency ||
            (keepAni && row.id == ParamId::kAni)) {
            return run.Usage("restore --set: " + std::string(row.names.key) +
                             " is not among what a restore writes (frequencies go by channel; "
                             "mode and relay by set)");
        }
        SetBackupValue(backup, row.id, assigned->value);
    }
    if (backup.currentChannel > backup.channelTotal) {
        return run.Usage("restore --set: channel " + std::to_string(backup.currentChannel) +
                         " lies beyond the channel total " + std::to_string(backup.channelTotal));
    }
    return kExitOk;
}

}  // namespace

int ReadRadio(CCommandRun& run, RadioBackup& radio) {
    CParameterSet params;
    if (const int status = ConnectAndQuery(run, params); status != kExitOk) {
        return status;
    }
    radio = ReportedParameters(params);
    std::vector<CChannelPlanCsv::Row> rows;
    if (const int status = ReadChannelRange(run, 1, kRadioChannels, rows); status != kExitOk) {
        return status;
    }
    for (const CChannelPlanCsv::Row& row : rows) {
        radio.channels[static_cast<std::size_t>(row.channel - 1)] = row.freq;
    }
    return kExitOk;
}

int RunBackup(CCommandRun& run) {
    if (run.invocation.args.size() != 1) {
        return run.Usage("backup takes one FILE");
    }
    RadioBackup backup;
    if (const int status = ReadRadio(run, backup); status != kExitOk) {
        return status;
    }
    const std::string path = run.OutputPath(run.invocation.args[0]);
    run.ReportWhere();
    run.report["file"] = path;
    if (!EveryFrequencyRestores(run, backup)) {
        return run.Fail("backup",
                        "the radio holds frequencies no backup could restore; "
                        "nothing was written (set those channels first)",
                        kExitUsage);
    }
    if (!CTextFile::Write(path, CBackupFile::Format(backup))) {
        return run.Fail("write " + path, "the file could not be written", kExitUsage);
    }
    run.report["parameters"] = CBackupFile::ParametersJson(backup).size();
    run.report["channels"] = backup.channels.size();
    run.Note("backup of the radio on " + run.Where() + " written to " + path);
    return kExitOk;
}

int RunRestore(CCommandRun& run) {
    std::vector<std::string> files;
    std::vector<std::string> overrides;
    std::string aniList;
    bool keepAni = false;
    bool verify = false;
    bool dryRun = false;
    const std::vector<std::string>& args = run.invocation.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool valued = i + 1 < args.size() && !args[i + 1].empty();
        if (args[i] == "--keep-ani") {
            keepAni = true;
        } else if (args[i] == "--verify") {
            verify = true;
        } else if (args[i] == "--dry-run") {
            dryRun = true;
        } else if (args[i] == "--ani-list" && valued) {
            aniList = args[++i];
        } else if (args[i] == "--set" && valued) {
            overrides.push_back(args[++i]);
        } else if (args[i] != "--same-ani") {  // a fleet's word; one radio has nothing to say
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1) {
        return run.Usage("restore takes one FILE");
    }
    if (!aniList.empty() && (keepAni || !run.invocation.device.empty())) {
        return run.Usage(
            "--ani-list gives the radio on each port number its ANI: "
            "not with --keep-ani or --device");
    }
    if (dryRun && verify) {
        return run.Usage("restore --dry-run writes nothing, so there is nothing to --verify");
    }
    const std::optional<std::string> text = CTextFile::Read(files[0]);
    if (!text) {
        return run.Fail("read " + files[0], "the file cannot be read", kExitUsage);
    }
    std::string error;
    std::optional<RadioBackup> backup = CBackupFile::Parse(*text, error);
    if (!backup) {
        return run.Fail("read " + files[0], error, kExitUsage);
    }
    if (!aniList.empty() && !run.givenAni) {
        if (const int status = TakeListedAni(run, aniList, *backup); status != kExitOk) {
            return status;
        }
    }
    if (run.givenAni) {
        backup->ani = *run.givenAni;
    }
    if (const int status = Override(run, overrides, keepAni, *backup); status != kExitOk) {
        return status;
    }
    for (const ParameterRow* row : ReportedRows({ParamKind::kNumber})) {
        const std::string note = UnreportedBitsNote(*row, BackupValue(*backup, row->id));
        if (!note.empty() && !(keepAni && row->id == ParamId::kAni)) {
            run.err << "radioctl: note: " << note << '\n';
        }
    }
    run.ReportWhere();
    run.report["file"] = files[0];
    if (dryRun) {
        return DryRunRestore(run, *backup, keepAni);
    }
    CParameterSet params;
    if (const int status = ConnectAndQuery(run, params); status != kExitOk) {
        return status;
    }
    ApplyParameters(*backup, params);
    if (const int status = WriteParameters(run, *backup, params, keepAni); status != kExitOk) {
        return status;
    }
    if (const int status = WriteChannels(run, ChannelRows(*backup)); status != kExitOk) {
        run.err << "radioctl: every parameter was written\n";
        return status;
    }
    run.Note("backup " + files[0] + " written to the radio on " + run.Where());
    if (!verify) {
        return kExitOk;
    }
    const int parameters = VerifyParameters(run, *backup, keepAni);
    const int channels = VerifyChannels(run, ChannelRows(*backup));
    return parameters != kExitOk ? parameters : channels;
}

}  // namespace radiosetup
