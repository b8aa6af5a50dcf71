// "查询" against the simulated radio in virtual time.
#include <gtest/gtest.h>

#include "MultiChannelRig.h"
#include "TestNamespaces.h"

namespace {

const QString kQueryDone = QString::fromUtf8("查询成功");
const QString kQueryFailed = QString::fromUtf8("查询失败");

SimRadioState RadioWithNumberedChannels() {
    SimRadioState state;
    for (int channel = 1; channel <= 100; ++channel) {
        state.rxWord[channel - 1] = SimRadioState::RxWordOf(3000000 + channel * 125);
        state.txWord[channel - 1] = SimRadioState::TxWordOf(4000000 + channel * 125);
    }
    return state;
}

// One query awaited 900 ms after its 40 ms pause; rows beyond the count come back from
// what the window last loaded, not from what was typed; nothing is saved.
TEST(MultiChannelQuery, TheCountedRowsComeFromTheWindowsChannelsTheOthersFromTheFile) {
    CMultiChannelRig rig;
    rig.radio.SetState(RadioWithNumberedChannels());
    const std::string file = NumberedFile(1000000, 2000000);
    rig.WriteFile(file);
    rig.OpenDialog();
    rig.ChooseWindow(95, 3);
    EXPECT_EQ(rig.Captions().first(), QString::fromUtf8("信道91"));
    for (int row = 1; row <= 10; ++row) {
        rig.SetRow(row, "5555555", "5555555");
    }

    rig.Click(Mc::kQuery);
    EXPECT_EQ(rig.Text(Mc::kStatus), kQueryDone);
    EXPECT_EQ(rig.clock.Now().count(), 940);
    EXPECT_EQ(rig.FramesSent(), 1u);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(rig.Rx(row), QString::number(3000000 + (90 + row) * 125)) << "row " << row;
        EXPECT_EQ(rig.Tx(row), QString::number(4000000 + (90 + row) * 125)) << "row " << row;
    }
    for (int row = 4; row <= 10; ++row) {
        EXPECT_EQ(rig.Rx(row), QString::number(1000090 + row)) << "row " << row;
        EXPECT_EQ(rig.Tx(row), QString::number(2000090 + row)) << "row " << row;
    }
    // The field is rewritten to the clamped start without loading the rows again.
    EXPECT_EQ(rig.Text(Mc::kStartChannel), "91");
    EXPECT_EQ(rig.Text(Mc::kChannelCount), "3");
    EXPECT_EQ(rig.Captions().first(), QString::fromUtf8("信道91"));
    EXPECT_EQ(rig.FileContent(), file);
}

TEST(MultiChannelQuery, AFailedQueryStillStoresStartAndCount) {
    CMultiChannelRig rig;
    const std::string before = NumberedFile(1000000, 2000000);
    rig.WriteFile(before);
    rig.OpenDialog();
    rig.Edit(Mc::kStartChannel)->setText("99");  // channels 91 to 100, count 10
    rig.Type(Mc::kChannelCount, "0");            // read by the query only
    rig.SetRow(1, "4500000", "4600000");
    SimFaults silent;
    silent.silent = true;
    rig.radio.SetFaults(silent);
    rig.Click(Mc::kQuery);
    EXPECT_EQ(rig.Text(Mc::kStatus), kQueryFailed);
    EXPECT_EQ(rig.Text(Mc::kStartChannel), "99");
    EXPECT_EQ(rig.Text(Mc::kChannelCount), "0");
    EXPECT_EQ(rig.Rx(1), "4500000");

    rig.Click(Mc::kSave);  // channel 91 alone
    std::string expected = before;
    expected.replace(720, 8, FileBytes({{4500000, 4600000}}));
    EXPECT_EQ(rig.FileContent(), expected);
}

}  // namespace
