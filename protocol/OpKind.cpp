#include "OpKind.h"

namespace {

const char* PairedName(bool first, const char* firstName, const char* secondName) {
    return first ? firstName : secondName;
}

std::string RelayName(const CParameterSet& params) {
    if (params.m_bRxEndRelay != 0) {
        return PairedName(params.m_bRelayOn != 0, "设置接收端继电器接通", "设置接收端继电器断开");
    }
    return PairedName(params.m_bRelayOn != 0, "设置继电器接通", "设置继电器断开");
}

std::string EccName(const CParameterSet& params) {
    if (params.m_nEccSetting == kEccNotUsed) {
        return "设置不采用纠错";
    }
    if (params.m_nEccSetting == kEccUsed) {
        return "设置采用纠错";
    }
    return "";
}

bool IsSwitchOperation(int opKind) {
    switch (opKind) {
        case OpKind::kAddressing:
        case OpKind::kTransparent:
        case OpKind::kRelay:
        case OpKind::kErrorCorrection:
        case OpKind::kEncryption:
        case OpKind::kAudio:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string OperationName(int opKind, const CParameterSet& params) {
    switch (opKind) {
        case OpKind::kConnect:
            return "连接数传电台";
        case OpKind::kWorkMode:
            return PairedName(params.m_bDataMode != 0, "设置数传电台为数字模式",
                              "设置数传电台为语音模式");
        case OpKind::kQuery:
            return "查询设备参数";
        case OpKind::kSetDevice:
            return "设置设备参数";
        case OpKind::kRxFrequency:
            return "设置接收频率";
        case OpKind::kTxFrequency:
            return "设置发射频率";
        case OpKind::kAni:
            return "设置设备ANI";
        case OpKind::kChannelTotal:
            return "设置信道总数";
        case OpKind::kCurrentChannel:
            return "设置当前信道";
        case OpKind::kTxTimeLimit:
            return "设置发射时限";
        case OpKind::kAddressing:
            return PairedName(params.m_bAddressing != 0, "设置选址模式有效", "设置选址模式无效");
        case OpKind::kTransparent:
            return PairedName(params.m_bTransparent != 0, "设置为透明方式", "设置为非透明方式");
        case OpKind::kRelay:
            return RelayName(params);
        case OpKind::kErrorCorrection:
            return EccName(params);
        case OpKind::kEncryption:
            return PairedName(params.m_bEncryption != 0, "设置语音加密方式有效",
                              "设置语音加密方式无效");
        case OpKind::kAudio:
            return "设置音频基带处理";
        default:
            return "";
    }
}

std::string SuccessText(int opKind, const CParameterSet& params) {
    if (IsSwitchOperation(opKind)) {
        return "操作成功";
    }
    switch (opKind) {
        case OpKind::kWorkMode:
            return PairedName(params.m_bDataMode != 0, "成功设置为数字模式", "成功设置为语音模式");
        case OpKind::kSetDevice:
            return "设置设备成功";
        case OpKind::kRxFrequency:
            return "设置接收频率成功";
        case OpKind::kTxFrequency:
            return "设置发射频率成功";
        case OpKind::kAni:
            return "设置ANI成功";
        case OpKind::kChannelTotal:
            return "设置信道总数成功";
        case OpKind::kCurrentChannel:
            return "设置当前信道成功";
        case OpKind::kTxTimeLimit:
            return "设置发射时限成功";
        default:
            return "";
    }
}

std::string FailureText(int opKind) {
    if (IsSwitchOperation(opKind)) {
        return "操作失败";
    }
    switch (opKind) {
        case OpKind::kWorkMode:
            return "设置为数字模式失败";
        case OpKind::kSetDevice:
            return "设置设备失败";
        case OpKind::kRxFrequency:
            return "设置接收频率失败";
        case OpKind::kTxFrequency:
            return "设置发射频率失败";
        case OpKind::kAni:
            return "设置ANI失败";
        case OpKind::kChannelTotal:
            return "设置信道总数失败";
        case OpKind::kCurrentChannel:
            return "设置当前信道失败";
        case OpKind::kTxTimeLimit:
            return "设置发射时限失败";
        default:
            return "";
    }
}
