#include "SetupDlgRig.h"
#include "TestNamespaces.h"

using namespace Ctl;

namespace {

// A pair of radio buttons, each sending its choice at once.
struct Pair {
    int on;
    const char* onName;
    int off;
    const char* offName;
    // The window's member and the radio's state both say "on" or both say "off".
    bool (*holds)(const CParameterSet& params, const SimRadioState& radio, bool on);
};

const Pair kPairs[] = {
    {kAddressingOn, "设置选址模式有效", kAddressingOff, "设置选址模式无效",
     [](const CParameterSet& params, const SimRadioState& radio, bool on) {
         return params.m_bAddressing == on && radio.addressing == (on ? 0x00 : 0x0F);
     }},
    {kNonTransparent, "设置为非透明方式", kTransparent, "设置为透明方式",
     [](const CParameterSet& params, const SimRadioState& radio, bool on) {
         return params.m_bTransparent == !on && radio.transparent == !on;
     }},
    {kEccOn, "设置采用纠错", kEccOff, "设置不采用纠错",
     [](const CParameterSet& params, const SimRadioState& radio, bool on) {
         return params.m_nEccSetting == (on ? kEccUsed : kEccNotUsed) && radio.eccUsed == on;
     }},
    {kEncryptionOn, "设置语音加密方式有效", kEncryptionOff, "设置语音加密方式无效",
     [](const CParameterSet& params, const SimRadioState& radio, bool on) {
         return params.m_bEncryption == on && radio.encryption == on;
     }},
    {kRelayOn, "设置继电器接通", kRelayOff, "设置继电器断开",
     [](const CParameterSet& params, const SimRadioState& radio, bool on) {
         return params.m_bRelayOn == on && radio.relayOn == on;
     }},
};

}  // namespace

TEST(Switches, EachPairSendsItsChoiceAndClearsTheOther) {
    CSetupDlgRig rig;
    // The radio reports addressing off, transparent data and no error correction; a query
    // never reports the relay, which shows "断开".
    for (const Pair& pair : kPairs) {
        EXPECT_TRUE(rig.Checked(pair.off)) << pair.off;
    }
    for (const Pair& pair : kPairs) {
        for (const bool on : {true, false}) {
            SCOPED_TRACE(on ? pair.onName : pair.offName);
            const int chosen = on ? pair.on : pair.off;
            EXPECT_TRUE(rig.Performs(chosen, on ? pair.onName : pair.offName, "操作成功"));
            EXPECT_TRUE(rig.Checked(chosen));
            EXPECT_FALSE(rig.Checked(on ? pair.off : pair.on));
            EXPECT_TRUE(pair.holds(rig.Params(), rig.radio.State(), on));
        }
    }
}

// The relay request carries the receive-end box beside the relay state.
TEST(Switches, ReceiveEndBox) {
    CSetupDlgRig rig;
    EXPECT_FALSE(rig.Checked(kRxEndRelay));
    EXPECT_TRUE(rig.Performs(kRelayOn, "设置继电器接通", "操作成功"));
    EXPECT_TRUE(rig.Performs(kRxEndRelay, "设置接收端继电器接通", "操作成功"));
    EXPECT_TRUE(rig.Checked(kRxEndRelay));
    EXPECT_TRUE(rig.radio.State().rxEndRelay);
    EXPECT_TRUE(rig.Performs(kRxEndRelay, "设置继电器接通", "操作成功"));
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
    EXPECT_EQ(rig.TakeFrameCount(), 1u);
    EXPECT_TRUE(rig.radio.State().rxEndRelay);
}

TEST(Switches, WorkModeIsSentByItsOk) {
    CSetupDlgRig rig;
    // The mode pair only records the choice; its OK sends it.
    rig.Click(kVoiceMode);
    EXPECT_TRUE(rig.Checked(kVoiceMode));
    EXPECT_FALSE(rig.Checked(kDataMode));
    EXPECT_EQ(rig.Params().m_bDataMode, 0);
    EXPECT_FALSE(rig.Busy());
    EXPECT_TRUE(rig.NothingReachedRadio());
    EXPECT_TRUE(rig.Performs(kWorkModeOk, "设置数传电台为语音模式", "成功设置为语音模式"));
    EXPECT_FALSE(rig.radio.State().dataMode);
    rig.Click(kDataMode);
    EXPECT_FALSE(rig.Checked(kVoiceMode));
    EXPECT_EQ(rig.Params().m_bDataMode, 1);
    EXPECT_TRUE(rig.Performs(kWorkModeOk, "设置数传电台为数字模式", "成功设置为数字模式"));
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

    // Only the query reached the radio.
    ASSERT_TRUE(rig.WaitUntilDone());
    EXPECT_EQ(rig.TakeFrameCount(), 1u);
    EXPECT_EQ(rig.Text(kResultField), "成功获取设备信息");
    EXPECT_EQ(rig.radio.State().addressing, 0x0F);
    EXPECT_FALSE(rig.radio.State().rxEndRelay);
}
