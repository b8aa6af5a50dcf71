#include "LocalTime.h"

#include <windows.h>

namespace radiosetup {

CStatusClock::TimeOfDay LocalTimeOfDay() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wHour, local.wMinute, local.wSecond};
}

}  // namespace radiosetup
