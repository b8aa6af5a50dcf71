#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "ParameterSet.h"
#include "ParameterTable.h"
#include "RadioBackup.h"

namespace radiosetup {

// The parameters a query reports, as the backup keeps them (channels left empty).
RadioBackup ReportedParameters(const CParameterSet& queried);

// A backup's parameters over a queried set, as the write requests take them.
void ApplyParameters(const RadioBackup& backup, CParameterSet& params);

// A reported parameter's value in the backup, in the table's terms (switches 0 or 1).
std::int32_t BackupValue(const RadioBackup& backup, ParamId id);
void SetBackupValue(RadioBackup& backup, ParamId id, std::int32_t value);

// What the parameter block can report of a value: all of it, but of an ANI only the low
// 16 bits, as its field is no wider.
std::int32_t ReportablePart(const ParameterRow& row, std::int32_t value);
// "the radio reports only the low 16 bits of ani: 1193046 reads back as 13398" for a
// value the block cannot report whole; else empty.
std::string UnreportedBitsNote(const ParameterRow& row, std::int32_t value);

// The reported parameters, kind after kind as listed, in table order within a kind.
std::vector<const ParameterRow*> ReportedRows(std::initializer_list<ParamKind> kindOrder);

}  // namespace radiosetup
