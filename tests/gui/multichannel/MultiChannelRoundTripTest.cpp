// The first and the last window of channels through the dialog: set in the radio, queried
// back, saved in the channel file and seen again at the next opening.
#include <gtest/gtest.h>

#include "MultiChannelRig.h"
#include "PcPortSettings.h"
#include "PtyRadio.h"
#include "SerialPort.h"
#include "SimRadio.h"
#include "SteadyClock.h"
#include "TestNamespaces.h"

namespace {

// Steps of 125 units, so every value survives the radio's channel words.
int RxOf(int channel) {
    return 1000000 + channel * 40000;
}

int TxOf(int channel) {
    return 6000000 - channel * 30000;
}

constexpr int kStarts[] = {1, 91};

void ExpectWindow(const CMultiChannelRig& rig, int start) {
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(rig.Rx(row), QString::number(RxOf(start + row - 1)))
            << "channel " << start + row - 1;
        EXPECT_EQ(rig.Tx(row), QString::number(TxOf(start + row - 1)))
            << "channel " << start + row - 1;
    }
}

TEST(MultiChannelRoundTrip, TheEndWindowsAreSetQueriedSavedAndShownAgain) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    for (int start : kStarts) {
        rig.Type(Mc::kStartChannel, QString::number(start));
        for (int row = 1; row <= 10; ++row) {
            rig.SetRow(row, QString::number(RxOf(start + row - 1)),
                       QString::number(TxOf(start + row - 1)));
        }
        rig.Click(Mc::kSet);
        ASSERT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("设置成功")) << "from " << start;
    }
    SimRadioState expected;
    std::vector<Record> plan(100, Record{2300000, 2300000});
    for (int start : kStarts) {
        for (int channel = start; channel < start + 10; ++channel) {
            expected.rxWord[channel - 1] = SimRadioState::RxWordOf(RxOf(channel));
            expected.txWord[channel - 1] = SimRadioState::TxWordOf(TxOf(channel));
            plan[channel - 1] = {RxOf(channel), TxOf(channel)};
        }
    }
    EXPECT_EQ(rig.radio.State().rxWord, expected.rxWord);
    EXPECT_EQ(rig.radio.State().txWord, expected.txWord);
    EXPECT_EQ(rig.FileContent(), DefaultFile());

    // Each window reloads the file's defaults, then the query brings the radio's values.
    for (int start : kStarts) {
        rig.Type(Mc::kStartChannel, QString::number(start));
        ASSERT_EQ(rig.Rx(1), "2300000") << "from " << start;
        rig.Click(Mc::kQuery);
        ASSERT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("查询成功")) << "from " << start;
        ExpectWindow(rig, start);
        rig.Click(Mc::kSave);
        ASSERT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("保存数据成功")) << "from " << start;
    }
    EXPECT_EQ(rig.FileContent(), FileBytes(plan));

    rig.OpenDialog();
    for (int start : kStarts) {
        rig.Type(Mc::kStartChannel, QString::number(start));
        ExpectWindow(rig, start);
    }
    EXPECT_TRUE(rig.boxes.Boxes().isEmpty());
}

// The real link: a pseudo-terminal to the simulated radio, on the steady clock.
TEST(MultiChannelRoundTrip, OverASerialPortAChannelIsSetAndQueriedBack) {
    const CPtyRadio radio;
    CSerialPort port;
    ASSERT_TRUE(port.Open(1, 9600, kParityNone));
    CMultiChannelRig rig;
    rig.OpenDialog(port, SteadyClock());
    rig.ChooseWindow(41, 1);
    rig.SetRow(1, QString::number(RxOf(41)), QString::number(TxOf(41)));
    rig.Click(Mc::kSet);
    ASSERT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("设置成功"));
    rig.SetRow(1, "2300000", "2300000");
    rig.Click(Mc::kQuery);
    ASSERT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("查询成功"));
    EXPECT_EQ(rig.Rx(1), QString::number(RxOf(41)));
    EXPECT_EQ(rig.Tx(1), QString::number(TxOf(41)));
}

}  // namespace
