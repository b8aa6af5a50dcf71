#include <QApplication>

#include "MessageBoxSeam.h"
#include "SetupApp.h"

using namespace radiosetup;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(ApplicationTitle()));
    CSetupApp setupApp;
    setupApp.InitInstance();
    return 0;
}
