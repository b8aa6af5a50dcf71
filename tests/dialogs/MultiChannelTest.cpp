// The multi-channel dialog on whichever dialog backend the build has, against the
// simulated radio in its factory state: channel 1 at 229 MHz, the others at 230 MHz.
// Each test works in a fresh folder, where the dialog keeps its channel file.
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "DialogDriver.h"
#include "MultiChannelDlg.h"
#include "MultiChannelIds.h"
#include "PcPortSettings.h"
#include "RadioOnPort.h"
#include "WireFrame.h"

namespace {

namespace Mc = MultiChannelId;

// The rig's clock. At the dialog's first wait another thread takes the status field's
// pixels from the screen, while the dialog's thread is blocked: what the operator sees then.
class CStatusAtFirstWait final : public IClock {
public:
    explicit CStatusAtFirstWait(IClock& clock) : m_clock(clock) {}
    // Takes the pixels once the dialog is painted, then watches its next wait.
    void Watch(const CDialog& dialog) {
        RunUntil([] { return false; }, std::chrono::milliseconds(300));
        before = ShownPixels(dialog, Mc::kStatus);
        m_pDialog = &dialog;
    }
    void Sleep(std::chrono::milliseconds duration) override {
        if (m_pDialog != nullptr && during.empty()) {
            std::thread([this] { during = ShownPixels(*m_pDialog, Mc::kStatus); }).join();
        }
        m_clock.Sleep(duration);
    }
    std::chrono::milliseconds Now() const override { return m_clock.Now(); }

    std::vector<std::uint32_t> before;
    std::vector<std::uint32_t> during;

private:
    IClock& m_clock;
    const CDialog* m_pDialog = nullptr;
};

TEST(MultiChannel, QueryAsksForTheFirstChannelOfTheWindowAndFillsTheRows) {
    CRadioOnPort radio;
    const RadioLinks links = radio.Links();
    IPcPort& port = links.port;
    ASSERT_TRUE(port.Open(1, 9600, kParityNone));
    CStatusAtFirstWait clock(links.clock);
    CMultiChannelDlg dialog(port, nullptr, clock);
    dialog.ShowModeless();

    clock.Watch(dialog);
    Click(dialog, Mc::kQuery);
    EXPECT_NE(clock.during, clock.before) << "正在查询...... is not on the screen during the wait";
    EXPECT_TRUE(RunUntil([&] { return dialog.GetText(Mc::kStatus) == "查询成功"; }))
        << dialog.GetText(Mc::kStatus);
    EXPECT_EQ(radio.Frames(), std::vector<std::string>{"55 AA 1D 00 00 00 00 1D"});
    EXPECT_EQ(dialog.GetText(Mc::kRows[0].rx), "2290000");
    EXPECT_EQ(dialog.GetText(Mc::kRows[0].tx), "2290000");
    for (int row = 1; row < 10; ++row) {
        EXPECT_EQ(dialog.GetText(Mc::kRows[row].rx), "2300000") << "row " << row + 1;
        EXPECT_EQ(dialog.GetText(Mc::kRows[row].tx), "2300000") << "row " << row + 1;
    }
    EXPECT_EQ(dialog.GetText(Mc::kRows[0].group), "信道1");
}

// A channel's request as the radio must receive it: the channel counted from 0, the word
// high byte first.
std::string ChannelFrame(int command, int channel, int word) {
    char payload[16];
    std::snprintf(payload, sizeof(payload), "%02X %02X %02X %02X 00", command, channel - 1,
                  word >> 8, word & 0xFF);
    return WireFrame(payload);
}

TEST(MultiChannel, SetSendsTheRowsAndSaveKeepsThemForTheNextOpening) {
    CRadioOnPort radio;
    const RadioLinks links = radio.Links();
    IPcPort& port = links.port;
    ASSERT_TRUE(port.Open(1, 9600, kParityNone));
    {
        CStatusAtFirstWait clock(links.clock);
        CMultiChannelDlg dialog(port, nullptr, clock);
        dialog.ShowModeless();
        Type(dialog, Mc::kChannelCount, "2");
        Type(dialog, Mc::kStartChannel, "41");
        Type(dialog, Mc::kRows[0].rx, "4000000");
        Type(dialog, Mc::kRows[0].tx, "4100000");
        Type(dialog, Mc::kRows[1].rx, "2290125");
        Type(dialog, Mc::kRows[1].tx, "2290250");

        clock.Watch(dialog);
        Click(dialog, Mc::kSet);
        EXPECT_NE(clock.during, clock.before) << "正在设置中...... is not on the screen";
        EXPECT_TRUE(RunUntil([&] { return dialog.GetText(Mc::kStatus) == "设置成功"; }))
            << dialog.GetText(Mc::kStatus);
        // Receive words count 125-unit steps above 21.4 MHz, transmit words from zero.
        EXPECT_EQ(radio.Frames(),
                  (std::vector<std::string>{ChannelFrame(0x04, 41, (4000000 - 214000) / 125),
                                            ChannelFrame(0x05, 41, 4100000 / 125),
                                            ChannelFrame(0x04, 42, (2290125 - 214000) / 125),
                                            ChannelFrame(0x05, 42, 2290250 / 125)}));
        Click(dialog, Mc::kSave);
        EXPECT_TRUE(RunUntil([&] { return dialog.GetText(Mc::kStatus) == "保存数据成功"; }))
            << dialog.GetText(Mc::kStatus);
    }
    CMultiChannelDlg reopened(port, nullptr, links.clock);
    reopened.ShowModeless();
    Type(reopened, Mc::kStartChannel, "41");
    EXPECT_EQ(reopened.GetText(Mc::kRows[0].rx), "4000000");
    EXPECT_EQ(reopened.GetText(Mc::kRows[1].tx), "2290250");
    EXPECT_EQ(reopened.GetText(Mc::kRows[2].rx), "2300000");
}

}  // namespace
