#include "OperationEngine.h"

#include <gtest/gtest.h>

#include "CommandSet.h"
#include "OpKind.h"
#include "RecordingHost.h"
#include "SerialPort.h"
#include "SteadyClock.h"
#include "TestNamespaces.h"

namespace {

// The engine on a port that was never opened: nothing is sent, nothing arrives.
class EngineWithoutRadio : public ::testing::Test {
protected:
    EngineWithoutRadio() : engine(host, port, SteadyClock(), params, settings) {}

    int TicksUntilIdle() {
        for (int tick = 1; tick <= 1000; ++tick) {
            engine.OnEngineTick();
            if (engine.State() == COperationEngine::EngineState::Idle) {
                return tick;
            }
        }
        return -1;
    }

    CRecordingHost host;
    CSerialPort port;
    CParameterSet params;
    PcPortSettings settings;
    COperationEngine engine;
};

TEST_F(EngineWithoutRadio, UnansweredOperationTimesOutOnThe84thTickAsALostConnection) {
    ASSERT_TRUE(engine.SendOperation(OpKind::kRxFrequency, RxFrequencyPayload(params)));
    EXPECT_EQ(host.OperationText(), "设置接收频率");
    EXPECT_EQ(host.ResultText(), "正在执行");
    EXPECT_EQ(engine.Countdown(), 2500);

    EXPECT_EQ(TicksUntilIdle(), 84);
    EXPECT_EQ(host.ResultText(), "设备连接失败");
    EXPECT_EQ(engine.Countdown(), COperationEngine::kStopped);
    EXPECT_EQ(engine.CurrentOpKind(), OpKind::kNone);
    EXPECT_EQ(params.m_strRxFrequency, "0000000");
    EXPECT_EQ(params.m_strTxFrequency, "0000000");
    EXPECT_EQ(host.showParamsCalls, 1);
}

TEST_F(EngineWithoutRadio, TimeOutWithNoOperationRecordedSaysTheDeviceDoesNotRespond) {
    engine.BeginOperation(OpKind::kNone);
    EXPECT_EQ(TicksUntilIdle(), 84);
    EXPECT_EQ(host.ResultText(), "设备无响应");
    EXPECT_EQ(host.showParamsCalls, 0);
}

TEST_F(EngineWithoutRadio, SecondOperationWhileAwaitingIsRefused) {
    ASSERT_TRUE(engine.SendOperation(OpKind::kAni, AniPayload(params)));
    const auto resultsBefore = host.resultTexts.size();
    EXPECT_TRUE(engine.CheckBusy());
    EXPECT_FALSE(engine.SendOperation(OpKind::kQuery, QueryPayload()));
    EXPECT_EQ(host.busyMessages, 2);
    EXPECT_EQ(engine.CurrentOpKind(), OpKind::kAni);
    EXPECT_EQ(host.resultTexts.size(), resultsBefore);
}

TEST_F(EngineWithoutRadio, IdleEngineIsNotBusyAndShowsNothing) {
    EXPECT_FALSE(engine.CheckBusy());
    EXPECT_EQ(host.busyMessages, 0);
}

TEST_F(EngineWithoutRadio, ConnectSkipsTheBusyCheckAndSetsTheSetupStep) {
    engine.BeginOperation(OpKind::kQuery);
    engine.Connect();
    EXPECT_EQ(host.busyMessages, 0);
    EXPECT_EQ(engine.CurrentOpKind(), OpKind::kConnect);
    EXPECT_EQ(engine.SetupStep(), 1);
    EXPECT_EQ(host.OperationText(), "连接数传电台");
}

TEST(OpKind, OperationNamesFollowTheCurrentSettings) {
    CParameterSet params;
    struct Case {
        OpKind opKind;
        void (*set)(CParameterSet&);
        const char* name;
    };
    const Case cases[] = {
        {OpKind::kWorkMode, [](CParameterSet& p) { p.m_bDataMode = 1; }, "设置数传电台为数字模式"},
        {OpKind::kWorkMode, [](CParameterSet& p) { p.m_bDataMode = 0; }, "设置数传电台为语音模式"},
        {OpKind::kAddressing, [](CParameterSet& p) { p.m_bAddressing = 1; }, "设置选址模式有效"},
        {OpKind::kAddressing, [](CParameterSet& p) { p.m_bAddressing = 0; }, "设置选址模式无效"},
        {OpKind::kTransparent, [](CParameterSet& p) { p.m_bTransparent = 0; }, "设置为非透明方式"},
        {OpKind::kRelay,
         [](CParameterSet& p) {
             p.m_bRxEndRelay = 1;
             p.m_bRelayOn = 0;
         },
         "设置接收端继电器断开"},
        {OpKind::kRelay,
         [](CParameterSet& p) {
             p.m_bRxEndRelay = 0;
             p.m_bRelayOn = 1;
         },
         "设置继电器接通"},
        {OpKind::kErrorCorrection, [](CParameterSet& p) { p.m_nEccSetting = 2400; },
         "设置采用纠错"},
        {OpKind::kErrorCorrection, [](CParameterSet& p) { p.m_nEccSetting = 1200; },
         "设置不采用纠错"},
        {OpKind::kEncryption, [](CParameterSet& p) { p.m_bEncryption = 1; },
         "设置语音加密方式有效"},
        {OpKind::kAudio, [](CParameterSet&) {}, "设置音频基带处理"},
    };
    for (const Case& c : cases) {
        c.set(params);
        EXPECT_EQ(OperationName(c.opKind, params), c.name);
    }
}

}  // namespace
