#pragma once

#include "ParameterSet.h"
#include "RadioBackup.h"

namespace radiosetup {

// The parameters a query reports, as the backup keeps them (channels left empty). The
// query's block holds addressing as the radio's option byte: zero is on.
RadioBackup ReportedParameters(const CParameterSet& queried);

// A backup's parameters over a queried set, as the write requests take them.
void ApplyParameters(const RadioBackup& backup, CParameterSet& params);

}  // namespace radiosetup
