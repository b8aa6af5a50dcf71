#include "AboutDlg.h"

namespace radiosetup {}  // namespace radiosetup
