// All 100 channels through the dialog: set in the radio, queried back, saved in the
// channel file and seen again at the next opening. Two hundred exchanges run against the
// simulated radio's rules in virtual time; the set and query tests cover the real link.
#include <gtest/gtest.h>

#include "MultiChannelRig.h"
#include "SimLink.h"
#include "TestNamespaces.h"
#include "VirtualClock.h"

namespace {

// Steps of 125 units, so every value survives the radio's channel words.
int RxOf(int channel) {
    return 1000000 + channel * 40000;
}

int TxOf(int channel) {
    return 6000000 - channel * 30000;
}

void ExpectWindow(const CMultiChannelRig& rig, int start) {
    for (int row = 1; row <= 10; ++row) {
        EXPECT_EQ(rig.Rx(row), QString::number(RxOf(start + row - 1)))
            << "channel " << start + row - 1;
        EXPECT_EQ(rig.Tx(row), QString::number(TxOf(start + row - 1)))
            << "channel " << start + row - 1;
    }
}

TEST(MultiChannelRoundTrip, AllChannelsAreSetQueriedSavedAndShownAgain) {
    CMultiChannelRig rig;
    CVirtualClock clock;
    CSimLink radio(clock);
    rig.OpenDialog(radio.Link(), clock);
    for (int start = 1; start <= 91; start += 10) {
        rig.Type(Mc::kStartChannel, QString::number(start));
        for (int row = 1; row <= 10; ++row) {
            rig.SetRow(row, QString::number(RxOf(start + row - 1)),
                       QString::number(TxOf(start + row - 1)));
        }
        rig.Click(Mc::kSet);
        ASSERT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("设置成功")) << "from " << start;
    }
    std::vector<Record> plan;
    for (int channel = 1; channel <= 100; ++channel) {
        EXPECT_EQ(radio.State().rxWord[channel - 1], SimRadioState::RxWordOf(RxOf(channel)));
        EXPECT_EQ(radio.State().txWord[channel - 1], SimRadioState::TxWordOf(TxOf(channel)));
        plan.push_back({RxOf(channel), TxOf(channel)});
    }
    EXPECT_EQ(rig.FileContent(), DefaultFile());

    // Each window reloads the file's defaults, then the query brings the radio's values.
    for (int start = 1; start <= 91; start += 10) {
        rig.Type(Mc::kStartChannel, QString::number(start));
        ASSERT_EQ(rig.Rx(1), "2300000") << "from " << start;
        rig.Click(Mc::kQuery);
        ASSERT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("查询成功")) << "from " << start;
        ExpectWindow(rig, start);
        rig.Click(Mc::kSave);
        ASSERT_EQ(rig.Text(Mc::kStatus), QString::fromUtf8("保存数据成功")) << "from " << start;
    }
    EXPECT_EQ(rig.FileContent(), FileBytes(plan));

    rig.OpenDialog(radio.Link(), clock);
    for (int start = 1; start <= 91; start += 10) {
        rig.Type(Mc::kStartChannel, QString::number(start));
        ExpectWindow(rig, start);
    }
    EXPECT_TRUE(rig.boxes.Boxes().isEmpty());
}

}  // namespace
