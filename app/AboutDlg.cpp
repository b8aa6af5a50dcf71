#include "AboutDlg.h"
