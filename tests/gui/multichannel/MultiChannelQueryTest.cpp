// "查询" against the simulated radio over a pseudo-terminal.
#include <gtest/gtest.h>

#include "MultiChannelRig.h"
#include "TestNamespaces.h"

namespace {

const QString kQueryDone = QString::fromUtf8("查询成功");
const QString kQueryFailed = QString::fromUtf8("查询失败");

// One entry of the 40-byte reply: transmit word, then receive word, low bytes first.
void AppendEntry(std::vector<std::uint8_t>& reply, int rx, int tx) {
    const auto txWord = static_cast<std::uint16_t>(tx / 125);
    const auto rxWord = static_cast<std::uint16_t>((rx - 214000) / 125);
    for (const std::uint16_t word : {txWord, rxWord}) {
        reply.push_back(static_cast<std::uint8_t>(word & 0xFF));
        reply.push_back(static_cast<std::uint8_t>(word >> 8));
    }
}

SimRadioState RadioWithNumberedChannels() {
    SimRadioState state;
    for (int channel = 1; channel <= 100; ++channel) {
        state.rxWord[channel - 1] = SimRadioState::RxWordOf(3000000 + channel * 125);
        state.txWord[channel - 1] = SimRadioState::TxWordOf(4000000 + channel * 125);
    }
    return state;
}

TEST(MultiChannelQuery, ChannelNinetyOneGoesOutAsTheWorkedFrameAndFillsTheRows) {
    CMultiChannelRig rig;
    rig.ConnectRadio(RadioWithNumberedChannels());
    rig.OpenDialog();
    rig.Type(Mc::kStartChannel, "95");
    EXPECT_EQ(rig.Captions().first(), QString::fromUtf8("信道91"));
    EXPECT_EQ(rig.Text(Mc::kStartChannel), "95");

    rig.Click(Mc::kQuery);
    EXPECT_EQ(rig.SentFrames(), std::vector<std::vector<std::uint8_t>>(
                                    {Bytes({0x55, 0xAA, 0x1D, 0x5A, 0x00, 0x00, 0x00, 0x47})}));
    EXPECT_EQ(rig.Text(Mc::kStatus), kQueryDone);
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(rig.Rx(row), QString::number(3000000 + (90 + row) * 125)) << "row " << row;
        EXPECT_EQ(rig.Tx(row), QString::number(4000000 + (90 + row) * 125)) << "row " << row;
    }
    // The field is rewritten to the clamped start without loading the rows again.
    EXPECT_EQ(rig.Text(Mc::kStartChannel), "91");
    EXPECT_EQ(rig.Text(Mc::kChannelCount), "10");
    EXPECT_EQ(rig.Captions().first(), QString::fromUtf8("信道91"));
    EXPECT_EQ(rig.FileContent(), DefaultFile());  // a query does not save
}

TEST(MultiChannelQuery, ReplyLengthsDecideBetweenFailureAndSuccess) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
    rig.WriteFile(NumberedFile(1000000, 2000000));
    rig.OpenDialog();
    rig.ChooseWindow(1, 1);
    SimFaults faults;

    faults.replyFor[0x1D] = std::vector<std::uint8_t>(39, 0x11);
    rig.radio.SetFaults(faults);
    rig.Click(Mc::kQuery);
    EXPECT_EQ(rig.Text(Mc::kStatus), kQueryFailed);
    EXPECT_EQ(rig.Rx(1), "1000001");

    // With a count of 1 only the first entry is taken.
    faults.replyFor[0x1D] = Bytes({0xE0, 0x47, 0x30, 0x41});
    faults.replyFor[0x1D].resize(40, 0x22);
    rig.radio.SetFaults(faults);
    rig.Click(Mc::kQuery);
    EXPECT_EQ(rig.Text(Mc::kStatus), kQueryDone);
    EXPECT_EQ(rig.Rx(1), "2300000");
    EXPECT_EQ(rig.Tx(1), "2300000");
    EXPECT_EQ(rig.Rx(2), "1000002");

    // Bytes after the fortieth are ignored.
    std::vector<std::uint8_t> full;
    for (int entry = 0; entry < 10; ++entry) {
        AppendEntry(full, 5000000 + entry * 125, 5500000 + entry * 125);
    }
    full.resize(131, 0xFF);
    faults.replyFor[0x1D] = full;
    rig.radio.SetFaults(faults);
    rig.ChooseWindow(1, 10);
    rig.Click(Mc::kQuery);
    EXPECT_EQ(rig.Text(Mc::kStatus), kQueryDone);
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(rig.Rx(row), QString::number(5000000 + (row - 1) * 125)) << "row " << row;
        EXPECT_EQ(rig.Tx(row), QString::number(5500000 + (row - 1) * 125)) << "row " << row;
    }
}

TEST(MultiChannelQuery, RowsBeyondTheCountComeBackFromStaging) {
    CMultiChannelRig rig;
    rig.ConnectRadio(RadioWithNumberedChannels());
    rig.WriteFile(NumberedFile(1000000, 2000000));
    rig.OpenDialog();
    rig.ChooseWindow(1, 3);
    for (int row = 1; row <= 10; ++row) {
        rig.SetRow(row, "5555555", "5555555");
    }
    rig.Click(Mc::kQuery);
    EXPECT_EQ(rig.Text(Mc::kStatus), kQueryDone);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(rig.Rx(row), QString::number(3000000 + row * 125)) << "row " << row;
        EXPECT_EQ(rig.Tx(row), QString::number(4000000 + row * 125)) << "row " << row;
    }
    for (int row = 4; row <= 10; ++row) {
        EXPECT_EQ(rig.Rx(row), QString::number(1000000 + row)) << "row " << row;
        EXPECT_EQ(rig.Tx(row), QString::number(2000000 + row)) << "row " << row;
    }
}

TEST(MultiChannelQuery, AFailedQueryStillStoresStartAndCount) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
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
