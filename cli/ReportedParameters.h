#pragma once

#include <initializer_list>
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

// The reported parameters, kind after kind as listed, in table order within a kind.
std::vector<const ParameterRow*> ReportedRows(std::initializer_list<ParamKind> kindOrder);

}  // namespace radiosetup
