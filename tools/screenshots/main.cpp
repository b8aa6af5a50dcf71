// screenshots OUTDIR: shows each dialog against a simulated radio and grabs it to a PNG
// file, on whatever Qt platform is active (QT_QPA_PLATFORM=offscreen needs no display).
// The main window is grabbed once its start-up connect and query have finished.
#include <QApplication>
#include <QDir>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>

#include "AboutDlg.h"
#include "DetectDlg.h"
#include "MessageBoxSeam.h"
#include "MultiChannelDlg.h"
#include "MultiChannelIds.h"
#include "RadioPortDlg.h"
#include "ScratchFolders.h"
#include "SerialLinks.h"
#include "SetupDlg.h"
#include "SimRadio.h"
#include "SplashDlg.h"
#include "SteadyClock.h"

using namespace radiosetup;
using namespace radiosim;

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kResultField = 1048;
constexpr int kQueryTimeoutMs = 10000;
constexpr int kSettleMs = 100;  // layout and first paint before a grab

// A dialog to grab, made while the connected main window is open (dialogs that work
// on it get it), and what the user does in it before looking.
struct Shot {
    const char* fileName;
    std::function<std::unique_ptr<CDialog>(CSetupDlg& mainWindow)> make;
    std::function<void(CDialog& dialog)> use = [](CDialog&) {};
};

const Shot kShots[] = {
    {"splash.png", [](CSetupDlg&) { return std::make_unique<CSplashDlg>(); }},
    {"about.png", [](CSetupDlg&) { return std::make_unique<CAboutDlg>(); }},
    {"multichannel.png",
     [](CSetupDlg& main) {
         return std::make_unique<CMultiChannelDlg>(main.Links().port, &main, main.Links().clock);
     },
     [](CDialog& dialog) {  // a page of ten channels, read from the radio
         dialog.SetText(MultiChannelId::kChannelCount, "10");
         dialog.SendCommand(MultiChannelId::kQuery);
     }},
    // The window lets go of its port before these, which open it themselves.
    {"radioport.png",
     [](CSetupDlg& main) {
         main.Links().port.Close();
         return std::make_unique<CRadioPortDlg>(main.Links(), main.PortSettings(), &main);
     }},
    {"detect.png",
     [](CSetupDlg& main) { return std::make_unique<CDetectDlg>(1, main.Links(), &main); }},
};

// Nothing may wait for a click: every box is printed and answered with OK.
int PrintMessageBox(const MessageBoxRequest& box) {
    std::fprintf(stderr, "screenshots: message box \"%s\": %s\n", box.caption.c_str(),
                 box.text.c_str());
    return kIdOk;
}

bool HasQueried(const CSetupDlg& mainWindow) {
    return mainWindow.GetText(kResultField) == "成功获取设备信息";
}

bool Grab(CDialog& dialog, const QDir& outDir, const char* fileName) {
    QTest::qWait(kSettleMs);
    const QString path = outDir.filePath(QString::fromUtf8(fileName));
    if (!dialog.grab().save(path)) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    std::printf("%s\n", qUtf8Printable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs(
            "Usage: screenshots OUTDIR\n"
            "Grabs the dialogs, shown against a simulated radio, to PNG files in OUTDIR.\n",
            stderr);
        return kExitUsage;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(ApplicationTitle()));
    // Made absolute now: the run works in a folder of its own.
    const QDir outDir(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    if (!outDir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "screenshots: cannot make %s\n", qUtf8Printable(outDir.path()));
        return kExitFailure;
    }
    SetMessageBoxHandler(PrintMessageBox);

    CSimRadio radio;
    if (!radio.Start()) {
        std::fputs("screenshots: no pseudo-terminal for the simulated radio\n", stderr);
        return kExitFailure;
    }
    CScratchFolders scratch;
    if (!scratch.Enter(radio.SlavePath())) {
        return kExitFailure;
    }

    CSerialPort port;
    CSetupDlg mainWindow(SerialLinks(port));
    mainWindow.ShowModeless();
    if (!QTest::qWaitFor([&] { return HasQueried(mainWindow); }, kQueryTimeoutMs)) {
        std::fprintf(stderr,
                     "screenshots: the main window had no answer to its query after %d s; "
                     "its result field reads \"%s\"\n",
                     kQueryTimeoutMs / 1000, mainWindow.GetText(kResultField).c_str());
        return kExitFailure;
    }
    bool allSaved = Grab(mainWindow, outDir, "main.png");
    for (const Shot& shot : kShots) {
        const std::unique_ptr<CDialog> dialog = shot.make(mainWindow);
        dialog->ShowModeless();
        shot.use(*dialog);
        allSaved = Grab(*dialog, outDir, shot.fileName) && allSaved;
    }
    return allSaved ? 0 : kExitFailure;
}
