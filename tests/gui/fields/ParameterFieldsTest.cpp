#include <QLineEdit>

#include "SetupDlgRig.h"
#include "TestNamespaces.h"

using namespace Ctl;

namespace {

const char* const kFrequencyRange = "请输入1000000至6000000之间的数值";
const char* const kAniRange = "设备ANI必须是0-16777215";
const char* const kChannelTotalRange = "信道总数必须是1-100";

}  // namespace

TEST(ParameterFields, SetDeviceChecksEveryFieldInOrderThenWritesTheWholeSet) {
    CSetupDlgRig rig;
    // The edit refuses a typed sign, so only the program can put a negative ANI there.
    rig.dlg.SetText(kAni, "-1");
    rig.TypeInto(kChannelTotal, "0");
    rig.TypeInto(kCurrentChannel, "0");
    rig.TypeInto(kRxFrequency, "229");
    rig.TypeInto(kTxFrequency, "7");

    EXPECT_TRUE(rig.Refuses(kSetDevice, kAniRange, kAni));
    EXPECT_EQ(rig.Params().m_nAni, -1);  // stored before the check
    rig.TypeInto(kAni, "4660");
    EXPECT_TRUE(rig.Refuses(kSetDevice, kChannelTotalRange, kChannelTotal));
    rig.TypeInto(kChannelTotal, "257");
    EXPECT_TRUE(rig.Refuses(kSetDevice, kChannelTotalRange, kChannelTotal));
    EXPECT_EQ(rig.Params().m_nChannelTotal, 1);  // the low 8 bits of 257
    rig.TypeInto(kChannelTotal, "100");
    EXPECT_TRUE(rig.Refuses(kSetDevice, "当前信道必须是1-100", kCurrentChannel));
    rig.TypeInto(kCurrentChannel, "101");
    EXPECT_TRUE(rig.Refuses(kSetDevice, "当前信道必须是1-100", kCurrentChannel));
    EXPECT_EQ(rig.Text(kCurrentChannel), "101");
    rig.TypeInto(kCurrentChannel, "050");
    // A short frequency is not padded here: 229 stays 229 and is refused.
    EXPECT_TRUE(rig.Refuses(kSetDevice, kFrequencyRange, kRxFrequency));
    EXPECT_EQ(rig.Text(kCurrentChannel), "50");
    EXPECT_EQ(rig.Text(kRxFrequency), "229");
    EXPECT_EQ(rig.Params().m_nRxFrequency, 229u);
    rig.TypeInto(kRxFrequency, "4000000");
    EXPECT_TRUE(rig.Refuses(kSetDevice, kFrequencyRange, kTxFrequency));
    EXPECT_EQ(rig.Params().m_nTxFrequency, 7u);
    EXPECT_TRUE(rig.NothingReachedRadio());

    rig.TypeInto(kCurrentChannel, "100");
    rig.TypeInto(kTxFrequency, "4100000");
    EXPECT_TRUE(rig.Performs(kSetDevice, "设置设备参数", "设置设备成功"));
    const SimRadioState radio = rig.radio.State();
    EXPECT_EQ(radio.ani, 4660u);
    EXPECT_EQ(radio.rxWord[99], SimRadioState::RxWordOf(4000000));
    EXPECT_EQ(radio.txWord[99], SimRadioState::TxWordOf(4100000));
    // The buttons never write the text members: they still hold what the query showed.
    EXPECT_EQ(rig.Params().m_strAni, "1");
    EXPECT_EQ(rig.Params().m_strCurrentChannel, "1");
    EXPECT_EQ(rig.Params().m_strRxFrequency, "2290000");
    EXPECT_EQ(rig.Params().m_strTxFrequency, "2290000");
}

TEST(ParameterFields, FrequencyOksPadTheTypedDigitsAfterCheckingTheChannel) {
    CSetupDlgRig rig;
    auto* rxEdit = qobject_cast<QLineEdit*>(rig.dlg.Item(kRxFrequency));
    rxEdit->selectAll();
    rxEdit->insert("22 9");  // what a paste does: refused whole
    EXPECT_EQ(rig.Text(kRxFrequency), "2290000");
    rig.TypeInto(kRxFrequency, "1");
    EXPECT_TRUE(rig.Performs(kRxFrequencyOk, "设置接收频率", "设置接收频率成功"));
    EXPECT_EQ(rig.Text(kRxFrequency), "1000000");
    // The channel comes from the edit as typed, which is not rewritten.
    rig.TypeInto(kCurrentChannel, "05");
    rig.TypeInto(kTxFrequency, "6");
    EXPECT_TRUE(rig.Performs(kTxFrequencyOk, "设置发射频率", "设置发射频率成功"));
    EXPECT_EQ(rig.Text(kTxFrequency), "6000000");
    EXPECT_EQ(rig.Text(kCurrentChannel), "05");
    EXPECT_EQ(rig.radio.State().txWord[4], SimRadioState::TxWordOf(6000000));

    rig.TypeInto(kRxFrequency, "7");
    EXPECT_TRUE(rig.Refuses(kRxFrequencyOk, kFrequencyRange, kRxFrequency));
    EXPECT_EQ(rig.Text(kRxFrequency), "7000000");
    EXPECT_EQ(rig.Params().m_nRxFrequency, 7000000u);
    rig.TypeInto(kTxFrequency, "");
    EXPECT_TRUE(rig.Refuses(kTxFrequencyOk, kFrequencyRange, kTxFrequency));
    EXPECT_EQ(rig.Text(kTxFrequency), "0000000");

    // A bad total is reported before the frequency is touched, with the focus on the
    // current channel.
    rig.TypeInto(kChannelTotal, "257");
    rig.TypeInto(kRxFrequency, "5");
    EXPECT_TRUE(rig.Refuses(kRxFrequencyOk, "请先设置正确的信道总数", kCurrentChannel));
    EXPECT_TRUE(rig.Refuses(kTxFrequencyOk, "请先设置正确的信道总数", kCurrentChannel));
    EXPECT_EQ(rig.Text(kRxFrequency), "5");
    EXPECT_EQ(rig.Params().m_nChannelTotal, 1);

    rig.TypeInto(kChannelTotal, "20");
    rig.TypeInto(kCurrentChannel, "0");
    EXPECT_TRUE(rig.Refuses(kRxFrequencyOk, "当前信道必须是1-20", kCurrentChannel));
    rig.TypeInto(kCurrentChannel, "21");
    EXPECT_TRUE(rig.Refuses(kTxFrequencyOk, "当前信道必须是1-20", kCurrentChannel));
    EXPECT_EQ(rig.Params().m_nCurrentChannel, 21);
    EXPECT_EQ(rig.Text(kRxFrequency), "5");
    EXPECT_TRUE(rig.NothingReachedRadio());
}

TEST(ParameterFields, AniChannelTotalCurrentChannelAndTimeLimitOks) {
    CSetupDlgRig rig;
    // Digits only, at most seven: an eight-digit ANI cannot be typed.
    rig.TypeInto(kAni, "12x34567890");
    EXPECT_EQ(rig.Text(kAni), "1234567");
    rig.TypeInto(kAni, "");
    EXPECT_TRUE(rig.Performs(kAniOk, "设置设备ANI", "设置ANI成功"));
    EXPECT_EQ(rig.radio.State().ani, 0u);  // an empty edit is ANI 0
    rig.dlg.SetText(kAni, "-1");
    EXPECT_TRUE(rig.Refuses(kAniOk, kAniRange, kAni));

    // Checked against the stored total (100), with the icon.
    rig.TypeInto(kCurrentChannel, "0");
    EXPECT_TRUE(rig.Refuses(kCurrentChannelOk, "当前信道必须是1-100", kCurrentChannel,
                            MsgIcon::Exclamation));
    rig.TypeInto(kCurrentChannel, "101");
    EXPECT_TRUE(rig.Refuses(kCurrentChannelOk, "当前信道必须是1-100", kCurrentChannel,
                            MsgIcon::Exclamation));
    // An accepted channel is written back as a number and followed by a query, which
    // shows what the radio then reports.
    rig.TypeInto(kCurrentChannel, "050");
    EXPECT_TRUE(rig.Performs(kCurrentChannelOk, "查询设备参数", "成功获取设备信息"));
    EXPECT_EQ(rig.Text(kCurrentChannel), "50");
    EXPECT_EQ(rig.radio.State().currentChannel, 50);

    rig.TypeInto(kChannelTotal, "257");
    EXPECT_TRUE(rig.Refuses(kChannelTotalOk, kChannelTotalRange, kChannelTotal));
    // The total is compared with the stored current channel, whatever its edit shows.
    rig.TypeInto(kCurrentChannel, "1");
    rig.TypeInto(kChannelTotal, "20");
    EXPECT_TRUE(rig.Refuses(kChannelTotalOk, "请先将当前信道改为1-20", kCurrentChannel,
                            MsgIcon::Exclamation));
    rig.TypeInto(kChannelTotal, "0");
    EXPECT_TRUE(rig.Refuses(kChannelTotalOk, kChannelTotalRange, kChannelTotal));
    rig.TypeInto(kCurrentChannel, "5");
    EXPECT_TRUE(
        rig.Refuses(kCurrentChannelOk, "当前信道必须是1-0", kCurrentChannel, MsgIcon::Exclamation));

    // The time limit is stored only once accepted.
    rig.TypeInto(kTxTimeLimit, "256");
    EXPECT_TRUE(rig.Refuses(kTxTimeLimitOk, "发射限时必须是0-255", kTxTimeLimit));
    rig.TypeInto(kTxTimeLimit, "999");
    EXPECT_TRUE(rig.Refuses(kTxTimeLimitOk, "发射限时必须是0-255", kTxTimeLimit));
    EXPECT_EQ(rig.Params().m_nTxTimeLimit, 0);
    EXPECT_TRUE(rig.NothingReachedRadio());
    rig.TypeInto(kTxTimeLimit, "255");
    EXPECT_TRUE(rig.Performs(kTxTimeLimitOk, "设置发射时限", "设置发射时限成功"));
    EXPECT_EQ(rig.radio.State().txTimeLimit, 255);
}
