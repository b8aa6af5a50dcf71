#include <QApplication>

#include "CloseOnSignals.h"
#include "MessageBoxSeam.h"
#include "SetupApp.h"

using namespace radiosetup;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(ApplicationTitle()));
    // Lets the desktop match the window to the installed entry and its icon (Wayland).
    QApplication::setDesktopFileName(QStringLiteral(RADIOSETUP_APP_ID));
    const CCloseOnSignals closeOnSignals;
    CSetupApp setupApp;
    setupApp.InitInstance();
    return 0;
}
