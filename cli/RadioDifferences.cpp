#include "RadioDifferences.h"

#include <tuple>

#include "BackupFile.h"
#include "ReportedParameters.h"

namespace radiosetup {

std::string FileText(const Difference& difference, std::int32_t value) {
    return difference.row ? CBackupFile::FormatValue(*difference.row, value)
                          : CChannelPlanCsv::Mhz(value);
}

std::string DiffLine(const Difference& difference) {
    const std::string key =
        difference.channel == 0
            ? difference.name
            : "channel " + std::to_string(difference.channel) + " " + difference.name;
    return key + ": " + FileText(difference, difference.radio) + " \u2192 " +
           FileText(difference, difference.file);
}

JsonDocument DifferenceJson(const Difference& difference, const char* fileKey) {
    if (difference.row) {
        return {{"key", difference.name},
                {"radio", CBackupFile::ValueJson(*difference.row, difference.radio)},
                {fileKey, CBackupFile::ValueJson(*difference.row, difference.file)}};
    }
    constexpr std::int64_t kHzPerUnit = 100;
    return {{"channel", difference.channel},
            {"key", difference.name + "_hz"},
            {"radio", difference.radio * kHzPerUnit},
            {fileKey, difference.file * kHzPerUnit}};
}

std::vector<Difference> ChannelDifferences(const std::vector<CChannelPlanCsv::Row>& file,
                                           const std::vector<CChannelPlanCsv::Row>& held) {
    std::vector<Difference> differences;
    for (const CChannelPlanCsv::Row& row : file) {
        const ChannelFreqPair& radio =
            held[static_cast<std::size_t>(row.channel - held.front().channel)].freq;
        for (const auto& [name, want, has] : {std::tuple{"rx", row.freq.rxFreq, radio.rxFreq},
                                              {"tx", row.freq.txFreq, radio.txFreq}}) {
            if (want != has) {
                differences.push_back({row.channel, nullptr, name, has, want});
            }
        }
    }
    return differences;
}

std::vector<Difference> ParameterDifferences(const RadioBackup& file, const RadioBackup& radio,
                                             bool skipAni) {
    std::vector<Difference> differences;
    for (const ParameterRow* row : ReportedRows(
             {ParamKind::kFrequency, ParamKind::kNumber, ParamKind::kLevel, ParamKind::kSwitch})) {
        if (skipAni && row->id == ParamId::kAni) {
            continue;
        }
        const std::int32_t asked = BackupValue(file, row->id);
        const std::int32_t reported = BackupValue(radio, row->id);
        if (ReportablePart(*row, asked) != reported) {
            differences.push_back({0, row, row->names.key, reported, asked});
        }
    }
    return differences;
}

std::vector<CChannelPlanCsv::Row> ChannelRows(const RadioBackup& backup) {
    std::vector<CChannelPlanCsv::Row> rows;
    for (int channel = 1; channel <= kRadioChannels; ++channel) {
        rows.push_back({channel, backup.channels[static_cast<std::size_t>(channel - 1)]});
    }
    return rows;
}

}  // namespace radiosetup
