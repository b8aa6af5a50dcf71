// "设置" against the simulated radio in virtual time. The frames and the waits of each
// exchange are the conversation tests' own; here the dialog's choice of rows, its waits as
// a whole and its verdicts.
#include <gtest/gtest.h>

#include "MultiChannelRig.h"
#include "SerialPort.h"
#include "TestNamespaces.h"

namespace {

using std::chrono::milliseconds;

const QString kSetDone = QString::fromUtf8("设置成功");
const QString kSetFailed = QString::fromUtf8("设置失败");

int RxOf(int row) {
    return 1000000 + row * 125000;
}

int TxOf(int row) {
    return 5000000 + row * 125;
}

struct WindowCase {
    int typedStart;
    int count;
    int firstChannel;
};

// Each channel takes two requests of 40 ms before and 300 ms after; a set does not save.
TEST(MultiChannelSet, TheCountedRowsGoToTheWindowsChannelsWithTheirWaits) {
    const WindowCase cases[] = {{1, 1, 1}, {95, 1, 91}, {41, 10, 41}};
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.typedStart);
        CMultiChannelRig rig;
        rig.OpenDialog();
        rig.ChooseWindow(c.typedStart, c.count);
        for (int row = 1; row <= 10; ++row) {
            rig.SetRow(row, QString::number(RxOf(row)), QString::number(TxOf(row)));
        }
        const milliseconds start = rig.clock.Now();
        rig.Click(Mc::kSet);
        EXPECT_EQ(rig.Text(Mc::kStatus), kSetDone);
        EXPECT_EQ((rig.clock.Now() - start).count(), c.count * 2 * (40 + 300));

        SimRadioState expected;
        for (int row = 1; row <= c.count; ++row) {
            const int channel = c.firstChannel + row - 1;
            expected.rxWord[channel - 1] = SimRadioState::RxWordOf(RxOf(row));
            expected.txWord[channel - 1] = SimRadioState::TxWordOf(TxOf(row));
        }
        EXPECT_EQ(rig.radio.State().rxWord, expected.rxWord);
        EXPECT_EQ(rig.radio.State().txWord, expected.txWord);
        EXPECT_EQ(rig.FileContent(), DefaultFile());
    }
}

struct FaultCase {
    const char* name;
    SimFaults faults;
    std::size_t framesSent;
};

// Any answer but an acknowledgement with status 0 fails the set where it comes.
TEST(MultiChannelSet, AnAnswerNotAcceptedEndsTheSetAsFailed) {
    SimFaults silentThirdChannel;
    silentThirdChannel.silentFromFrame = 5;
    SimFaults refusedTransmit;
    refusedTransmit.statusFor[0x05] = 0xFF;
    SimFaults cutShort;
    cutShort.replyFor[0x04] = Bytes({0x55, 0xAA});
    const FaultCase cases[] = {{"silence", silentThirdChannel, 5},
                               {"refusal", refusedTransmit, 2},
                               {"short", cutShort, 1}};
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        CMultiChannelRig rig;
        rig.radio.SetFaults(c.faults);
        rig.OpenDialog();
        rig.Click(Mc::kSet);
        EXPECT_EQ(rig.FramesSent(), c.framesSent);
        EXPECT_EQ(rig.Text(Mc::kStatus), kSetFailed);
    }
}

TEST(MultiChannelSet, AChangedCountFieldAloneLeavesTheStoredCount) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    rig.ChooseWindow(1, 2);
    rig.Type(Mc::kChannelCount, "1");
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.FramesSent(), 4u);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetDone);
}

TEST(MultiChannelSet, ValidationCoversAllTenRowsAndBothBoundsAreValid) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    rig.ChooseWindow(1, 1);
    rig.SetRow(1, "1000000", "6000000");
    rig.SetRow(10, "2300000", "0999999");
    rig.Click(Mc::kSet);
    ASSERT_EQ(rig.boxes.Texts(), QStringList({"请输入1000000至6000000之间的数值"}));
    EXPECT_EQ(rig.boxes.Boxes().first().caption, ApplicationTitle());
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kRows[9].tx));
    EXPECT_EQ(rig.FramesSent(), 0u);
    EXPECT_EQ(rig.Text(Mc::kStatus), "");

    rig.SetRow(10, "6000001", "2300000");
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.boxes.Boxes().size(), 2);
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kRows[9].rx));

    // A short entry means megahertz; an empty one becomes seven zeros and is refused.
    rig.SetRow(10, "230", "4505");
    rig.Type(Mc::kRows[3].rx, "");
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.Rx(10), "2300000");
    EXPECT_EQ(rig.Tx(10), "4505000");
    EXPECT_EQ(rig.Rx(4), "0000000");
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kRows[3].rx));
    EXPECT_EQ(rig.FramesSent(), 0u);

    rig.Type(Mc::kRows[3].rx, "2300000");
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.FramesSent(), 2u);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetDone);
}

TEST(MultiChannelSet, AClosedPortFailsSetAndQuery) {
    CMultiChannelRig rig;
    CSerialPort closed;
    rig.OpenDialog(closed);
    rig.ChooseWindow(1, 1);
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetFailed);
    rig.Click(Mc::kQuery);
    EXPECT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("查询失败"));
    EXPECT_EQ(rig.Rx(1), "2300000");
    EXPECT_TRUE(rig.boxes.Boxes().isEmpty());
}

}  // namespace
