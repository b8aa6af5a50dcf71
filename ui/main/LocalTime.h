#pragma once

#include "StatusClock.h"

namespace radiosetup {

// The system's local time of day, for the status bar's clock. One backend per platform.
CStatusClock::TimeOfDay LocalTimeOfDay();

}  // namespace radiosetup
