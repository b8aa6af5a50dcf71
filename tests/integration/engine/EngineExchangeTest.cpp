#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ostream>
#include <vector>

#include "CommandSet.h"
#include "EngineRig.h"
#include "OpKind.h"
#include "TestNamespaces.h"
#include "VirtualEngineRig.h"

using namespace std::chrono_literals;

namespace {

// Most exchanges run against the radio's rules in virtual time; a few prove the same
// over the pseudo-terminal and the real clock.
template <typename Radio>
std::vector<std::uint8_t> FrameCodes(const Radio& radio) {
    std::vector<std::uint8_t> codes;
    for (const SimFrameRecord& record : radio.Frames()) {
        codes.push_back(record.frame[2]);
    }
    return codes;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The radio sends bytes unasked and the engine ticks until it has dealt with them.
bool ArriveUnasked(CVirtualEngineRig& rig, const std::vector<std::uint8_t>& bytes) {
    rig.radio.Inject(bytes);
    return rig.RunUntilDone();
}

TEST(EngineExchange, ConnectThenQueryFillsTheParameterSetFromTheRadio) {
    SimRadioState state;
    state.ani = 4321;
    state.channelTotal = 30;
    state.currentChannel = 3;
    state.txWord[2] = SimRadioState::TxWordOf(4000000);
    state.rxWord[2] = SimRadioState::RxWordOf(3990000);
    state.txTimeLimit = 60;
    state.transparent = false;
    state.eccUsed = true;
    state.encryption = true;
    state.compander = true;
    state.rxChannelGain = 16;
    state.rxVoiceGain = 2;
    state.txChannelGain = 5;
    state.txVoiceGain = 11;
    state.addressing = 0x00;
    CEngineRig rig(state);

    rig.engine.Connect();
    ASSERT_TRUE(rig.RunUntilDone());

    EXPECT_TRUE(Contains(rig.host.resultTexts, "设备连接成功"));
    EXPECT_EQ(rig.host.ResultText(), "成功获取设备信息");
    EXPECT_EQ(rig.host.OperationText(), "查询设备参数");
    EXPECT_EQ(FrameCodes(rig.radio), (std::vector<std::uint8_t>{Cmd::kConnect, Cmd::kQuery}));
    EXPECT_EQ(rig.radio.Frames()[0].frame[3], 0x07);  // 9600 bps, no parity
    const CParameterSet& p = rig.params;
    EXPECT_EQ(p.m_strAni, "4321");
    EXPECT_EQ(p.m_nChannelTotal, 30);
    EXPECT_EQ(p.m_nCurrentChannel, 3);
    EXPECT_EQ(p.m_nTxFrequency, 4000000u);
    EXPECT_EQ(p.m_strRxFrequency, "3990000");
    EXPECT_EQ(p.m_nTxTimeLimit, 60);
    EXPECT_EQ(p.m_bTransparent, 0);
    EXPECT_EQ(p.m_nEccSetting, kEccUsed);
    EXPECT_NE(p.m_bEncryption, 0);
    EXPECT_NE(p.m_bCompander, 0);
    EXPECT_EQ(p.m_bPreEmphasis, 0);
    EXPECT_EQ(p.m_bAddressing, 0);
    EXPECT_EQ(p.m_nRxChannelGain, 16);
    EXPECT_EQ(p.m_nRxVoiceGain, 2);
    EXPECT_EQ(p.m_nTxChannelGain, 5);
    EXPECT_EQ(p.m_nTxVoiceGain, 11);
    EXPECT_GE(rig.host.showParamsCalls, 1);
}

TEST(EngineExchange, SingleValueWritesReachTheRadio) {
    CVirtualEngineRig rig;
    rig.ConnectAndQuery();
    CParameterSet& p = rig.params;
    p.m_nCurrentChannel = 2;
    p.m_nRxFrequency = 2500000;
    p.m_nTxFrequency = 2600100;  // truncated to a 125 step
    p.m_nAni = 0x123456;
    p.m_nChannelTotal = 40;
    p.m_nTxTimeLimit = 255;
    p.m_bDataMode = 0;
    p.m_bAddressing = 1;
    p.m_bTransparent = 0;
    p.m_bRelayOn = 0;
    p.m_bRxEndRelay = 1;
    p.m_nEccSetting = kEccUsed;
    p.m_bEncryption = 1;
    p.m_nRxVoiceGain = 7;
    const struct {
        OpKind opKind;
        RadioPayload payload;
        const char* result;
    } writes[] = {
        {OpKind::kRxFrequency, RxFrequencyPayload(p), "设置接收频率成功"},
        {OpKind::kTxFrequency, TxFrequencyPayload(p), "设置发射频率成功"},
        {OpKind::kAni, AniPayload(p), "设置ANI成功"},
        {OpKind::kChannelTotal, ChannelTotalPayload(p), "设置信道总数成功"},
        {OpKind::kTxTimeLimit, TxTimeLimitPayload(p), "设置发射时限成功"},
        {OpKind::kWorkMode, WorkModePayload(p), "成功设置为语音模式"},
        {OpKind::kAddressing, AddressingPayload(p), "操作成功"},
        {OpKind::kTransparent, TransparentPayload(p), "操作成功"},
        {OpKind::kRelay, RelayPayload(p), "操作成功"},
        {OpKind::kErrorCorrection, ErrorCorrectionPayload(p), "操作成功"},
        {OpKind::kEncryption, EncryptionPayload(p), "操作成功"},
        {OpKind::kAudio, AudioPayload(p), "操作成功"},
    };
    for (const auto& write : writes) {
        ASSERT_TRUE(rig.engine.SendOperation(write.opKind, write.payload));
        ASSERT_TRUE(rig.RunUntilDone()) << write.result;
        EXPECT_EQ(rig.host.ResultText(), write.result) << write.result;
    }

    const SimRadioState radio = rig.radio.State();
    EXPECT_EQ(radio.rxWord[1], SimRadioState::RxWordOf(2500000));
    EXPECT_EQ(radio.txWord[1], SimRadioState::TxWordOf(2600000));
    EXPECT_EQ(radio.ani, 0x123456u);
    EXPECT_EQ(radio.channelTotal, 40);
    EXPECT_EQ(radio.txTimeLimit, 255);
    EXPECT_FALSE(radio.dataMode);
    EXPECT_EQ(radio.addressing, 0x00);
    EXPECT_FALSE(radio.transparent);
    EXPECT_FALSE(radio.relayOn);
    EXPECT_TRUE(radio.rxEndRelay);
    EXPECT_TRUE(radio.eccUsed);
    EXPECT_TRUE(radio.encryption);
    EXPECT_EQ(radio.rxVoiceGain, 7);
}

TEST(EngineExchange, CurrentChannelChangeIsFollowedByAQueryShowingTheNewChannel) {
    CVirtualEngineRig rig;
    rig.ConnectAndQuery();
    rig.params.m_nCurrentChannel = 5;
    ASSERT_TRUE(
        rig.engine.SendOperation(OpKind::kCurrentChannel, CurrentChannelPayload(rig.params)));
    ASSERT_TRUE(rig.RunUntilDone());
    EXPECT_TRUE(Contains(rig.host.resultTexts, "设置当前信道成功"));
    EXPECT_EQ(rig.host.ResultText(), "成功获取设备信息");
    EXPECT_EQ(FrameCodes(rig.radio),
              (std::vector<std::uint8_t>{Cmd::kCurrentChannel, Cmd::kQuery}));
    EXPECT_EQ(rig.params.m_nCurrentChannel, 5);
    EXPECT_EQ(rig.params.m_nTxFrequency, 2300000u);
}

TEST(EngineExchange, RefusedCurrentChannelChangeIsStillFollowedByAQuery) {
    CVirtualEngineRig rig;
    rig.ConnectAndQuery();
    SimFaults faults;
    faults.statusFor[Cmd::kCurrentChannel] = 0xFF;
    rig.radio.SetFaults(faults);
    rig.params.m_nCurrentChannel = 5;
    ASSERT_TRUE(
        rig.engine.SendOperation(OpKind::kCurrentChannel, CurrentChannelPayload(rig.params)));
    ASSERT_TRUE(rig.RunUntilDone());
    EXPECT_TRUE(Contains(rig.host.resultTexts, "设置当前信道失败"));
    EXPECT_EQ(rig.host.ResultText(), "成功获取设备信息");
    EXPECT_EQ(rig.params.m_nCurrentChannel, 1);
}

TEST(EngineExchange, ParameterWriteSendsFourChainedFramesOfTheValuesAtItsStart) {
    CEngineRig rig;
    rig.ConnectAndQuery();
    CParameterSet& p = rig.params;
    p.m_nAni = 777;
    p.m_nChannelTotal = 12;
    p.m_nCurrentChannel = 1;
    p.m_nRxFrequency = 1000000;
    p.m_nTxFrequency = 6000000;
    ASSERT_TRUE(rig.engine.SendOperation(OpKind::kSetDevice, AniPayload(p)));
    EXPECT_EQ(rig.engine.SetupStep(), Cmd::kAni);
    // The defaults button has no busy check; the later frames must not pick them up.
    p.LoadFactoryDefaults();
    ASSERT_TRUE(rig.RunUntilDone(10s));
    EXPECT_EQ(rig.host.ResultText(), "设置设备成功");
    EXPECT_EQ(FrameCodes(rig.radio),
              (std::vector<std::uint8_t>{Cmd::kAni, Cmd::kChannelTotal, Cmd::kRxFrequency,
                                         Cmd::kTxFrequency}));
    const SimRadioState radio = rig.radio.State();
    EXPECT_EQ(radio.ani, 777u);
    EXPECT_EQ(radio.channelTotal, 12);
    EXPECT_EQ(radio.rxWord[0], SimRadioState::RxWordOf(1000000));
    EXPECT_EQ(radio.txWord[0], SimRadioState::TxWordOf(6000000));

    ASSERT_TRUE(rig.engine.SendOperation(OpKind::kQuery, QueryPayload()));
    ASSERT_TRUE(rig.RunUntilDone());
    EXPECT_EQ(p.m_strAni, "777");
    EXPECT_EQ(p.m_strRxFrequency, "1000000");
    EXPECT_EQ(p.m_strTxFrequency, "6000000");
}

TEST(EngineExchange, ParameterWriteRefusedAtTheSecondFrameStopsThere) {
    CVirtualEngineRig rig;
    rig.ConnectAndQuery();
    SimFaults faults;
    faults.statusFor[Cmd::kChannelTotal] = 0xFF;
    rig.radio.SetFaults(faults);
    ASSERT_TRUE(rig.engine.SendOperation(OpKind::kSetDevice, AniPayload(rig.params)));
    ASSERT_TRUE(rig.RunUntilDone(10s));
    rig.RunFor(300ms);
    EXPECT_EQ(rig.host.ResultText(), "设置设备失败");
    EXPECT_EQ(FrameCodes(rig.radio), (std::vector<std::uint8_t>{Cmd::kAni, Cmd::kChannelTotal}));
}

// The result text of an operation whose request the radio answers with status.
std::string ResultForStatus(CVirtualEngineRig& rig, OpKind opKind, const RadioPayload& payload,
                            std::uint8_t status) {
    SimFaults faults;
    faults.statusFor[payload[0]] = status;
    rig.radio.SetFaults(faults);
    EXPECT_TRUE(rig.engine.SendOperation(opKind, payload));
    EXPECT_TRUE(rig.RunUntilDone());
    return rig.host.ResultText();
}

TEST(EngineExchange, AniStatusesOtherThanAcceptedOrRefusedLeaveExecuting) {
    CVirtualEngineRig rig;
    rig.ConnectAndQuery();
    const RadioPayload ani = AniPayload(rig.params);
    EXPECT_EQ(ResultForStatus(rig, OpKind::kAni, ani, 0x11), "正在执行");
    EXPECT_EQ(ResultForStatus(rig, OpKind::kAni, ani, 0x22), "设置ANI成功");
    EXPECT_EQ(ResultForStatus(rig, OpKind::kAni, ani, 0xFF), "设置ANI失败");
}

TEST(EngineExchange, ModeStatusOtherThanZeroOrRefusalLeavesExecuting) {
    CVirtualEngineRig rig;
    rig.ConnectAndQuery();
    const RadioPayload mode = WorkModePayload(rig.params);
    EXPECT_EQ(ResultForStatus(rig, OpKind::kWorkMode, mode, 0x22), "正在执行");
    EXPECT_EQ(ResultForStatus(rig, OpKind::kWorkMode, mode, 0xFF), "设置为数字模式失败");
}

TEST(EngineExchange, QueryArrivingInTwoPartsIsAccepted) {
    CEngineRig rig;
    rig.ConnectAndQuery();
    rig.radio.SetState([] {
        SimRadioState state;
        state.txTimeLimit = 42;
        return state;
    }());
    SimFaults faults;
    faults.splitAt = 100;
    faults.splitPauseMs = 600;  // after the 500 ms pick-up, within the 800 ms second read
    rig.radio.SetFaults(faults);
    ASSERT_TRUE(rig.engine.SendOperation(OpKind::kQuery, QueryPayload()));
    ASSERT_TRUE(rig.RunUntilDone());
    EXPECT_EQ(rig.host.ResultText(), "成功获取设备信息");
    EXPECT_EQ(rig.params.m_nTxTimeLimit, 42);
}

TEST(EngineExchange, ShortOrCorruptQueryChangesNothing) {
    struct Case {
        SimFaults faults;
        const char* result;
    };
    SimFaults shortBlock;
    shortBlock.truncateBlockTo = 130;
    SimFaults badSum;
    badSum.badChecksum = true;
    for (const Case& c : {Case{shortBlock, "接收数据错误"}, Case{badSum, "接收数据校验错"}}) {
        CVirtualEngineRig rig;
        rig.ConnectAndQuery();
        SimRadioState changed;
        changed.txTimeLimit = 99;
        changed.channelTotal = 7;
        rig.radio.SetState(changed);
        rig.radio.SetFaults(c.faults);
        const int shownBefore = rig.host.showParamsCalls;
        ASSERT_TRUE(rig.engine.SendOperation(OpKind::kQuery, QueryPayload()));
        ASSERT_TRUE(rig.RunUntilDone());
        EXPECT_EQ(rig.host.ResultText(), c.result);
        EXPECT_EQ(rig.params.m_nTxTimeLimit, 0);
        EXPECT_EQ(rig.params.m_nChannelTotal, 100);
        EXPECT_EQ(rig.host.showParamsCalls, shownBefore);
    }
}

TEST(EngineExchange, SilentRadioEndsAnyOperationAsALostConnection) {
    CEngineRig rig;
    rig.ConnectAndQuery();
    SimFaults faults;
    faults.silent = true;
    rig.radio.SetFaults(faults);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(rig.engine.SendOperation(OpKind::kTxTimeLimit, TxTimeLimitPayload(rig.params)));
    ASSERT_TRUE(rig.RunUntilDone());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(rig.host.ResultText(), "设备连接失败");
    EXPECT_EQ(rig.params.m_strRxFrequency, "0000000");
    EXPECT_GE(elapsed, 2000ms);
    EXPECT_LE(elapsed, 8000ms);
}

TEST(EngineExchange, LateAcknowledgementIsJudgedAsAConnectReply) {
    CVirtualEngineRig rig;
    rig.ConnectAndQuery();
    SimFaults faults;
    faults.silent = true;
    rig.radio.SetFaults(faults);
    ASSERT_TRUE(rig.engine.SendOperation(OpKind::kTxTimeLimit, TxTimeLimitPayload(rig.params)));
    ASSERT_TRUE(rig.RunUntilDone(20s));
    EXPECT_EQ(rig.host.ResultText(), "设备连接失败");

    // The acknowledgement comes after the countdown is over, and starts a query.
    rig.radio.SetFaults(SimFaults());
    ASSERT_TRUE(ArriveUnasked(rig, {0x55, 0xAA, 0x00}));
    EXPECT_TRUE(Contains(rig.host.resultTexts, "设备连接成功"));
    EXPECT_EQ(rig.host.ResultText(), "成功获取设备信息");
    EXPECT_EQ(rig.params.m_strRxFrequency, "2290000");
}

TEST(EngineExchange, UnaskedBytesAreJudgedAsAConnectReply) {
    CVirtualEngineRig rig;
    rig.ConnectAndQuery();
    ASSERT_TRUE(ArriveUnasked(rig, {0x12, 0x34}));
    EXPECT_EQ(rig.host.ResultText(), "设备连接失败");
    EXPECT_EQ(rig.params.m_strTxFrequency, "0000000");
}

TEST(EngineExchange, BusyEngineSendsNothing) {
    CVirtualEngineRig rig;
    rig.ConnectAndQuery();
    ASSERT_TRUE(rig.engine.SendOperation(OpKind::kQuery, QueryPayload()));
    EXPECT_FALSE(rig.engine.SendOperation(OpKind::kAni, AniPayload(rig.params)));
    EXPECT_EQ(rig.host.busyMessages, 1);
    ASSERT_TRUE(rig.RunUntilDone());
    EXPECT_EQ(FrameCodes(rig.radio), (std::vector<std::uint8_t>{Cmd::kQuery}));
}

}  // namespace
