#pragma once

#include <string>

namespace radiosetup {

class CCommandRun;

// --report FILE: one row per radio appended, as CSV or, for .json and .jsonl, as JSON
// Lines. A row: time (UTC), port, device, ANI before and after, operation, result and
// the differences verify or diff found (CSV: their count). Each row goes out in one
// write to a file opened for appending, so runs sharing the file keep their rows whole.
// The run's row, when --report asks for one; status, or kExitUsage when it was 0 and the
// row could not be written (said on the run's stderr).
int AppendReportRow(CCommandRun& run, int status);

}  // namespace radiosetup
