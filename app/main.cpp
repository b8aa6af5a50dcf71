#include <QApplication>
#include <cstdio>
#include <string>

#include "CloseOnSignals.h"
#include "MessageBoxSeam.h"
#include "SerialLinks.h"
#include "SetupApp.h"

using namespace radiosetup;

namespace {

const char* const kHelp =
    "Usage: radiosetup [--help | --version]\n"
    "\n"
    "Sets up Sorvane wireless data radios over a serial port of this PC: parameters,\n"
    "work mode and link options, channel frequencies, the radio's own serial settings,\n"
    "and the search for the radio. The window has no other options (Qt's own, such as\n"
    "-platform, are taken).\n"
    "\n"
    "Settings: $XDG_CONFIG_HOME/Sorvane/Com.conf (by default ~/.config/Sorvane/Com.conf):\n"
    "the PC port, its rate and parity, and the port numbers under [Ports]. The channel\n"
    "plan is ChanPara.txt in the folder the program starts in. radioctl does the same from\n"
    "the command line; see radiosetup(1) and radioctl(1).\n";

// Answered before any window: they need no display.
int AnswerWithoutWindow(const std::string& option) {
    if (option == "--version") {
        std::printf("radiosetup %s\n", RADIOSETUP_VERSION);
    } else {
        std::fputs(kHelp, stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--version" || std::string(argv[1]) == "--help")) {
        return AnswerWithoutWindow(argv[1]);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(ApplicationTitle()));
    // Lets the desktop match the window to the installed entry and its icon (Wayland).
    QApplication::setDesktopFileName(QStringLiteral(RADIOSETUP_APP_ID));
    const CCloseOnSignals closeOnSignals;
    CSerialPort port;
    CSetupApp setupApp(SerialLinks(port));
    setupApp.InitInstance();
    return 0;
}
