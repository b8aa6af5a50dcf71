// "设置" against the simulated radio over a pseudo-terminal.
#include <gtest/gtest.h>

#include <QEvent>
#include <chrono>

#include "MultiChannelRig.h"
#include "TestNamespaces.h"

namespace {

using Frames = std::vector<std::vector<std::uint8_t>>;

const QString kSetDone = QString::fromUtf8("设置成功");
const QString kSetFailed = QString::fromUtf8("设置失败");

// A set request as it must appear on the line: the word goes high byte first.
std::vector<std::uint8_t> SetFrame(std::uint8_t command, int channel, std::uint16_t word) {
    const auto channelByte = static_cast<std::uint8_t>(channel - 1);
    const auto high = static_cast<std::uint8_t>(word >> 8);
    const auto low = static_cast<std::uint8_t>(word & 0xFF);
    return {0x55, 0xAA, command, channelByte,
            high, low,  0x00,    static_cast<std::uint8_t>(command ^ channelByte ^ high ^ low)};
}

std::uint16_t RxWord(int frequency) {
    return static_cast<std::uint16_t>((frequency - 214000) / 125);
}

std::uint16_t TxWord(int frequency) {
    return static_cast<std::uint16_t>(frequency / 125);
}

// Records the text an edit shows each time it is painted.
class CPaintedTexts : public QObject {
public:
    explicit CPaintedTexts(QLineEdit* edit) : m_pEdit(edit) { edit->installEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_pEdit && event->type() == QEvent::Paint) {
            texts.append(m_pEdit->text());
        }
        return false;
    }

private:
    QLineEdit* m_pEdit;
};

TEST(MultiChannelSet, RowOneOfChannelOneGoesOutAsTheWorkedFrames) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
    rig.OpenDialog();
    rig.ChooseWindow(1, 1);
    rig.Click(Mc::kSet);
    const Frames expected = {Bytes({0x55, 0xAA, 0x04, 0x00, 0x41, 0x30, 0x00, 0x75}),
                             Bytes({0x55, 0xAA, 0x05, 0x00, 0x47, 0xE0, 0x00, 0xA2})};
    EXPECT_EQ(rig.SentFrames(), expected);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetDone);
    const SimRadioState radio = rig.radio.State();
    EXPECT_EQ(radio.rxWord[0], 0x4130);
    EXPECT_EQ(radio.txWord[0], 0x47E0);

    // What lies below a step of 125 units is dropped.
    rig.radio.ClearFrames();
    rig.SetRow(1, "2300060", "2300124");
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.SentFrames(), expected);
}

TEST(MultiChannelSet, ChannelNinetyOneGoesOutAsNinety) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
    rig.OpenDialog();
    rig.ChooseWindow(91, 1);
    rig.SetRow(1, "4500000", "4600000");
    rig.Click(Mc::kSet);
    const Frames expected = {Bytes({0x55, 0xAA, 0x04, 0x5A, 0x85, 0xF0, 0x00, 0x2B}),
                             Bytes({0x55, 0xAA, 0x05, 0x5A, 0x8F, 0xC0, 0x00, 0x10})};
    EXPECT_EQ(rig.SentFrames(), expected);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetDone);
    EXPECT_EQ(rig.radio.State().rxWord[90], RxWord(4500000));
    EXPECT_EQ(rig.radio.State().txWord[90], TxWord(4600000));
}

TEST(MultiChannelSet, TenChannelsGoOutInOrderEachWithItsWaits) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
    rig.OpenDialog();
    rig.ChooseWindow(41, 10);
    Frames expected;
    for (int row = 1; row <= 10; ++row) {
        const int rx = 1000000 + row * 125000;
        const int tx = 5000000 + row * 125;
        rig.SetRow(row, QString::number(rx), QString::number(tx));
        expected.push_back(SetFrame(0x04, 40 + row, RxWord(rx)));
        expected.push_back(SetFrame(0x05, 40 + row, TxWord(tx)));
    }
    const auto start = std::chrono::steady_clock::now();
    rig.Click(Mc::kSet);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(rig.SentFrames(), expected);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetDone);
    // 40 ms before each frame and 300 ms after it, twice per channel.
    EXPECT_GE(elapsed, std::chrono::milliseconds(6800));
    EXPECT_LT(elapsed, std::chrono::seconds(60));
    const SimRadioState radio = rig.radio.State();
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(radio.rxWord[39 + row], RxWord(1000000 + row * 125000)) << "row " << row;
        EXPECT_EQ(radio.txWord[39 + row], TxWord(5000000 + row * 125)) << "row " << row;
    }
    EXPECT_EQ(rig.FileContent(), DefaultFile());  // a set does not save
}

TEST(MultiChannelSet, AnUnansweredThirdChannelEndsTheRunAndKeepsTheFirstTwo) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
    rig.OpenDialog();
    for (int row = 1; row <= 10; ++row) {
        rig.SetRow(row, "4500000", "4600000");
    }
    SimFaults faults;
    faults.silentFromFrame = 5;  // the receive frame of channel 3
    rig.radio.SetFaults(faults);
    rig.Click(Mc::kSet);

    EXPECT_EQ(rig.SentFrames().size(), 5u);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetFailed);
    const SimRadioState radio = rig.radio.State();
    const SimRadioState factory;
    for (int channel : {1, 2}) {
        EXPECT_EQ(radio.rxWord[channel - 1], RxWord(4500000));
        EXPECT_EQ(radio.txWord[channel - 1], TxWord(4600000));
    }
    EXPECT_EQ(radio.rxWord[2], factory.rxWord[2]);
    EXPECT_EQ(radio.txWord[3], factory.txWord[3]);
}

TEST(MultiChannelSet, OnlyAnAcknowledgementWithStatusZeroIsAccepted) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
    rig.OpenDialog();
    rig.ChooseWindow(1, 2);
    auto setWith = [&rig](const SimFaults& faults) {
        rig.radio.SetFaults(faults);
        rig.radio.ClearFrames();
        rig.Click(Mc::kSet);
        return rig.SentFrames().size();
    };

    SimFaults refused;
    refused.statusFor[0x05] = 0xFF;
    EXPECT_EQ(setWith(refused), 2u);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetFailed);

    SimFaults otherStatus;
    otherStatus.statusFor[0x04] = 0x11;
    EXPECT_EQ(setWith(otherStatus), 1u);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetFailed);

    SimFaults tooShort;
    tooShort.replyFor[0x04] = Bytes({0x55, 0xAA});
    EXPECT_EQ(setWith(tooShort), 1u);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetFailed);

    // Nothing after the third byte is looked at.
    SimFaults trailing;
    trailing.replyFor[0x04] = Bytes({0x55, 0xAA, 0x00, 0xEE, 0xEE});
    EXPECT_EQ(setWith(trailing), 4u);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetDone);
}

TEST(MultiChannelSet, AChangedCountFieldAloneLeavesTheStoredCount) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
    rig.OpenDialog();
    rig.ChooseWindow(1, 2);
    rig.Type(Mc::kChannelCount, "1");
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.SentFrames().size(), 4u);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetDone);
}

TEST(MultiChannelSet, ValidationCoversAllTenRowsAndBothBoundsAreValid) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
    rig.OpenDialog();
    rig.ChooseWindow(1, 1);
    rig.SetRow(1, "1000000", "6000000");
    rig.SetRow(10, "2300000", "0999999");
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.boxes.Texts(), QStringList({"请输入1000000至6000000之间的数值"}));
    EXPECT_EQ(rig.boxes.Boxes().first().caption, ApplicationTitle());
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kRows[9].tx));
    EXPECT_TRUE(rig.SentFrames().empty());
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
    EXPECT_TRUE(rig.SentFrames().empty());

    rig.Type(Mc::kRows[3].rx, "2300000");
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.SentFrames().size(), 2u);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetDone);
}

TEST(MultiChannelSet, ProgressTextsArePaintedBeforeTheWaits) {
    CMultiChannelRig rig;
    rig.ConnectRadio();
    rig.OpenDialog();
    rig.ChooseWindow(1, 1);
    CPaintedTexts painted(rig.Edit(Mc::kStatus));
    rig.Click(Mc::kSet);
    EXPECT_TRUE(painted.texts.contains(QString::fromUtf8("正在设置中......")))
        << painted.texts.join(",").toStdString();
    rig.Click(Mc::kQuery);
    EXPECT_TRUE(painted.texts.contains(QString::fromUtf8("正在查询......")));
    EXPECT_EQ(painted.texts.last(), QString::fromUtf8("查询成功"));
}

TEST(MultiChannelSet, AClosedPortFailsSetAndQuery) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    rig.ChooseWindow(1, 1);
    rig.Click(Mc::kSet);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSetFailed);
    rig.Click(Mc::kQuery);
    EXPECT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("查询失败"));
    EXPECT_EQ(rig.Rx(1), "2300000");
    EXPECT_TRUE(rig.boxes.Boxes().isEmpty());
}

}  // namespace
