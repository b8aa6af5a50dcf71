// Replies of every awkward length to each kind of operation, in virtual time. Lengths
// past 131 leave the rest queued, which the next tick judges as a connect reply.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandSet.h"
#include "OpKind.h"
#include "TestNamespaces.h"
#include "VirtualEngineRig.h"

namespace {

struct LengthCase {
    int length;
    const char* connect;
    const char* query;
    const char* setting;
    const char* ani;
};

void PrintTo(const LengthCase& c, std::ostream* out) {
    *out << c.length << " bytes";
}

class ReplyLength : public ::testing::TestWithParam<LengthCase> {};

std::vector<std::uint8_t> FirstBytes(std::vector<std::uint8_t> bytes, int length) {
    bytes.resize(static_cast<std::size_t>(length), 0x00);
    return bytes;
}

// The radio answers the operation's frame with reply, then everything by its rules.
std::string ResultOf(OpKind opKind, const RadioPayload& payload,
                     const std::vector<std::uint8_t>& reply) {
    CVirtualEngineRig rig;
    rig.radio.Link().Answer(reply);
    if (opKind == OpKind::kConnect) {
        rig.engine.Connect();
    } else {
        rig.engine.SendOperation(opKind, payload);
    }
    rig.RunUntilDone();
    rig.RunFor(std::chrono::milliseconds(700));
    rig.RunUntilDone();
    return rig.host.ResultText();
}

TEST_P(ReplyLength, IsJudgedWithoutReadingPastTheBuffer) {
    const LengthCase c = GetParam();
    CParameterSet factory;
    std::vector<std::uint8_t> longBlock = BuildParameterBlock(SimRadioState());
    longBlock.resize(200, 0x00);

    const auto ackReply = FirstBytes({0x55, 0xAA, 0x00}, c.length);
    EXPECT_EQ(ResultOf(OpKind::kConnect, ConnectPayload(PcPortSettings()), ackReply), c.connect);
    EXPECT_EQ(ResultOf(OpKind::kQuery, QueryPayload(), FirstBytes(longBlock, c.length)), c.query);
    EXPECT_EQ(ResultOf(OpKind::kRxFrequency, RxFrequencyPayload(factory), ackReply), c.setting);
    EXPECT_EQ(ResultOf(OpKind::kAni, AniPayload(factory), ackReply), c.ani);
}

INSTANTIATE_TEST_SUITE_P(
    EngineExchange, ReplyLength,
    ::testing::Values(
        LengthCase{0, "设备连接失败", "设备连接失败", "设备连接失败", "设备连接失败"},
        LengthCase{1, "设备连接失败", "接收数据错误", "设置接收频率成功", "设置ANI成功"},
        LengthCase{2, "设备连接失败", "接收数据错误", "设置接收频率成功", "设置ANI成功"},
        LengthCase{3, "成功获取设备信息", "接收数据错误", "设置接收频率成功", "设置ANI成功"},
        LengthCase{4, "设备连接失败", "接收数据错误", "设置接收频率成功", "设置ANI成功"},
        LengthCase{130, "设备连接失败", "接收数据错误", "设置接收频率成功", "设置ANI成功"},
        LengthCase{131, "设备连接失败", "成功获取设备信息", "设置接收频率成功", "设置ANI成功"},
        LengthCase{200, "设备连接失败", "设备连接失败", "设备连接失败", "设备连接失败"}),
    [](const ::testing::TestParamInfo<LengthCase>& paramInfo) {
        return "Bytes" + std::to_string(paramInfo.param.length);
    });

}  // namespace
