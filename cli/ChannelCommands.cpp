// channels read and channels write: the multi-channel window's conversation.
#include <algorithm>

#include "BackupFile.h"
#include "ChannelPlanCsv.h"
#include "CommandRun.h"
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
            outPath = args[++i];
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

int WriteCommand(CCommandRun& run) {
    const std::vector<std::string>& args = run.invocation.args;
    const bool verify = std::find(args.begin(), args.end(), "--verify") != args.end();
    std::vector<std::string> files;
    std::copy_if(args.begin() + 1, args.end(), std::back_inserter(files),
                 [](const std::string& word) { return word != "--verify"; });
    if (files.size() != 1) {
        return run.Usage("channels write takes one CSV file");
    }
    std::vector<CChannelPlanCsv::Row> rows;
    if (const int status = LoadPlan(run, files[0], rows); status != kExitOk) {
        return status;
    }
    run.ReportWhere();
    run.report["file"] = files[0];
    if (const int opened = ConnectRadio(run); opened != kExitOk) {
        return opened;
    }
    if (const int status = WriteChannels(run, rows); status != kExitOk) {
        return status;
    }
    run.Note(std::to_string(rows.size()) + (rows.size() == 1 ? " channel" : " channels") +
             " written to " + run.Where());
    return verify ? VerifyChannels(run, rows) : kExitOk;
}

}  // namespace

int LoadPlan(CCommandRun& run, const std::string& path, std::vector<CChannelPlanCsv::Row>& rows) {
    const std::optional<std::string> text = CTextFile::Read(path);
    if (!text) {
        return run.Fail("read " + path, "the file cannot be read", kExitUsage);
    }
    CChannelPlanCsv::Plan plan = CChannelPlanCsv::Parse(*text, path);
    for (const std::string& error : plan.errors) {
        run.err << error << '\n';
    }
    if (!plan.errors.empty()) {
        return run.Fail("channels write", "nothing was sent", kExitUsage);
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
                "read channels on " + run.Where(),
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
                       ? run.Interrupted("write channels on " + run.Where(),
                                         "before the first" + total + " channels",
                                         run.WrittenSoFar())
                       : run.Interrupted("write channels on " + run.Where(),
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

int VerifyChannels(CCommandRun& run, const std::vector<CChannelPlanCsv::Row>& asked) {
    if (asked.empty()) {
        return kExitOk;
    }
    const auto [lowest, highest] =
        std::minmax_element(asked.begin(), asked.end(),
                            [](const auto& a, const auto& b) { return a.channel < b.channel; });
    std::vector<CChannelPlanCsv::Row> held;
    if (const int status = ReadChannelRange(run, lowest->channel, highest->channel, held);
        status != kExitOk) {
        return status;
    }
    const ParameterRow& rx = Parameter(ParamId::kRxFrequency);
    const ParameterRow& tx = Parameter(ParamId::kTxFrequency);
    JsonDocument differences = JsonDocument::array();
    for (const CChannelPlanCsv::Row& row : asked) {
        const ChannelFreqPair& radio =
            held[static_cast<std::size_t>(row.channel - lowest->channel)].freq;
        for (const auto& [frequency, name, want, has] :
             {std::tuple{&rx, "rx", row.freq.rxFreq, radio.rxFreq},
              {&tx, "tx", row.freq.txFreq, radio.txFreq}}) {
            if (want != has) {
                differences.push_back({{"channel", row.channel},
                                       {"key", frequency->names.key},
                                       {"written", CBackupFile::ValueJson(*frequency, want)},
                                       {"radio", CBackupFile::ValueJson(*frequency, has)}});
                run.err << "channel " << row.channel << ": " << name << " "
                        << CChannelPlanCsv::Mhz(want) << " MHz was written, the radio holds "
                        << CChannelPlanCsv::Mhz(has) << " MHz\n";
            }
        }
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
