#include "SetupDlgRig.h"
#include "TestNamespaces.h"

using namespace Ctl;

TEST(Audio, SlidersTakeTheirLevelOnlyWhenTheMouseReleasesThem) {
    CSetupDlgRig rig;
    EXPECT_EQ(rig.Text(kRxVoiceGainText), "4");

    rig.PressKey(kRxVoiceGain, Qt::Key_Right);
    EXPECT_EQ(rig.SliderPos(kRxVoiceGain), 5);
    EXPECT_EQ(rig.Params().m_nRxVoiceGain, 4);
    EXPECT_EQ(rig.Text(kRxVoiceGainText), "4");
    rig.DragSliderToEnd(kRxVoiceGain, true);
    EXPECT_EQ(rig.SliderPos(kRxVoiceGain), 8);
    EXPECT_EQ(rig.Params().m_nRxVoiceGain, 8);
    EXPECT_EQ(rig.Text(kRxVoiceGainText), "8");

    rig.DragSliderToEnd(kTxChannelGain, false);
    EXPECT_EQ(rig.Text(kTxChannelGainText), "1");
    rig.PressKey(kTxVoiceGain, Qt::Key_Right, 8);
    EXPECT_EQ(rig.Text(kTxVoiceGainText), "8");
    rig.ClickSliderHandle(kTxVoiceGain);
    EXPECT_EQ(rig.Params().m_nTxVoiceGain, 16);
    EXPECT_EQ(rig.Text(kTxVoiceGainText), "16");

    rig.Click(kCompander);
    rig.Click(kPreEmphasis);
    rig.Click(kPreEmphasis);
    rig.Click(kPreEmphasis);
    EXPECT_TRUE(rig.Checked(kCompander));
    EXPECT_TRUE(rig.Checked(kPreEmphasis));
    EXPECT_EQ(rig.Params().m_bCompander, 1);
    EXPECT_EQ(rig.Params().m_bPreEmphasis, 1);
    EXPECT_FALSE(rig.Busy());
    EXPECT_TRUE(rig.NothingReachedRadio());

    EXPECT_TRUE(rig.Performs(kConfirmAudio, "设置音频基带处理", "操作成功"));
    const SimRadioState radio = rig.radio.State();
    EXPECT_EQ(radio.rxVoiceGain, 8);
    EXPECT_EQ(radio.txChannelGain, 1);
    EXPECT_EQ(radio.txVoiceGain, 16);
    EXPECT_TRUE(radio.compander);
    EXPECT_TRUE(radio.preEmphasis);
}

TEST(Audio, DefaultsShowTheFactorySetAndConfirmSendsIt) {
    SimRadioState changed;
    changed.ani = 54321;
    changed.channelTotal = 50;
    changed.currentChannel = 3;
    changed.txTimeLimit = 30;
    changed.addressing = 0x00;
    changed.transparent = false;
    changed.eccUsed = true;
    changed.encryption = true;
    changed.compander = true;
    changed.preEmphasis = true;
    changed.rxChannelGain = 3;
    changed.rxVoiceGain = 2;
    changed.txChannelGain = 5;
    changed.txVoiceGain = 6;
    CSetupDlgRig rig(changed);
    ASSERT_EQ(rig.Text(kChannelTotal), "50");

    rig.Click(kLoadDefaults);
    EXPECT_TRUE(rig.TakeBoxes().isEmpty());
    EXPECT_FALSE(rig.Busy());
    EXPECT_TRUE(rig.NothingReachedRadio());
    for (auto [id, text] : {std::pair{kRxFrequency, "2290000"},
                            {kTxFrequency, "2290000"},
                            {kAni, "1"},
                            {kChannelTotal, "100"},
                            {kCurrentChannel, "1"},
                            {kTxTimeLimit, "0"},
                            {kRxChannelGainText, "8"},
                            {kRxVoiceGainText, "4"},
                            {kTxChannelGainText, "8"},
                            {kTxVoiceGainText, "8"}}) {
        EXPECT_EQ(rig.Text(id), text) << id;
    }
    for (int id : {kDataMode, kAddressingOff, kTransparent, kRelayOn, kEccOff, kEncryptionOff}) {
        EXPECT_TRUE(rig.Checked(id)) << id;
    }
    for (int id : {kVoiceMode, kAddressingOn, kNonTransparent, kRelayOff, kEccOn, kEncryptionOn,
                   kRxEndRelay, kCompander, kPreEmphasis}) {
        EXPECT_FALSE(rig.Checked(id)) << id;
    }
    EXPECT_EQ(rig.SliderPos(kRxChannelGain), 8);
    EXPECT_EQ(rig.SliderPos(kRxVoiceGain), 4);
    EXPECT_EQ(rig.SliderPos(kTxChannelGain), 8);
    EXPECT_EQ(rig.SliderPos(kTxVoiceGain), 8);

    EXPECT_TRUE(rig.Performs(kConfirmAudio, "设置音频基带处理", "操作成功"));
    const SimRadioState factory;
    const SimRadioState radio = rig.radio.State();
    EXPECT_EQ(radio.rxChannelGain, factory.rxChannelGain);
    EXPECT_EQ(radio.rxVoiceGain, factory.rxVoiceGain);
    EXPECT_EQ(radio.txChannelGain, factory.txChannelGain);
    EXPECT_EQ(radio.txVoiceGain, factory.txVoiceGain);
    EXPECT_FALSE(radio.compander);
    EXPECT_FALSE(radio.preEmphasis);
    EXPECT_FALSE(radio.eccUsed);
    EXPECT_FALSE(radio.encryption);

    // The audio request carries the error correction the window then holds.
    EXPECT_TRUE(rig.Performs(kEccOn, "设置采用纠错", "操作成功"));
    EXPECT_TRUE(rig.Performs(kConfirmAudio, "设置音频基带处理", "操作成功"));
    EXPECT_TRUE(rig.radio.State().eccUsed);
}
