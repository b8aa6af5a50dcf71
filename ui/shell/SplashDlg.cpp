#include "SplashDlg.h"
