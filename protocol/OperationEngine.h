#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "OpKind.h"
#include "ParameterSet.h"
#include "PcPortSettings.h"
#include "RadioFrame.h"
#include "RadioLimits.h"

namespace radiosetup {

class IClock;
class IRadioLink;

// The result text while an operation awaits its reply.
constexpr const char* kRunningText = "正在执行";

// What the engine needs of the window that owns it.
class IEngineHost {
public:
    virtual void SetOperationText(const std::string& text) = 0;  // field 1047
    virtual void SetResultText(const std::string& text) = 0;     // field 1048
    virtual void ShowParams() = 0;
    // "正在接收数据", captioned "禁止", exclamation icon.
    virtual void ShowBusyMessage() = 0;

protected:
    ~IEngineHost() = default;
};

// Runs the main window's radio operations one at a time: sends the request, waits
// for the reply on a 30 ms tick with a 2500 ms countdown, picks it up, judges it and
// chains the follow-up frames. Ticks are driven by the owner (timer 27).
class COperationEngine {
public:
    enum class EngineState : std::uint8_t { Idle = 1, Awaiting = 2 };

    static constexpr int kTickMs = 30;
    static constexpr int kPickUpSleepMs = 500;
    static constexpr int kSecondReadSleepMs = 800;
    static constexpr int kReplySize = kParameterBlockSize;
    static constexpr int kStopped = -1;

    COperationEngine(IEngineHost& host, IRadioLink& link, IClock& clock, CParameterSet& params,
                     const PcPortSettings& portSettings);

    // The connect at start-up and after a port change: no busy check.
    void Connect();
    // The common start of an operation a button begins. False when refused as busy.
    bool SendOperation(OpKind opKind, const RadioPayload& payload);
    void StartQuery();

    // Shows the busy message when a reply is awaited.
    bool CheckBusy();
    // Starts the 2500 ms countdown for opKind's reply; normally through SendOperation.
    void BeginOperation(OpKind opKind);
    // Timer 27: counts the reply's time down and picks up what has arrived.
    void OnEngineTick();

    OpKind CurrentOpKind() const { return m_eOpKind; }
    int SetupStep() const { return m_nSetupStep; }
    EngineState State() const { return m_eState; }
    int Countdown() const { return m_nCountdown; }

private:
    void ShowOperationName(OpKind opKind);
    void HandleReply();
    void ShowResult(OpKind opKind);
    bool ParseQueryReply();
    void SetOperation(OpKind opKind);
    void SendAndBegin(OpKind opKind, const RadioPayload& payload);
    void PickUpReply();
    void TimeOut();
    void JudgeConnect();
    void ContinueParameterWrite();
    RadioPayload NextParameterWriteFrame() const;
    void ShowStatusResult(OpKind opKind);
    void ReadRestOfBlock();
    std::uint8_t StatusByte() const { return m_aReplyBuffer[2]; }

    IEngineHost& m_host;
    IRadioLink& m_link;
    IClock& m_clock;
    CParameterSet& m_params;
    CParameterSet m_writtenParams;  // the four-frame write's values, taken at its start
    const PcPortSettings& m_portSettings;

    OpKind m_eOpKind = OpKind::kNone;
    std::uint8_t m_nSetupStep = 0;
    EngineState m_eState = EngineState::Idle;
    std::int32_t m_nCountdown = kStopped;
    std::array<std::uint8_t, kReplySize> m_aReplyBuffer{};
    std::uint8_t m_nReceivedCount = 0;
};

}  // namespace radiosetup
