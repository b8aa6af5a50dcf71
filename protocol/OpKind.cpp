#include "OpKind.h"

namespace radiosetup {

namespace {

using TextRule = std::string (*)(const CParameterSet&);

// A text that is fixed or follows the current settings.
class OpText {
public:
    // Implicit, so that the rows read as plain texts.
    OpText(const char* fixed) : m_fixed(fixed) {}
    OpText(TextRule rule) : m_rule(rule) {}
    std::string For(const CParameterSet& params) const {
        return m_rule != nullptr ? m_rule(params) : m_fixed;
    }

private:
    const char* m_fixed = "";
    TextRule m_rule = nullptr;
};

struct OpKindRow {
    OpText name;
    OpText success;
    const char* failure;
};

const char* Paired(std::uint8_t on, const char* whenOn, const char* whenOff) {
    return on != 0 ? whenOn : whenOff;
}

std::string WorkModeName(const CParameterSet& p) {
    return Paired(p.m_bDataMode, "设置数传电台为数字模式", "设置数传电台为语音模式");
}

std::string WorkModeSuccess(const CParameterSet& p) {
    return Paired(p.m_bDataMode, "成功设置为数字模式", "成功设置为语音模式");
}

std::string AddressingName(const CParameterSet& p) {
    return Paired(p.m_bAddressing, "设置选址模式有效", "设置选址模式无效");
}

std::string TransparentName(const CParameterSet& p) {
    return Paired(p.m_bTransparent, "设置为透明方式", "设置为非透明方式");
}

std::string RelayName(const CParameterSet& p) {
    if (p.m_bRxEndRelay != 0) {
        return Paired(p.m_bRelayOn, "设置接收端继电器接通", "设置接收端继电器断开");
    }
    return Paired(p.m_bRelayOn, "设置继电器接通", "设置继电器断开");
}

std::string EccName(const CParameterSet& p) {
    if (p.m_nEccSetting == kEccNotUsed) {
        return "设置不采用纠错";
    }
    return p.m_nEccSetting == kEccUsed ? "设置采用纠错" : "";
}

std::string EncryptionName(const CParameterSet& p) {
    return Paired(p.m_bEncryption, "设置语音加密方式有效", "设置语音加密方式无效");
}

constexpr const char* kSwitchSuccess = "操作成功";
constexpr const char* kSwitchFailure = "操作失败";

// One row per kind; no default, so a new kind without texts does not compile.
OpKindRow RowOf(OpKind kind) {
    switch (kind) {
        case OpKind::kNone:
            return {"", "", "设备无响应"};
        case OpKind::kConnect:
            return {"连接数传电台", "设备连接成功", "设备连接失败"};
        case OpKind::kWorkMode:
            return {WorkModeName, WorkModeSuccess, "设置为数字模式失败"};
        case OpKind::kQuery:
            return {"查询设备参数", "成功获取设备信息", "接收数据错误"};
        case OpKind::kSetDevice:
            return {"设置设备参数", "设置设备成功", "设置设备失败"};
        case OpKind::kRxFrequency:
            return {"设置接收频率", "设置接收频率成功", "设置接收频率失败"};
        case OpKind::kTxFrequency:
            return {"设置发射频率", "设置发射频率成功", "设置发射频率失败"};
        case OpKind::kAni:
            return {"设置设备ANI", "设置ANI成功", "设置ANI失败"};
        case OpKind::kChannelTotal:
            return {"设置信道总数", "设置信道总数成功", "设置信道总数失败"};
        case OpKind::kCurrentChannel:
            return {"设置当前信道", "设置当前信道成功", "设置当前信道失败"};
        case OpKind::kTxTimeLimit:
            return {"设置发射时限", "设置发射时限成功", "设置发射时限失败"};
        case OpKind::kAddressing:
            return {AddressingName, kSwitchSuccess, kSwitchFailure};
        case OpKind::kTransparent:
            return {TransparentName, kSwitchSuccess, kSwitchFailure};
        case OpKind::kRelay:
            return {RelayName, kSwitchSuccess, kSwitchFailure};
        case OpKind::kErrorCorrection:
            return {EccName, kSwitchSuccess, kSwitchFailure};
        case OpKind::kEncryption:
            return {EncryptionName, kSwitchSuccess, kSwitchFailure};
        case OpKind::kAudio:
            return {"设置音频基带处理", kSwitchSuccess, kSwitchFailure};
    }
    return {"", "", ""};  // not reached: every kind has its row
}

}  // namespace

std::string OperationName(OpKind kind, const CParameterSet& params) {
    return RowOf(kind).name.For(params);
}

std::string SuccessText(OpKind kind, const CParameterSet& params) {
    return RowOf(kind).success.For(params);
}

std::string FailureText(OpKind kind) {
    return RowOf(kind).failure;
}

}  // namespace radiosetup
