#include "SetupApp.h"

#include "CloseOnSignals.h"
#include "MessageBoxSeam.h"
#include "PortSettingsStore.h"
#include "SetupDlg.h"
#include "SplashDlg.h"

namespace radiosetup {

bool CSetupApp::InitInstance() {
    SetPortSettingsFailureReporter([] { ShowMessageBox(nullptr, "Open Reg Error!"); });
    CSplashDlg splash;
    splash.DoModal();
    // A signal during the splash ends the program before the window opens.
    if (CCloseOnSignals::Requested()) {
        return false;
    }
    CSetupDlg main(m_links);
    main.DoModal();
    return false;
}

}  // namespace radiosetup
