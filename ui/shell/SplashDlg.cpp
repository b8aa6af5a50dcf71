#include "SplashDlg.h"

namespace radiosetup {}  // namespace radiosetup
