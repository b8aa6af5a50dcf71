#include "SetupDlgRig.h"
#include "TestNamespaces.h"

using namespace Ctl;

namespace {

SimRadioState RadioInService() {
    SimRadioState state;
    state.ani = 1200;
    state.channelTotal = 30;
    state.currentChannel = 2;
    state.txTimeLimit = 10;
    state.rxWord[1] = SimRadioState::RxWordOf(4500000);
    state.txWord[1] = SimRadioState::TxWordOf(4550000);
    state.rxWord[11] = SimRadioState::RxWordOf(4600000);
    state.txWord[11] = SimRadioState::TxWordOf(4650000);
    return state;
}

}  // namespace

// An operator's whole session: read the radio, change everything, write the set, read
// it back and find every change in the window.
TEST(Session, QueryChangeEverythingWriteTheSetAndQueryAgain) {
    CSetupDlgRig rig(RadioInService());
    EXPECT_TRUE(rig.Performs(kQuery, "查询设备参数", "成功获取设备信息"));
    EXPECT_EQ(rig.Text(kAni), "1200");
    EXPECT_EQ(rig.Text(kChannelTotal), "30");
    EXPECT_EQ(rig.Text(kCurrentChannel), "2");
    EXPECT_EQ(rig.Text(kRxFrequency), "4500000");
    EXPECT_EQ(rig.Text(kTxFrequency), "4550000");
    EXPECT_EQ(rig.Text(kTxTimeLimit), "10");

    rig.TypeInto(kCurrentChannel, "12");
    EXPECT_TRUE(rig.Performs(kCurrentChannelOk, "查询设备参数", "成功获取设备信息"));
    EXPECT_EQ(rig.Text(kRxFrequency), "4600000");
    rig.TypeInto(kTxTimeLimit, "45");
    EXPECT_TRUE(rig.Performs(kTxTimeLimitOk, "设置发射时限", "设置发射时限成功"));

    EXPECT_TRUE(rig.Performs(kAddressingOn, "设置选址模式有效", "操作成功"));
    EXPECT_TRUE(rig.Performs(kNonTransparent, "设置为非透明方式", "操作成功"));
    EXPECT_TRUE(rig.Performs(kEccOn, "设置采用纠错", "操作成功"));
    EXPECT_TRUE(rig.Performs(kEncryptionOn, "设置语音加密方式有效", "操作成功"));
    EXPECT_TRUE(rig.Performs(kRelayOn, "设置继电器接通", "操作成功"));
    EXPECT_TRUE(rig.Performs(kRxEndRelay, "设置接收端继电器接通", "操作成功"));

    rig.DragSliderToEnd(kRxChannelGain, true);
    rig.DragSliderToEnd(kRxVoiceGain, false);
    rig.PressKey(kTxChannelGain, Qt::Key_Left, 3);
    rig.ClickSliderHandle(kTxChannelGain);
    rig.PressKey(kTxVoiceGain, Qt::Key_Right, 2);
    rig.ClickSliderHandle(kTxVoiceGain);
    rig.Click(kCompander);
    rig.Click(kPreEmphasis);
    EXPECT_TRUE(rig.Performs(kConfirmAudio, "设置音频基带处理", "操作成功"));

    rig.Click(kVoiceMode);
    EXPECT_TRUE(rig.Performs(kWorkModeOk, "设置数传电台为语音模式", "成功设置为语音模式"));

    rig.TypeInto(kAni, "4321");
    rig.TypeInto(kChannelTotal, "60");
    rig.TypeInto(kRxFrequency, "3505000");
    rig.TypeInto(kTxFrequency, "3605000");
    EXPECT_TRUE(rig.Performs(kSetDevice, "设置设备参数", "设置设备成功"));

    EXPECT_TRUE(rig.Performs(kQuery, "查询设备参数", "成功获取设备信息"));
    EXPECT_EQ(rig.Text(kAni), "4321");
    EXPECT_EQ(rig.Text(kChannelTotal), "60");
    EXPECT_EQ(rig.Text(kCurrentChannel), "12");
    EXPECT_EQ(rig.Text(kRxFrequency), "3505000");
    EXPECT_EQ(rig.Text(kTxFrequency), "3605000");
    EXPECT_EQ(rig.Text(kTxTimeLimit), "45");
    for (int id :
         {kAddressingOn, kNonTransparent, kEccOn, kEncryptionOn, kCompander, kPreEmphasis}) {
        EXPECT_TRUE(rig.Checked(id)) << id;
    }
    for (int id : {kAddressingOff, kTransparent, kEccOff, kEncryptionOff}) {
        EXPECT_FALSE(rig.Checked(id)) << id;
    }
    EXPECT_EQ(rig.SliderPos(kRxChannelGain), 16);
    EXPECT_EQ(rig.SliderPos(kRxVoiceGain), 1);
    EXPECT_EQ(rig.SliderPos(kTxChannelGain), 5);
    EXPECT_EQ(rig.SliderPos(kTxVoiceGain), 10);
    EXPECT_EQ(rig.Text(kRxChannelGainText), "16");
    EXPECT_EQ(rig.Text(kRxVoiceGainText), "1");
    EXPECT_EQ(rig.Text(kTxChannelGainText), "5");
    EXPECT_EQ(rig.Text(kTxVoiceGainText), "10");

    // The parameter block carries neither the work mode nor the relay: the window
    // shows data mode and the relay off, while the radio keeps what it was told.
    EXPECT_TRUE(rig.Checked(kDataMode));
    EXPECT_TRUE(rig.Checked(kRelayOff));
    EXPECT_FALSE(rig.Checked(kRxEndRelay));
    const SimRadioState radio = rig.radio.State();
    EXPECT_FALSE(radio.dataMode);
    EXPECT_TRUE(radio.relayOn);
    EXPECT_TRUE(radio.rxEndRelay);
}
