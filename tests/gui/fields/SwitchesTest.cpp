#include "SetupDlgRig.h"
#include "TestNamespaces.h"

using namespace Ctl;

TEST(Switches, AddressingDataMethodAndErrorCorrectionPairs) {
    CSetupDlgRig rig;
    // The radio reports addressing off, transparent data and no error correction.
    EXPECT_TRUE(rig.Checked(kAddressingOff));
    EXPECT_TRUE(rig.Checked(kTransparent));
    EXPECT_TRUE(rig.Checked(kEccOff));

    EXPECT_TRUE(
        rig.Performs(kAddressingOn, {Frame("18 00 00 00 00")}, "设置选址模式有效", "操作成功"));
    EXPECT_TRUE(rig.Checked(kAddressingOn));
    EXPECT_FALSE(rig.Checked(kAddressingOff));
    EXPECT_EQ(rig.Params().m_bAddressing, 1);
    EXPECT_EQ(rig.radio.State().addressing, 0x00);
    EXPECT_TRUE(
        rig.Performs(kAddressingOff, {Frame("18 0F 00 00 00")}, "设置选址模式无效", "操作成功"));
    EXPECT_FALSE(rig.Checked(kAddressingOn));
    EXPECT_EQ(rig.Params().m_bAddressing, 0);
    EXPECT_EQ(rig.radio.State().addressing, 0x0F);

    EXPECT_TRUE(
        rig.Performs(kNonTransparent, {Frame("15 0F 00 00 00")}, "设置为非透明方式", "操作成功"));
    EXPECT_FALSE(rig.Checked(kTransparent));
    EXPECT_EQ(rig.Params().m_bTransparent, 0);
    EXPECT_FALSE(rig.radio.State().transparent);
    EXPECT_TRUE(
        rig.Performs(kTransparent, {Frame("15 00 00 00 00")}, "设置为透明方式", "操作成功"));
    EXPECT_FALSE(rig.Checked(kNonTransparent));
    EXPECT_TRUE(rig.radio.State().transparent);

    EXPECT_TRUE(rig.Performs(kEccOn, {Frame("0A 01 00 00 00")}, "设置采用纠错", "操作成功"));
    EXPECT_FALSE(rig.Checked(kEccOff));
    EXPECT_EQ(rig.Params().m_nEccSetting, 2400);
    EXPECT_TRUE(rig.radio.State().eccUsed);
    EXPECT_TRUE(rig.Performs(kEccOff, {Frame("0A 00 00 00 00")}, "设置不采用纠错", "操作成功"));
    EXPECT_FALSE(rig.Checked(kEccOn));
    EXPECT_EQ(rig.Params().m_nEccSetting, 1200);
    EXPECT_FALSE(rig.radio.State().eccUsed);
}

// The three relay controls send one request with the relay state and the receive-end box.
TEST(Switches, RelayPairAndReceiveEndBox) {
    CSetupDlgRig rig;
    // A query never reports the relay: it shows "断开" and the box cleared.
    EXPECT_TRUE(rig.Checked(kRelayOff));
    EXPECT_FALSE(rig.Checked(kRxEndRelay));

    EXPECT_TRUE(rig.Performs(kRelayOn, {Frame("1C 01 00 00 00")}, "设置继电器接通", "操作成功"));
    EXPECT_FALSE(rig.Checked(kRelayOff));
    EXPECT_TRUE(
        rig.Performs(kRxEndRelay, {Frame("1C 01 01 00 00")}, "设置接收端继电器接通", "操作成功"));
    EXPECT_TRUE(rig.Checked(kRxEndRelay));
    EXPECT_TRUE(rig.radio.State().rxEndRelay);
    EXPECT_TRUE(rig.Performs(kRxEndRelay, {Frame("1C 01 00 00 00")}, "设置继电器接通", "操作成功"));
    EXPECT_FALSE(rig.Checked(kRxEndRelay));
    EXPECT_FALSE(rig.radio.State().rxEndRelay);

    // A second click while the first reply is awaited toggles the box and its member
    // but sends nothing.
    rig.Click(kRxEndRelay);
    ASSERT_TRUE(rig.Busy());
    rig.Click(kRxEndRelay);
    EXPECT_TRUE(rig.ShowedBusyBox());
    EXPECT_FALSE(rig.Checked(kRxEndRelay));
    EXPECT_EQ(rig.Params().m_bRxEndRelay, 0);
    ASSERT_TRUE(rig.WaitUntilDone());
    EXPECT_EQ(rig.TakeFrames(), Frames{Frame("1C 01 01 00 00")});

    EXPECT_TRUE(rig.Performs(kRelayOff, {Frame("1C 00 00 00 00")}, "设置继电器断开", "操作成功"));
    EXPECT_FALSE(rig.Checked(kRelayOn));
    EXPECT_TRUE(rig.Checked(kRelayOff));
    EXPECT_FALSE(rig.radio.State().relayOn);
}

TEST(Switches, EncryptionPairAndWorkModeWithItsOk) {
    CSetupDlgRig rig;
    EXPECT_TRUE(rig.Checked(kEncryptionOff));
    EXPECT_TRUE(
        rig.Performs(kEncryptionOn, {Frame("13 01 00 00 00")}, "设置语音加密方式有效", "操作成功"));
    EXPECT_FALSE(rig.Checked(kEncryptionOff));
    EXPECT_EQ(rig.Params().m_bEncryption, 1);
    EXPECT_TRUE(rig.radio.State().encryption);
    EXPECT_TRUE(rig.Performs(kEncryptionOff, {Frame("13 00 00 00 00")}, "设置语音加密方式无效",
                             "操作成功"));
    EXPECT_FALSE(rig.Checked(kEncryptionOn));
    EXPECT_FALSE(rig.radio.State().encryption);

    // The mode pair only records the choice; its OK sends it.
    rig.Click(kVoiceMode);
    EXPECT_TRUE(rig.Checked(kVoiceMode));
    EXPECT_FALSE(rig.Checked(kDataMode));
    EXPECT_EQ(rig.Params().m_bDataMode, 0);
    EXPECT_FALSE(rig.Busy());
    EXPECT_TRUE(rig.NothingReachedRadio());
    EXPECT_TRUE(rig.Performs(kWorkModeOk, {Frame("08 00 00 00 00")}, "设置数传电台为语音模式",
                             "成功设置为语音模式"));
    EXPECT_FALSE(rig.radio.State().dataMode);
    rig.Click(kDataMode);
    EXPECT_FALSE(rig.Checked(kVoiceMode));
    EXPECT_EQ(rig.Params().m_bDataMode, 1);
    EXPECT_TRUE(rig.Performs(kWorkModeOk, {Frame("0E 00 00 00 00")}, "设置数传电台为数字模式",
                             "成功设置为数字模式"));
    EXPECT_TRUE(rig.radio.State().dataMode);
}

// While a reply is awaited every operation is refused before it reads anything; the
// switches keep the new choice, and the recording-only controls keep working.
TEST(Switches, EverythingThatSendsIsRefusedWhileAReplyIsAwaited) {
    CSetupDlgRig rig;
    SimFaults slow;
    slow.replyDelayMs = 1500;
    rig.radio.SetFaults(slow);
    rig.TypeInto(kChannelTotal, "0");
    rig.Click(kQuery);
    ASSERT_TRUE(rig.Busy());

    for (int id : {kQuery, kSetDevice, kRxFrequencyOk, kTxFrequencyOk, kAniOk, kChannelTotalOk,
                   kCurrentChannelOk, kTxTimeLimitOk, kWorkModeOk, kConfirmAudio}) {
        SCOPED_TRACE(id);
        rig.Click(id);
        EXPECT_TRUE(rig.ShowedBusyBox());
    }
    EXPECT_EQ(rig.Params().m_nChannelTotal, 100);  // nothing was read

    rig.Click(kAddressingOn);
    EXPECT_TRUE(rig.ShowedBusyBox());
    EXPECT_TRUE(rig.Checked(kAddressingOn));
    EXPECT_FALSE(rig.Checked(kAddressingOff));
    EXPECT_EQ(rig.Params().m_bAddressing, 1);
    rig.Click(kRxEndRelay);
    EXPECT_TRUE(rig.ShowedBusyBox());
    EXPECT_TRUE(rig.Checked(kRxEndRelay));
    EXPECT_EQ(rig.Params().m_bRxEndRelay, 1);

    rig.Click(kVoiceMode);
    rig.Click(kCompander);
    rig.DragSliderToEnd(kRxVoiceGain, true);
    EXPECT_TRUE(rig.TakeBoxes().isEmpty());
    EXPECT_EQ(rig.Params().m_bDataMode, 0);
    EXPECT_EQ(rig.Params().m_bCompander, 1);
    EXPECT_EQ(rig.Params().m_nRxVoiceGain, 8);
    rig.Click(kLoadDefaults);
    EXPECT_TRUE(rig.TakeBoxes().isEmpty());
    EXPECT_EQ(rig.Params().m_bDataMode, 1);
    EXPECT_EQ(rig.Text(kRxVoiceGainText), "4");

    ASSERT_TRUE(rig.WaitUntilDone());
    EXPECT_EQ(rig.TakeFrames(), Frames{Frame("CC 00 00 00 00")});
    EXPECT_EQ(rig.Text(kResultField), "成功获取设备信息");
    EXPECT_EQ(rig.radio.State().addressing, 0x0F);
    EXPECT_FALSE(rig.radio.State().rxEndRelay);
}
