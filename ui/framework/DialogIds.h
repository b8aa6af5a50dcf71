#pragma once

namespace radiosetup {

// The command ids every dialog backend shares: the OK and Cancel buttons, Enter and Esc.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

}  // namespace radiosetup
