#include "OperationEngine.h"

#include <chrono>
#include <string>

#include "Clock.h"
#include "CommandSet.h"
#include "OpKind.h"
#include "OperationJudge.h"
#include "RadioLink.h"

namespace radiosetup {

namespace {

constexpr std::uint8_t kRefusal = 0xFF;

bool UsesSetupStep(OpKind opKind) {
    return opKind == OpKind::kConnect || opKind == OpKind::kQuery || opKind == OpKind::kRelay;
}

}  // namespace

COperationEngine::COperationEngine(IEngineHost& host, IRadioLink& link, IClock& clock,
                                   CParameterSet& params, const PcPortSettings& portSettings)
    : m_host(host), m_link(link), m_clock(clock), m_params(params), m_portSettings(portSettings) {}

void COperationEngine::Connect() {
    m_eState = EngineState::Idle;
    SetOperation(OpKind::kConnect);
    ShowOperationName(OpKind::kConnect);
    SendAndBegin(OpKind::kConnect, ConnectPayload(m_portSettings));
}

bool COperationEngine::SendOperation(OpKind opKind, const RadioPayload& payload) {
    if (CheckBusy()) {
        return false;
    }
    m_host.SetResultText("");
    SetOperation(opKind);
    SendAndBegin(opKind, payload);
    return true;
}

void COperationEngine::StartQuery() {
    SendOperation(OpKind::kQuery, QueryPayload());
}

bool COperationEngine::CheckBusy() {
    if (m_eState != EngineState::Awaiting) {
        return false;
    }
    m_host.ShowBusyMessage();
    return true;
}

void COperationEngine::BeginOperation(OpKind opKind) {
    m_nCountdown = kReplyBudgetMs;
    m_eState = EngineState::Awaiting;
    m_aReplyBuffer.fill(0);
    m_host.SetResultText(kRunningText);
    ShowOperationName(opKind);
}

void COperationEngine::ShowOperationName(OpKind opKind) {
    m_host.SetOperationText(OperationName(opKind, m_params));
}

void COperationEngine::OnEngineTick() {
    if (m_eState == EngineState::Awaiting && m_nCountdown != kStopped) {
        m_nCountdown -= kTickMs;
        if (m_nCountdown <= 0) {
            TimeOut();
            return;
        }
    }
    if (m_link.PendingInput() > 0) {
        PickUpReply();
    }
}

// Two rules surprise: bytes that arrive with no operation pending, and any time-out of an
// operation, are judged as a connect reply. So a late acknowledgement reconnects (and
// queries), and a lost reply reads as a lost connection whatever was asked.
void COperationEngine::HandleReply() {
    switch (m_eOpKind) {
        case OpKind::kNone:
        case OpKind::kConnect:
            JudgeConnect();
            break;
        case OpKind::kQuery:
            if (ParseQueryReply()) {
                ShowResult(OpKind::kQuery);
            } else {
                m_eOpKind = OpKind::kNone;
            }
            break;
        case OpKind::kSetDevice:
            ContinueParameterWrite();
            break;
        case OpKind::kCurrentChannel:
            ShowResult(OpKind::kCurrentChannel);
            StartQuery();
            break;
        case OpKind::kWorkMode:
        case OpKind::kRxFrequency:
        case OpKind::kTxFrequency:
        case OpKind::kAni:
        case OpKind::kChannelTotal:
        case OpKind::kTxTimeLimit:
        case OpKind::kAddressing:
        case OpKind::kTransparent:
        case OpKind::kRelay:
        case OpKind::kErrorCorrection:
        case OpKind::kEncryption:
        case OpKind::kAudio:
            ShowResult(m_eOpKind);
            break;
    }
}

void COperationEngine::ShowResult(OpKind opKind) {
    if (opKind == OpKind::kConnect) {
        JudgeConnect();
        return;
    }
    if (opKind == OpKind::kQuery) {
        m_host.SetResultText(SuccessText(OpKind::kQuery, m_params));
    } else {
        ShowStatusResult(opKind);
    }
    m_eOpKind = OpKind::kNone;
}

bool COperationEngine::ParseQueryReply() {
    if (m_nReceivedCount != kReplySize) {
        ReadRestOfBlock();
    }
    const ReplyVerdict verdict =
        ReadParameterReply(m_nReceivedCount, m_aReplyBuffer.data(), m_params);
    if (verdict != ReplyVerdict::Accepted) {
        m_host.SetResultText(verdict == ReplyVerdict::BadChecksum ? "接收数据校验错"
                                                                  : FailureText(OpKind::kQuery));
        return false;
    }
    m_host.ShowParams();
    return true;
}

void COperationEngine::SetOperation(OpKind opKind) {
    m_eOpKind = opKind;
    if (UsesSetupStep(opKind)) {
        m_nSetupStep = 1;
    } else if (opKind == OpKind::kSetDevice) {
        m_nSetupStep = Cmd::kAni;
        // The later frames carry the values validated now, whatever the window loads meanwhile.
        m_writtenParams = m_params;
    }
}

void COperationEngine::SendAndBegin(OpKind opKind, const RadioPayload& payload) {
    SendRadioFrame(m_link, m_clock, payload);
    BeginOperation(opKind);
}

void COperationEngine::PickUpReply() {
    m_clock.Sleep(std::chrono::milliseconds(kPickUpSleepMs));
    m_nReceivedCount = static_cast<std::uint8_t>(m_link.Read(m_aReplyBuffer.data(), kReplySize));
    m_eState = EngineState::Idle;
    m_nCountdown = kStopped;
    HandleReply();
}

void COperationEngine::TimeOut() {
    m_nCountdown = kStopped;
    m_eState = EngineState::Idle;
    if (m_eOpKind == OpKind::kNone) {
        m_host.SetResultText(FailureText(OpKind::kNone));
    } else {
        JudgeConnect();
    }
}

void COperationEngine::JudgeConnect() {
    m_eState = EngineState::Idle;
    if (JudgeConnectReply(m_nReceivedCount, m_aReplyBuffer.data()) == ReplyVerdict::Accepted) {
        m_host.SetResultText(SuccessText(OpKind::kConnect, m_params));
        StartQuery();
        return;
    }
    m_host.SetResultText(FailureText(OpKind::kConnect));
    m_params.LoadBlankParams();
    m_host.ShowParams();
    m_eOpKind = OpKind::kNone;
}

void COperationEngine::ContinueParameterWrite() {
    if (m_nSetupStep < Cmd::kAni || m_nSetupStep > Cmd::kTxFrequency) {
        return;
    }
    if (m_nSetupStep == Cmd::kTxFrequency || StatusByte() == kRefusal) {
        ShowResult(OpKind::kSetDevice);
        return;
    }
    const RadioPayload payload = NextParameterWriteFrame();
    m_nSetupStep = payload[0];
    SendAndBegin(OpKind::kSetDevice, payload);
}

RadioPayload COperationEngine::NextParameterWriteFrame() const {
    switch (m_nSetupStep) {
        case Cmd::kAni:
            return ChannelTotalPayload(m_writtenParams);
        case Cmd::kChannelTotal:
            return RxFrequencyPayload(m_writtenParams);
        default:
            return TxFrequencyPayload(m_writtenParams);
    }
}

void COperationEngine::ShowStatusResult(OpKind opKind) {
    const ReplyVerdict verdict = JudgeStatusReply(opKind, StatusByte());
    // A status the operation does not list leaves no text.
    const std::string text = verdict == ReplyVerdict::Refused    ? FailureText(opKind)
                             : verdict == ReplyVerdict::Accepted ? SuccessText(opKind, m_params)
                                                                 : std::string();
    if (!text.empty()) {
        m_host.SetResultText(text);
    }
}

void COperationEngine::ReadRestOfBlock() {
    m_clock.Sleep(std::chrono::milliseconds(kSecondReadSleepMs));
    const int missing = kReplySize - m_nReceivedCount;
    const int more = m_link.Read(m_aReplyBuffer.data() + m_nReceivedCount, missing);
    m_nReceivedCount = static_cast<std::uint8_t>(m_nReceivedCount + more);
}

}  // namespace radiosetup
