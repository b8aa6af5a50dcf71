// The Windows program: the splash for a second, then the main window.
#include <windows.h>

#include <commctrl.h>

#include "CloseOnSignals.h"
#include "SerialLinks.h"
#include "SetupApp.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    const radiosetup::CCloseOnSignals closeOnSignals;
    radiosetup::CSerialPort port;
    radiosetup::CSetupApp setupApp(radiosetup::SerialLinks(port));
    setupApp.InitInstance();
    return 0;
}
