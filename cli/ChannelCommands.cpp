// channels read and channels write: the multi-channel window's conversation.
#include <algorithm>

#include "BackupFile.h"
#include "ChannelPlanCsv.h"
#include "CommandRun.h"
#include "RadioDifferences.h"
#include "RadioLimits.h"
#include "TextFile.h"

namespace radiosetup {

namespace {

JsonDocument ChannelsJson(const std::vector<CChannelPlanCsv::Row>& rows) {
    JsonDocument list = JsonDocument::array();
    for (const CChannelPlanCsv::Row& row : rows) {
        list.push_back(CBackupFile::ChannelJson(row.channel, row.freq));
    }
    return list;
}

int ReadCommand(CCommandRun& run) {
    const std::vector<std::string>& args = run.invocation.args;
    std::vector<std::string> numbers;
    std::string outPath;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                return run.Usage("-o needs a FILE");
            }
            outPath = run.OutputPath(args[++i]);
        } else {
            numbers.push_back(args[i]);
        }
    }
    // Without numbers the whole radio; without LAST, channel FIRST alone.
    const std::string firstText = numbers.empty() ? "1" : numbers[0];
    const std::string lastText =
        numbers.size() < 2 ? (numbers.empty() ? "100" : numbers[0]) : numbers[1];
    const std::optional<long> first = WholeNumber(firstText, 1, kRadioChannels);
    const std::optional<long> last = WholeNumber(lastText, 1, kRadioChannels);
    if (numbers.size() > 2 || !first || !last || *last < *first) {
        return run.Usage("channels read takes FIRST and LAST from 1 to 100, FIRST <= LAST");
    }
    if (const int opened = ConnectRadio(run); opened != kExitOk) {
        return opened;
    }
    std::vector<CChannelPlanCsv::Row> rows;
    if (const int status =
            ReadChannelRange(run, static_cast<int>(*first), static_cast<int>(*last), rows);
        status != kExitOk) {
        return status;
    }
    const JsonDocument channels = ChannelsJson(rows);
    if (outPath.empty()) {
        // The list alone, as before: the run's document.
        run.report = channels;
        if (!run.invocation.json) {
            run.out << CChannelPlanCsv::Format(rows);
        }
        return kExitOk;
    }
    run.ReportWhere();
    run.report["file"] = outPath;
    run.report["channels"] = rows.size();
    const std::string text =
        run.invocation.json ? JsonText(channels) : CChannelPlanCsv::Format(rows);
    if (!CTextFile::Write(outPath, text)) {
        return run.Fail("write " + outPath, "the file could not be written", kExitUsage);
    }
    return kExitOk;
}

// Nothing is sent after the connect: the channels the plan names are read and what the
// write would change is shown.
int DryRunWrite(CCommandRun& run, const std::vector<CChannelPlanCsv::Row>& rows) {
    std::vector<CChannelPlanCsv::Row> held;
    if (const int status = ReadPlanChannels(run, rows, held); status != kExitOk) {
        return status;
    }
    const std::vector<Difference> differences = ChannelDifferences(rows, held);
    PrintDifferences(run, differences, true);
    run.Note("dry run: " + Counted(rows.size(), "channel") + " would be written to " + run.Where() +
             ", changing " + Counted(differences.size(), "value") + "; nothing was written");
    return kExitOk;
}

int WriteCommand(CCommandRun& run) {
    std::vector<std::string> files;
    bool verify = false;
    bool dryRun = false;
    for (auto word = run.invocation.args.begin() + 1; word != run.invocation.args.end(); ++word) {
        if (*word == "--verify") {
            verify = true;
        } else if (*word == "--dry-run") {
            dryRun = true;
        } else {
            files.push_back(*word);
        }
    }
    if (files.size() != 1) {
        return run.Usage("channels write takes one CSV file");
    }
    if (dryRun && verify) {
        return run.Usage(
            "channels write --dry-run writes nothing, so there is nothing to --verify");
    }
    std::vector<CChannelPlanCsv::Row> rows;
    if (const int status = LoadPlan(run, files[0], "channels write", "nothing was sent", rows);
        status != kExitOk) {
        return status;
    }
    run.ReportWhere();
    run.report["file"] = files[0];
    if (const int opened = ConnectRadio(run); opened != kExitOk) {
        return opened;
    }
    if (dryRun) {
        return DryRunWrite(run, rows);
    }
    if (run.givenAni) {
        if (const int status = WriteAni(run, *run.givenAni); status != kExitOk) {
            return status;
        }
    }
    if (const int status = WriteChannels(run, rows); status != kExitOk) {
        return status;
    }
    run.Note(Counted(rows.size(), "channel") + " written to " + run.Where());
    return verify ? VerifyChannels(run, rows) : kExitOk;
}

}  // namespace

int LoadPlan(CCommandRun& run, const std::string& path, const std::string& operation,
             const std::string& consequence, std::vector<CChannelPlanCsv::Row>& rows) {
    std::optional<std::ifstream> file = CTextFile::Open(path);
    if (!file) {
        return run.Fail("read " + path, "the file cannot be read", kExitUsage);
    }
    CChannelPlanCsv::Plan plan = CChannelPlanCsv::Parse(*file, path);
    for (const std::string& error : plan.errors) {
        run.err << error << '\n';
    }
    if (!plan.errors.empty()) {
        return run.Fail(operation, consequence, kExitUsage);
    }
    rows = std::move(plan.rows);
    return kExitOk;
}

int ReadChannelRange(CCommandRun& run, int first, int last,
                     std::vector<CChannelPlanCsv::Row>& rows) {
    for (int channel = first; channel <= last;) {
        if (Interruption() != 0) {
            const int total = last - first + 1;
            return run.Interrupted(
                "read channels",
                channel == first ? "before the first of " + std::to_string(total) + " channels"
                                 : "after reading channels " + std::to_string(first) + "-" +
                                       std::to_string(channel - 1) + " of " + std::to_string(total),
                run.WrittenSoFar());
        }
        // A block holds ten channels from its start; the last block starts at 91.
        const int start = std::min(channel, kRadioChannels - kChannelsPerBlock + 1);
        std::vector<ChannelFreqPair> block;
        const ReplyVerdict verdict = run.Session().ReadChannels(start, kChannelsPerBlock, block);
        if (verdict != ReplyVerdict::Accepted) {
            return run.Fail("read channels from " + std::to_string(start), verdict);
        }
        for (; channel <= last && channel < start + kChannelsPerBlock; ++channel) {
            rows.push_back({channel, block[static_cast<std::size_t>(channel - start)]});
        }
        run.Progress("reading channels", channel - first, last - first + 1);
    }
    return kExitOk;
}

namespace {

// The rows in order until one is not accepted; written gets the channels that were.
int WriteEachChannel(CCommandRun& run, const std::vector<CChannelPlanCsv::Row>& rows,
                     std::vector<int>& written) {
    for (std::size_t done = 0; done < rows.size(); ++done) {
        if (Interruption() != 0) {
            const std::string total = " of " + std::to_string(rows.size());
            return written.empty()
                       ? run.Interrupted("write channels", "before the first" + total + " channels",
                                         run.WrittenSoFar())
                       : run.Interrupted("write channels",
                                         "after channels " + ChannelRanges(written) + total,
                                         "channel " + std::to_string(rows[done].channel) +
                                             " and those after it were not written");
        }
        // Both halves of a channel go out, even when a signal comes between them.
        run.HoldFrames(true);
        const ReplyVerdict verdict =
            run.Session().WriteChannel(rows[done].channel, rows[done].freq);
        run.HoldFrames(false);
        if (verdict != ReplyVerdict::Accepted) {
            run.err << "radioctl: " << done << " of " << rows.size()
                    << " channels were written; channel " << rows[done].channel
                    << " and those after it were not\n";
            return run.Fail("set channel " + std::to_string(rows[done].channel), verdict);
        }
        written.push_back(rows[done].channel);
        run.ChannelWritten(rows[done].channel);
        run.Progress("writing channels", static_cast<int>(done + 1), static_cast<int>(rows.size()));
    }
    return kExitOk;
}

}  // namespace

int WriteChannels(CCommandRun& run, const std::vector<CChannelPlanCsv::Row>& rows) {
    std::vector<int> written;
    const int status = WriteEachChannel(run, rows, written);
    const auto end = rows.begin() + static_cast<std::ptrdiff_t>(written.size());
    run.report["written"]["channels"] = ChannelsJson({rows.begin(), end});
    return status;
}

int ReadPlanChannels(CCommandRun& run, const std::vector<CChannelPlanCsv::Row>& rows,
                     std::vector<CChannelPlanCsv::Row>& held) {
    if (rows.empty()) {
        return kExitOk;
    }
    const auto [lowest, highest] =
        std::minmax_element(rows.begin(), rows.end(),
                            [](const auto& a, const auto& b) { return a.channel < b.channel; });
    return ReadChannelRange(run, lowest->channel, highest->channel, held);
}

int VerifyChannels(CCommandRun& run, const std::vector<CChannelPlanCsv::Row>& asked) {
    std::vector<CChannelPlanCsv::Row> held;
    if (const int status = ReadPlanChannels(run, asked, held); status != kExitOk) {
        return status;
    }
    JsonDocument differences = JsonDocument::array();
    for (const Difference& difference : ChannelDifferences(asked, held)) {
        differences.push_back(DifferenceJson(difference, "written"));
        run.err << "channel " << difference.channel << ": " << difference.name << " "
                << FileText(difference, difference.file) << " MHz was written, the radio holds "
                << FileText(difference, difference.radio) << " MHz\n";
    }
    run.ReportDifferences(differences);
    if (!differences.empty()) {
        return run.Fail("verify", std::to_string(differences.size()) + " differences",
                        kExitDiffers);
    }
    run.Note("verified: the radio holds every channel as written");
    return kExitOk;
}

int RunChannels(CCommandRun& run) {
    const std::vector<std::string>& args = run.invocation.args;
    if (!args.empty() && args[0] == "read") {
        return ReadCommand(run);
    }
    if (!args.empty() && args[0] == "write") {
        return WriteCommand(run);
    }
    return run.Usage("channels takes read or write");
}

}  // namespace radiosetup
