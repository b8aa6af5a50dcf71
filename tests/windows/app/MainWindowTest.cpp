#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "AboutDlg.h"
#include "MessageBoxSeam.h"
#include "ModalSeam.h"
#include "SetupDlg.h"
#include "SetupDlgIds.h"
#include "TestNamespaces.h"
#include "WinTestSupport.h"

// The main window on the Win32 backend against the simulated radio on COM1, with the
// settings key of a first run (port 1, 9600 bit/s, no parity).
namespace {

namespace Id = SetupId;

const char* const kQueried = "成功获取设备信息";

// Runs the thread's messages, the window's timers among them, until done or 6 s.
bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    while (!done() && std::chrono::steady_clock::now() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
    return done();
}

class WinMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_previousBoxes = SetMessageBoxHandler([this](const MessageBoxRequest& box) {
            boxes.push_back(box.text);
            return kIdOk;
        });
        m_previousModal = SetModalHandler([this](CDialog& nested) {
            nestedRuns.push_back(nested.Template().id);
            return kIdOk;
        });
        window.ShowModeless();
        ASSERT_TRUE(PumpUntil([this] { return window.GetText(Id::kResultField) == kQueried; }))
            << window.GetText(Id::kResultField);
    }
    void TearDown() override {
        SetMessageBoxHandler(m_previousBoxes);
        SetModalHandler(m_previousModal);
    }

    CScopedRegistryRoots roots;
    CSetupDlg window;
    std::vector<std::string> boxes;
    std::vector<int> nestedRuns;

private:
    MessageBoxHandler m_previousBoxes;
    ModalHandler m_previousModal;
};

TEST_F(WinMainWindow, ConnectsAndShowsTheRadiosParametersAtStartUp) {
    EXPECT_EQ(window.GetText(Id::kRxFrequency), "2290000");
    EXPECT_EQ(window.GetText(Id::kAni), "1");
    EXPECT_EQ(window.GetText(Id::kChannelTotal), "100");
    EXPECT_EQ(window.GetText(Id::kPortField), "串口1 9600bps 无校验");
    EXPECT_TRUE(window.IsChecked(Id::kDataMode));
}

TEST_F(WinMainWindow, AnOutOfRangeValueIsRefusedWithItsMessage) {
    window.SetText(Id::kAni, "99999999");
    window.SendCommand(Id::kAniOk);
    EXPECT_EQ(boxes, std::vector<std::string>{"设备ANI必须是0-16777215"});
}

TEST_F(WinMainWindow, TheSystemMenuOpensTheAboutBox) {
    SendMessageW(window.Handle(), WM_SYSCOMMAND, CSetupDlg::kAboutCommand, 0);
    EXPECT_EQ(nestedRuns, std::vector<int>{CAboutDlg::kTemplateId});
}

}  // namespace
