#include "Win32DialogWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>

#include "DialogDriver.h"
#include "TestNamespaces.h"
#include "Win32DialogTemplate.h"

namespace {

constexpr int kMainTemplate = 102;
constexpr int kRadioPortTemplate = 145;
constexpr int kAboutCommand = 0x0010;

// Every event as a line: "init", "command 1", "text 1014", ...
class CRecordedEvents : public IDialogEvents {
public:
    std::vector<std::string> log;
    std::function<void()> onInit;

    void OnInitDialog() override {
        log.push_back("init");
        if (onInit) {
            onInit();
        }
    }
    void OnCommand(int id) override { Add("command", id); }
    void OnTextChanged(int id) override { Add("text", id); }
    void OnSliderReleased(int id) override { Add("slider", id); }
    void OnTimer(int timerId) override { Add("timer", timerId); }
    void OnSysCommand(int command) override { Add("sys", command); }

private:
    void Add(const char* what, int id) {
        log.push_back(std::string(what) + " " + std::to_string(id));
    }
};

// The id of the template's first control of kind.
int FirstOf(const DialogTemplate& dialog, const std::string& kind) {
    for (const ControlTemplate& control : dialog.controls) {
        if (control.kind == kind && control.id != -1) {
            return control.id;
        }
    }
    return -1;
}

class Win32DialogWindowTest : public ::testing::Test {
protected:
    bool Logged(const std::string& line) {
        return RunUntil([&] {
            return std::find(events.log.begin(), events.log.end(), line) != events.log.end();
        });
    }

    DialogTemplate main = DialogTemplate::Load(kMainTemplate);
    CRecordedEvents events;
    CWin32DialogWindow window{main, events};
};

TEST_F(Win32DialogWindowTest, TextsAreUtf8AndOnlyAudibleChangesAreReported) {
    ASSERT_TRUE(window.ShowModeless(nullptr));
    const int edit = FirstOf(main, "edit");
    const int button = FirstOf(main, "button");
    window.SetText(edit, "2290000");
    window.SetTextSilently(edit, "229");
    window.SetText(button, "退 出");
    EXPECT_EQ(window.GetText(edit), "229");
    EXPECT_EQ(window.GetText(button), "退 出");
    EXPECT_EQ(events.log, (std::vector<std::string>{"init", "text " + std::to_string(edit)}));
}

TEST_F(Win32DialogWindowTest, ClicksAndTheCloseBoxBecomeCommands) {
    ASSERT_TRUE(window.ShowModeless(nullptr));
    const int checkbox = FirstOf(main, "checkbox");
    SendMessageW(GetDlgItem(window.Handle(), checkbox), BM_CLICK, 0, 0);
    EXPECT_TRUE(window.IsChecked(checkbox));
    PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Logged("command " + std::to_string(IDCANCEL)));
    EXPECT_EQ(events.log.at(1), "command " + std::to_string(checkbox));
}

TEST_F(Win32DialogWindowTest, TimersAndPostedTasksRunOnTheWindowsThread) {
    ASSERT_TRUE(window.ShowModeless(nullptr));
    window.SetTimer(27, 10);
    EXPECT_TRUE(Logged("timer 27"));
    window.KillTimer(27);

    DWORD ranOn = 0;
    std::thread worker([&] { window.PostToWindow([&] { ranOn = GetCurrentThreadId(); }); });
    worker.join();
    EXPECT_TRUE(RunUntil([&] { return ranOn != 0; }));
    EXPECT_EQ(ranOn, GetCurrentThreadId());
}

TEST_F(Win32DialogWindowTest, SystemMenuEntryFollowsASeparatorAndReportsItsCommand) {
    ASSERT_TRUE(window.ShowModeless(nullptr));
    window.AppendSystemMenuItem(kAboutCommand, "关于 Tarnwick(&A)...");
    const HMENU menu = GetSystemMenu(window.Handle(), FALSE);
    const int count = GetMenuItemCount(menu);
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(count - 1), text, 64, MF_BYPOSITION);
    EXPECT_EQ(Utf8(text), "关于 Tarnwick(&A)...");
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
    SendMessageW(window.Handle(), WM_SYSCOMMAND, kAboutCommand, 0);
    EXPECT_EQ(events.log.back(), "sys " + std::to_string(kAboutCommand));
}

TEST_F(Win32DialogWindowTest, SlidersAndListsKeepWhatTheyAreGiven) {
    ASSERT_TRUE(window.ShowModeless(nullptr));
    const int slider = FirstOf(main, "trackbar");
    window.SetSliderRange(slider, 1, 16);
    window.SetSliderPos(slider, 20);
    EXPECT_EQ(window.GetSliderPos(slider), 16);

    const DialogTemplate radioPort = DialogTemplate::Load(kRadioPortTemplate);
    CRecordedEvents listEvents;
    CWin32DialogWindow lists(radioPort, listEvents);
    ASSERT_TRUE(lists.ShowModeless(nullptr));
    const int list = FirstOf(radioPort, "droplist");
    EXPECT_EQ(lists.GetListSelection(list), CB_ERR);
    lists.SetListSelection(list, 2);
    EXPECT_EQ(lists.GetListSelection(list), 2);
}

TEST_F(Win32DialogWindowTest, AModalRunEndsWithTheResultItWasGiven) {
    events.onInit = [this] { window.End(7); };
    EXPECT_EQ(window.RunModal(nullptr), 7);
    EXPECT_EQ(window.Handle(), nullptr);
}

}  // namespace
