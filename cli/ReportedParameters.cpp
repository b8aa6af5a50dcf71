#include "ReportedParameters.h"

#include <algorithm>

namespace radiosetup {

namespace {

// Where the backup keeps each reported parameter: a number or a flag.
struct BackupMember {
    ParamId id;
    std::int32_t RadioBackup::*number;
    bool RadioBackup::*flag;
};

constexpr BackupMember kMembers[] = {
    {ParamId::kRxFrequency, &RadioBackup::rxFrequency, nullptr},
    {ParamId::kTxFrequency, &RadioBackup::txFrequency, nullptr},
    {ParamId::kAni, &RadioBackup::ani, nullptr},
    {ParamId::kChannelTotal, &RadioBackup::channelTotal, nullptr},
    {ParamId::kCurrentChannel, &RadioBackup::currentChannel, nullptr},
    {ParamId::kTxTimeLimit, &RadioBackup::txTimeLimit, nullptr},
    {ParamId::kRxChannelGain, &RadioBackup::rxChannelGain, nullptr},
    {ParamId::kRxVoiceGain, &RadioBackup::rxVoiceGain, nullptr},
    {ParamId::kTxChannelGain, &RadioBackup::txChannelGain, nullptr},
    {ParamId::kTxVoiceGain, &RadioBackup::txVoiceGain, nullptr},
    {ParamId::kAddressing, nullptr, &RadioBackup::addressing},
    {ParamId::kTransparent, nullptr, &RadioBackup::transparent},
    {ParamId::kErrorCorrection, nullptr, &RadioBackup::errorCorrection},
    {ParamId::kEncryption, nullptr, &RadioBackup::encryption},
    {ParamId::kCompander, nullptr, &RadioBackup::compander},
    {ParamId::kPreEmphasis, nullptr, &RadioBackup::preEmphasis},
};

const BackupMember& MemberOf(ParamId id) {
    return *std::find_if(std::begin(kMembers), std::end(kMembers),
                         [id](const BackupMember& member) { return member.id == id; });
}

bool IsReported(const ParameterRow& row) {
    return row.access.reported != nullptr;
}

}  // namespace

std::int32_t BackupValue(const RadioBackup& backup, ParamId id) {
    const BackupMember& member = MemberOf(id);
    return member.flag != nullptr ? backup.*member.flag : backup.*member.number;
}

void SetBackupValue(RadioBackup& backup, ParamId id, std::int32_t value) {
    const BackupMember& member = MemberOf(id);
    if (member.flag != nullptr) {
        backup.*member.flag = value != 0;
    } else {
        backup.*member.number = value;
    }
}

RadioBackup ReportedParameters(const CParameterSet& queried) {
    RadioBackup reported;
    for (const ParameterRow& row : ParameterTable()) {
        if (IsReported(row)) {
            SetBackupValue(reported, row.id, row.access.reported(queried));
        }
    }
    return reported;
}

void ApplyParameters(const RadioBackup& backup, CParameterSet& params) {
    for (const ParameterRow& row : ParameterTable()) {
        if (IsReported(row)) {
            row.access.apply(params, BackupValue(backup, row.id));
        }
    }
}

namespace {

int FieldBits(const ParameterRow& row) {
    int bits = 0;
    for (unsigned mask = row.field->mask; mask != 0; mask >>= 1u) {
        bits += static_cast<int>(mask & 1u);
    }
    return bits;
}

}  // namespace

std::int32_t ReportablePart(const ParameterRow& row, std::int32_t value) {
    if (row.kind != ParamKind::kNumber || !row.field) {
        return value;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) &
                                     ((1u << static_cast<unsigned>(FieldBits(row))) - 1u));
}

std::string UnreportedBitsNote(const ParameterRow& row, std::int32_t value) {
    const std::int32_t part = ReportablePart(row, value);
    if (part == value) {
        return {};
    }
    return "the radio reports only the low " + std::to_string(FieldBits(row)) + " bits of " +
           row.names.key + ": " + std::to_string(value) + " reads back as " + std::to_string(part);
}

std::vector<const ParameterRow*> ReportedRows(std::initializer_list<ParamKind> kindOrder) {
    std::vector<const ParameterRow*> rows;
    for (const ParamKind kind : kindOrder) {
        for (const ParameterRow& row : ParameterTable()) {
            if (row.kind == kind && IsReported(row)) {
                rows.push_back(&row);
            }
        }
    }
    return rows;
}

}  // namespace radiosetup
