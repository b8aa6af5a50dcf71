// diff: the radio against a backup or a CSV plan.
#include <cctype>
#include <fstream>

#include "BackupFile.h"
#include "CommandRun.h"
#include "TextFile.h"

namespace radiosetup {

namespace {

// A backup is a JSON object; anything else is taken for a CSV plan, whose first line is a
// comment or its header.
bool IsBackup(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bom = "\xEF\xBB\xBF";
    char byte = 0;
    for (std::size_t at = 0; file.get(byte); ++at) {
        const bool inBom = at < bom.size() && byte == bom[at];
        if (!inBom && !std::isspace(static_cast<unsigned char>(byte))) {
            return byte == '{';
        }
    }
    return false;
}

int BackupDifferences(CCommandRun& run, const std::string& path,
                      std::vector<Difference>& differences) {
    const std::optional<std::string> text = CTextFile::Read(path);
    std::string error = "the file cannot be read";
    const std::optional<RadioBackup> backup =
        text ? CBackupFile::Parse(*text, error) : std::nullopt;
    if (!backup) {
        return run.Fail("read " + path, error, kExitUsage);
    }
    RadioBackup radio;
    if (const int status = ReadRadio(run, radio); status != kExitOk) {
        return status;
    }
    differences = ParameterDifferences(*backup, radio, false);
    for (Difference& channel : ChannelDifferences(ChannelRows(*backup), ChannelRows(radio))) {
        differences.push_back(std::move(channel));
    }
    return kExitOk;
}

int PlanDifferences(CCommandRun& run, const std::string& path,
                    std::vector<Difference>& differences) {
    std::vector<CChannelPlanCsv::Row> rows;
    if (const int status = LoadPlan(run, path, "diff", "nothing was compared", rows);
        status != kExitOk) {
        return status;
    }
    if (const int opened = ConnectRadio(run); opened != kExitOk) {
        return opened;
    }
    std::vector<CChannelPlanCsv::Row> held;
    if (const int status = ReadPlanChannels(run, rows, held); status != kExitOk) {
        return status;
    }
    differences = ChannelDifferences(rows, held);
    return kExitOk;
}

}  // namespace

void PrintDifferences(CCommandRun& run, const std::vector<Difference>& differences, bool dryRun) {
    if (!run.invocation.json) {
        for (const Difference& difference : differences) {
            run.out << DiffLine(difference) << '\n';
        }
        return;
    }
    if (dryRun) {
        run.report["dry_run"] = true;
    }
    JsonDocument list = JsonDocument::array();
    for (const Difference& difference : differences) {
        list.push_back(DifferenceJson(difference, "file"));
    }
    run.report["differences"] = list;
}

int RunDiff(CCommandRun& run) {
    if (run.invocation.args.size() != 1) {
        return run.Usage("diff takes one FILE");
    }
    const std::string& path = run.invocation.args[0];
    run.ReportWhere();
    run.report["file"] = path;
    std::vector<Difference> differences;
    const int status = IsBackup(path) ? BackupDifferences(run, path, differences)
                                      : PlanDifferences(run, path, differences);
    if (status != kExitOk) {
        return status;
    }
    PrintDifferences(run, differences, false);
    if (differences.empty()) {
        run.Note("the radio on " + run.Where() + " holds what " + path + " holds");
        return kExitOk;
    }
    run.Note(Counted(differences.size(), "difference") + " between the radio on " + run.Where() +
             " and " + path);
    return kExitDiffers;
}

}  // namespace radiosetup
