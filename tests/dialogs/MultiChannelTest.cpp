// The multi-channel dialog on whichever dialog backend the build has. Each test works in a
// fresh folder, where the dialog keeps its channel file.
#include <gtest/gtest.h>

#include <utility>

#include "DialogDriver.h"
#include "MultiChannelDlg.h"
#include "MultiChannelIds.h"
#include "PcPortSettings.h"
#include "RadioOnPort.h"
#include "SimLink.h"
#include "VirtualClock.h"
#include "WorkFolder.h"

namespace {

namespace Mc = MultiChannelId;

// Lets the window be painted as an operator would see it before the next click.
void LetPaint() {
    RunUntil([] { return false; }, std::chrono::milliseconds(300));
}

bool ShowsStatus(const CDialog& dialog, const std::string& text) {
    return RunUntil([&] { return dialog.GetText(Mc::kStatus) == text; });
}

// The progress text must be on the screen while the dialog blocks in its first wait.
TEST(MultiChannel, QueryAndSetShowTheirProgressBeforeTheyWait) {
    CWorkFolder folder;
    CVirtualClock clock;
    CSimLink radio(clock);
    CMultiChannelDlg dialog(radio.Link(), nullptr, clock);
    dialog.ShowModeless();
    std::vector<std::uint32_t> during;
    clock.OnSleep([&] {
        if (during.empty()) {
            during = ShownPixels(dialog, Mc::kStatus);
        }
    });
    for (const auto& [button, done] :
         {std::pair(Mc::kQuery, "查询成功"), std::pair(Mc::kSet, "设置成功")}) {
        LetPaint();
        const std::vector<std::uint32_t> before = ShownPixels(dialog, Mc::kStatus);
        during.clear();
        Click(dialog, button);
        ASSERT_FALSE(during.empty()) << "no wait before " << done;
        EXPECT_NE(during, before) << "no progress text on the screen before " << done;
        EXPECT_TRUE(ShowsStatus(dialog, done)) << dialog.GetText(Mc::kStatus);
    }
}

// The whole way through: a set reaches the radio, a query brings it back, and the save is
// there at the next opening.
TEST(MultiChannel, OverTheSerialPortSetAndQueryReachTheRadioAndSavedRowsLast) {
    CRadioOnPort radio;
    const RadioLinks links = radio.Links();
    IPcPort& port = links.port;
    ASSERT_TRUE(port.Open(1, 9600, kParityNone));
    {
        CMultiChannelDlg dialog(port, nullptr, links.clock);
        dialog.ShowModeless();
        Type(dialog, Mc::kChannelCount, "1");
        Type(dialog, Mc::kStartChannel, "41");
        Type(dialog, Mc::kRows[0].rx, "4000000");
        Type(dialog, Mc::kRows[0].tx, "4100000");
        Click(dialog, Mc::kSet);
        EXPECT_TRUE(ShowsStatus(dialog, "设置成功")) << dialog.GetText(Mc::kStatus);
        Click(dialog, Mc::kSave);
        EXPECT_TRUE(ShowsStatus(dialog, "保存数据成功")) << dialog.GetText(Mc::kStatus);

        Type(dialog, Mc::kRows[0].rx, "2345678");
        Click(dialog, Mc::kQuery);
        EXPECT_TRUE(ShowsStatus(dialog, "查询成功")) << dialog.GetText(Mc::kStatus);
        EXPECT_EQ(dialog.GetText(Mc::kRows[0].rx), "4000000");
        EXPECT_EQ(dialog.GetText(Mc::kRows[0].tx), "4100000");
        EXPECT_EQ(radio.Frames().size(), 3u);
    }
    CMultiChannelDlg reopened(port, nullptr, links.clock);
    reopened.ShowModeless();
    Type(reopened, Mc::kStartChannel, "41");
    EXPECT_EQ(reopened.GetText(Mc::kRows[0].rx), "4000000");
    EXPECT_EQ(reopened.GetText(Mc::kRows[0].tx), "4100000");
    EXPECT_EQ(reopened.GetText(Mc::kRows[1].rx), "2300000");
}

}  // namespace
