// The multi-channel dialog on whichever dialog backend the build has, against the
// simulated radio in its factory state: channel 1 at 229 MHz, the others at 230 MHz.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "MultiChannelDlg.h"
#include "MultiChannelIds.h"
#include "PcPortSettings.h"
#include "RadioOnPort1.h"
#include "SerialPort.h"

namespace {

namespace Mc = MultiChannelId;

TEST(MultiChannel, QueryAsksForTheFirstChannelOfTheWindowAndFillsTheRows) {
    CRadioOnPort1 radio;
    CSerialPort port;
    ASSERT_TRUE(port.Open(1, 9600, kParityNone));
    CMultiChannelDlg dialog(port);
    dialog.ShowModeless();

    Click(dialog, Mc::kQuery);
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

}  // namespace
