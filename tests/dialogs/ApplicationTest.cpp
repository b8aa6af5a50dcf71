// The program's whole run on whichever dialog backend the build has: the splash, then
// the main window, which connects to the simulated radio and queries it.
#include <gtest/gtest.h>

#include <chrono>

#include "DialogDriver.h"
#include "ModalSeam.h"
#include "PortSettingsStore.h"
#include "RadioOnPort.h"
#include "SetupApp.h"
#include "SetupDlg.h"
#include "SetupDlgIds.h"
#include "SplashDlg.h"
#include "WireFrame.h"

namespace {

using std::chrono::milliseconds;

TEST(Application, ShowsTheSplashForASecondThenTheMainWindowUntilItsExit) {
    CRadioOnPort radio;
    const RadioLinks links = radio.Links();
    std::vector<std::string> shown;
    milliseconds splashShown{};
    const ModalHandler previous = SetModalHandler([&](CDialog& dialog) {
        if (dynamic_cast<CSplashDlg*>(&dialog) != nullptr) {
            shown.push_back("splash");
            const milliseconds start = links.clock.Now();
            dialog.ShowModeless();
            RunUntil([&] { return dialog.IsEnded(); });
            splashShown = links.clock.Now() - start;
            return kIdOk;
        }
        shown.push_back(dynamic_cast<CSetupDlg*>(&dialog) != nullptr ? "main" : "other");
        dialog.ShowModeless();
        RunUntil([&] { return dialog.GetText(SetupId::kResultField) == "成功获取设备信息"; });
        Click(dialog, SetupId::kExit);
        return dialog.IsEnded() ? kIdCancel : -1;
    });
    EXPECT_FALSE(CSetupApp(links).InitInstance());
    SetModalHandler(previous);
    SetPortSettingsFailureReporter({});

    EXPECT_EQ(shown, (std::vector<std::string>{"splash", "main"}));
    EXPECT_GE(splashShown, milliseconds(900));
    EXPECT_LT(splashShown, milliseconds(5000));
    EXPECT_EQ(radio.Frames(),
              (std::vector<std::string>{WireFrame("0B 07 00 00 00"), WireFrame("CC 00 00 00 00")}));
}

}  // namespace
