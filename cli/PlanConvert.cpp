#include "PlanConvert.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "ChannelFile.h"
#include "ChannelPlanCsv.h"
#include "TextFile.h"

namespace radiosetup {

namespace {

using Messages = std::vector<std::string>;
using Channels = CChannelFile::Plan;

std::string Extension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

Channels DefaultChannels() {
    Channels channels;
    channels.fill({CChannelFile::kDefaultFrequency, CChannelFile::kDefaultFrequency});
    return channels;
}

const char* Cause(FileError error) {
    switch (error) {
        case FileError::DiskFull:
            return "the disk is full";
        case FileError::HardwareIo:
            return "the device reported an I/O error";
        case FileError::None:
        case FileError::Other:
            break;
    }
    return "the system refused the access";
}

CChannelFile::ErrorReporter ReportInto(Messages& messages) {
    return [&messages](FileError error, const std::string& fullPath) {
        messages.push_back(fullPath + ": " + Cause(error));
    };
}

bool ReadChannelFile(const std::string& path, Channels& channels, Messages& messages) {
    CChannelFile file(ReportInto(messages), path);
    if (!file.OpenForReading()) {
        messages.push_back(path +
                           ": cannot open it (missing, in use by another program, or not a file)");
        return false;
    }
    for (ChannelFreqPair& channel : channels) {
        if (!file.ReadRecord(channel)) {
            return false;
        }
    }
    return file.Close();
}

void CheckFrequency(const std::string& where, const char* which, std::int32_t units,
                    Messages& messages) {
    const std::string fault = CChannelPlanCsv::FrequencyFault(units);
    if (!fault.empty()) {
        messages.push_back(where + which + " " + CChannelPlanCsv::Mhz(units) + " MHz " + fault);
    }
}

Messages ChannelFileToCsv(const std::string& in, const std::string& out) {
    Channels channels = DefaultChannels();
    Messages messages;
    if (!ReadChannelFile(in, channels, messages)) {
        return messages;
    }
    std::vector<CChannelPlanCsv::Row> rows;
    for (int channel = 1; channel <= CChannelFile::kChannels; ++channel) {
        const ChannelFreqPair& freq = channels[static_cast<std::size_t>(channel - 1)];
        const std::string where = in + ": channel " + std::to_string(channel) + ": ";
        CheckFrequency(where, "rx", freq.rxFreq, messages);
        CheckFrequency(where, "tx", freq.txFreq, messages);
        rows.push_back({channel, freq});
    }
    if (messages.empty() && !CTextFile::Write(out, CChannelPlanCsv::Format(rows))) {
        messages.push_back(out +
                           ": cannot write it (read-only, not a file, or the disk is full); the "
                           "old file is unchanged");
    }
    return messages;
}

Messages CsvToChannelFile(const std::string& in, const std::string& out) {
    std::optional<std::ifstream> file = CTextFile::Open(in);
    if (!file) {
        return {in + ": cannot read it (missing, unreadable, or not a file)"};
    }
    const CChannelPlanCsv::Plan plan = CChannelPlanCsv::Parse(*file, in);
    if (!plan.errors.empty()) {
        return plan.errors;
    }
    Channels channels = DefaultChannels();
    for (const CChannelPlanCsv::Row& row : plan.rows) {
        channels[static_cast<std::size_t>(row.channel - 1)] = row.freq;
    }
    if (!CTextFile::Write(out, CChannelFile::Image(channels))) {
        return {out +
                ": cannot write it (read-only, not a file, or the disk is full); the "
                "old file is unchanged"};
    }
    return {};
}

}  // namespace

std::vector<std::string> CPlanConvert::Convert(const std::string& inPath,
                                               const std::string& outPath) {
    const std::string from = Extension(inPath);
    const std::string to = Extension(outPath);
    if (from == ".txt" && to == ".csv") {
        return ChannelFileToCsv(inPath, outPath);
    }
    if (from == ".csv" && to == ".txt") {
        return CsvToChannelFile(inPath, outPath);
    }
    return {"plan convert takes IN.txt OUT.csv or IN.csv OUT.txt, not " + inPath + " " + outPath};
}

}  // namespace radiosetup
