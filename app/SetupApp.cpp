#include "SetupApp.h"

#include "MessageBoxSeam.h"
#include "PortSettingsStore.h"
#include "SetupDlg.h"
#include "SplashDlg.h"

namespace radiosetup {

bool CSetupApp::InitInstance() {
    SetPortSettingsFailureReporter([] { ShowMessageBox(nullptr, "Open Reg Error!"); });
    CSplashDlg splash;
    splash.DoModal();
    CSetupDlg main;
    main.DoModal();
    return false;
}

}  // namespace radiosetup
