#include "SetupDlg.h"

#include "AboutDlg.h"
#include "CommandSet.h"
#include "DecimalValue.h"
#include "LocalTime.h"
#include "MultiChannelDlg.h"
#include "OpKind.h"
#include "PortFailureText.h"
#include "PortSettingsStore.h"
#include "RadioPortInvocation.h"
#include "ResourceIds.h"
#include "SetupDlgIds.h"
#include "TextFormat.h"

namespace radiosetup {

namespace {

namespace Id = SetupId;

constexpr int kLongEditLimit = 7;
constexpr int kShortEditLimit = 3;

// How many characters of an edit each button reads.
constexpr int kWholeText = -1;
constexpr int kAniReadLength = 8;
constexpr int kFrequencyReadLength = 7;
constexpr int kShortReadLength = 3;

constexpr int kFrequencyDigits = 7;

// The range messages come with the parameter table.
namespace Msg {
constexpr const char* kSetChannelTotalFirst = "请先设置正确的信道总数";
constexpr const char* kChangeCurrentChannelFirst = "请先将当前信道改为1-%1";
}  // namespace Msg

const char* ChannelTotalRange() {
    return Parameter(ParamId::kChannelTotal).range.message;
}

// 8-bit members keep the low 8 bits of what was typed.
std::uint8_t LowByte(int value) {
    return static_cast<std::uint8_t>(value);
}

std::string PortFieldText(const PcPortSettings& settings) {
    const char* parity = settings.m_nParity == kParityNone  ? "无校验"
                         : settings.m_nParity == kParityOdd ? "奇校验"
                                                            : "偶校验";
    return FormatText("串口%1 %2bps %3", {std::to_string(settings.m_nPortNumber),
                                          std::to_string(settings.m_nBaudRate), parity});
}

}  // namespace

CSetupDlg::CSetupDlg(const RadioLinks& links, CDialog* parent)
    : CDialog(kTemplateId, parent),
      m_links(links),
      m_engine(*this, m_links.port, m_links.clock, m_params, m_portSettings),
      m_timeSource(LocalTimeOfDay) {
    // Until the stored settings are loaded at start-up.
    m_portSettings.m_nPortNumber = 1;
    m_portSettings.m_nBaudRate = 1200;
    m_portSettings.m_nParity = kParityNone;
    OnClicked(Id::kExit, [this] { EndDialog(kIdCancel); });
    OnClicked(Id::kMultiChannel, [this] { RunMultiChannelDialog(); });
    OnClicked(Id::kChangePort, [this] { ChangePortSettings(); });
    ConnectFieldButtons();
    ConnectSwitches();
    ConnectAudio();
}

CSetupDlg::~CSetupDlg() {
    m_links.port.Close();
}

void CSetupDlg::SetTimeSource(std::function<CStatusClock::TimeOfDay()> source) {
    m_timeSource = std::move(source);
}

void CSetupDlg::OnInitDialog() {
    WriteTextMembers();
    ApplyTextLimits();
    const std::string aboutText = StringResource(Res::kAboutMenuText);
    if (!aboutText.empty()) {
        AppendSystemMenuItem(kAboutCommand, aboutText);
    }
    SetIcon(Res::kAppIcon);
    LoadPortSettings(m_portSettings);
    OpenPortWithStoredSettings();
    ShowPortSettings();
    SetSliderRanges();
    m_clock.SetTime(m_timeSource());
    SetTimer(kEngineTimer, COperationEngine::kTickMs);
    SetTimer(kClockTimer, 1000);
    m_engine.Connect();
    ShowLevelTexts();
    ShowParams();
    CenterOnScreen();
}

bool CSetupDlg::SendOperation(OpKind opKind, const RadioPayload& payload) {
    return m_engine.SendOperation(opKind, payload);
}

void CSetupDlg::ShowParams() {
    ShowPair(Id::kDataMode, Id::kVoiceMode, m_params.m_bDataMode != 0);
    // Shown the other way round: a set flag checks "无效".
    ShowPair(Id::kAddressingOff, Id::kAddressingOn, m_params.m_bAddressing != 0);
    ShowPair(Id::kTransparent, Id::kNonTransparent, m_params.m_bTransparent != 0);
    ShowPair(Id::kRelayOn, Id::kRelayOff, m_params.m_bRelayOn != 0);
    if (m_params.m_nEccSetting == kEccNotUsed || m_params.m_nEccSetting == kEccUsed) {
        ShowPair(Id::kEccOff, Id::kEccOn, m_params.m_nEccSetting == kEccNotUsed);
    }
    ShowPair(Id::kEncryptionOn, Id::kEncryptionOff, m_params.m_bEncryption != 0);
    SetCheck(Id::kRxEndRelay, m_params.m_bRxEndRelay != 0);
    SetCheck(Id::kCompander, m_params.m_bCompander != 0);
    SetCheck(Id::kPreEmphasis, m_params.m_bPreEmphasis != 0);
    SetSliderPos(Id::kTxVoiceGain, m_params.m_nTxVoiceGain);
    SetSliderPos(Id::kRxVoiceGain, m_params.m_nRxVoiceGain);
    SetSliderPos(Id::kTxChannelGain, m_params.m_nTxChannelGain);
    SetSliderPos(Id::kRxChannelGain, m_params.m_nRxChannelGain);
    SetText(Id::kAni, m_params.m_strAni);
    SetText(Id::kChannelTotal, m_params.m_strChannelTotal);
    SetText(Id::kTxTimeLimit, m_params.m_strTxTimeLimit);
    SetText(Id::kTxFrequency, m_params.m_strTxFrequency);
    SetText(Id::kRxFrequency, m_params.m_strRxFrequency);
    m_params.m_strCurrentChannel = std::to_string(m_params.m_nCurrentChannel);
    SetText(Id::kCurrentChannel, m_params.m_strCurrentChannel);
    ShowLevelTexts();
}

void CSetupDlg::ShowPair(int firstId, int secondId, bool firstChecked) {
    SetCheck(secondId, !firstChecked);
    SetCheck(firstId, firstChecked);
}

void CSetupDlg::OnTimer(int timerId) {
    if (timerId == kEngineTimer) {
        m_engine.OnEngineTick();
    } else if (timerId == kClockTimer) {
        UpdateClock();
    }
}

// The dialog works on this window's port without the engine; the query afterwards
// shows what the radio holds now, however the dialog was closed.
void CSetupDlg::RunMultiChannelDialog() {
    CMultiChannelDlg dialog(m_links.port, this, m_links.clock);
    dialog.DoModal();
    m_engine.StartQuery();
}

// The radio-port dialog and its search open the PC port themselves; afterwards the
// port is reopened with what was stored and, unless cancelled, the radio connected.
void CSetupDlg::ChangePortSettings() {
    if (RunRadioPortDialog(m_links, m_portSettings, this) == RadioPortOutcome::Reopened) {
        ShowPortSettings();
        m_engine.Connect();
    }
}

void CSetupDlg::OnSysCommand(int command) {
    if ((command & 0xFFF0) == kAboutCommand) {
        CAboutDlg about;
        about.DoModal();
    }
}

void CSetupDlg::SetOperationText(const std::string& text) {
    SetText(Id::kOperationField, text);
}

void CSetupDlg::SetResultText(const std::string& text) {
    // An outcome on a device that went away says so; a port that never opened was
    // explained by its box already.
    const std::optional<PortFailure> failure = m_links.port.Failure();
    const bool vanished = failure && failure->kind == PortFailure::Kind::Vanished;
    const bool isOutcome = !text.empty() && text != kRunningText;
    SetText(Id::kResultField,
            vanished && isOutcome
                ? WithPortFailure(text, m_portSettings.m_nPortNumber, m_links.port, "  ")
                : text);
}

void CSetupDlg::ShowBusyMessage() {
    ShowMessageBox(this, "正在接收数据", "禁止", MsgIcon::Exclamation);
}

void CSetupDlg::WriteTextMembers() {
    SetText(Id::kRxFrequency, m_params.m_strRxFrequency);
    SetText(Id::kTxFrequency, m_params.m_strTxFrequency);
    SetText(Id::kAni, m_params.m_strAni);
    SetText(Id::kChannelTotal, m_params.m_strChannelTotal);
    SetText(Id::kCurrentChannel, m_params.m_strCurrentChannel);
    SetText(Id::kTxTimeLimit, m_params.m_strTxTimeLimit);
    SetText(Id::kClockField, m_strClock);
}

void CSetupDlg::ApplyTextLimits() {
    for (int id : {Id::kRxFrequency, Id::kTxFrequency, Id::kAni}) {
        SetTextLimit(id, kLongEditLimit);
    }
    for (int id : {Id::kChannelTotal, Id::kCurrentChannel, Id::kTxTimeLimit}) {
        SetTextLimit(id, kShortEditLimit);
    }
}

void CSetupDlg::OpenPortWithStoredSettings() {
    ReopenMainPort(m_links.port, m_portSettings, this);
}

void CSetupDlg::ShowPortSettings() {
    SetText(Id::kPortField, PortFieldText(m_portSettings));
}

void CSetupDlg::ShowLevelTexts() {
    SetText(Id::kTxVoiceGainText, std::to_string(m_params.m_nTxVoiceGain));
    SetText(Id::kTxChannelGainText, std::to_string(m_params.m_nTxChannelGain));
    SetText(Id::kRxVoiceGainText, std::to_string(m_params.m_nRxVoiceGain));
    SetText(Id::kRxChannelGainText, std::to_string(m_params.m_nRxChannelGain));
}

void CSetupDlg::UpdateClock() {
    m_clock.Tick(m_timeSource);
    m_strClock = m_clock.Text();
    SetText(Id::kClockField, m_strClock);
}

// ---- Parameter fields ----

struct CSetupDlg::FrequencyField {
    int editId;
    ParamId paramId;
    std::uint32_t CParameterSet::*member;
    OpKind opKind;
    PayloadBuilder payload;
};

const CSetupDlg::FrequencyField CSetupDlg::kRxField{Id::kRxFrequency, ParamId::kRxFrequency,
                                                    &CParameterSet::m_nRxFrequency,
                                                    OpKind::kRxFrequency, RxFrequencyPayload};
const CSetupDlg::FrequencyField CSetupDlg::kTxField{Id::kTxFrequency, ParamId::kTxFrequency,
                                                    &CParameterSet::m_nTxFrequency,
                                                    OpKind::kTxFrequency, TxFrequencyPayload};

void CSetupDlg::ConnectFieldButtons() {
    OnClicked(Id::kQuery, [this] { OnQuery(); });
    OnClicked(Id::kSetDevice, [this] { OnSetDevice(); });
    OnClicked(Id::kRxFrequencyOk, [this] { OnFrequencyOk(kRxField); });
    OnClicked(Id::kTxFrequencyOk, [this] { OnFrequencyOk(kTxField); });
    OnClicked(Id::kAniOk, [this] { OnAniOk(); });
    OnClicked(Id::kChannelTotalOk, [this] { OnChannelTotalOk(); });
    OnClicked(Id::kCurrentChannelOk, [this] { OnCurrentChannelOk(); });
    OnClicked(Id::kTxTimeLimitOk, [this] { OnTxTimeLimitOk(); });
}

void CSetupDlg::OnQuery() {
    SendOperation(OpKind::kQuery, QueryPayload());
}

// Checks the whole set, then writes the ANI; the engine sends the channel total and
// the current channel's two frequencies after each acknowledgement.
void CSetupDlg::OnSetDevice() {
    if (m_engine.CheckBusy()) {
        return;
    }
    if (!TakeAni() || !TakeChannelTotal(kShortReadLength, ChannelTotalRange(), Id::kChannelTotal) ||
        !TakeCurrentChannel(kShortReadLength, MsgIcon::None)) {
        return;
    }
    ShowCurrentChannelNumber();
    // No zero padding here: a short frequency is taken as typed and refused.
    if (!TakeFrequency(kRxField, kFrequencyReadLength) ||
        !TakeFrequency(kTxField, kFrequencyReadLength)) {
        return;
    }
    SendOperation(OpKind::kSetDevice, AniPayload(m_params));
}

void CSetupDlg::OnFrequencyOk(const FrequencyField& field) {
    if (m_engine.CheckBusy()) {
        return;
    }
    // A bad total is corrected through the current channel, hence the focus there.
    if (!TakeChannelTotal(kWholeText, Msg::kSetChannelTotalFirst, Id::kCurrentChannel) ||
        !TakeCurrentChannel(kWholeText, MsgIcon::None)) {
        return;
    }
    PadFrequencyText(field.editId);
    if (!TakeFrequency(field, kWholeText)) {
        return;
    }
    SendOperation(field.opKind, field.payload(m_params));
}

void CSetupDlg::OnAniOk() {
    if (m_engine.CheckBusy() || !TakeAni()) {
        return;
    }
    SendOperation(OpKind::kAni, AniPayload(m_params));
}

void CSetupDlg::OnChannelTotalOk() {
    if (m_engine.CheckBusy() ||
        !TakeChannelTotal(kShortReadLength, ChannelTotalRange(), Id::kChannelTotal)) {
        return;
    }
    // Compared with the stored current channel, not with what its edit shows.
    const int total = m_params.m_nChannelTotal;
    if (!Accept(total >= m_params.m_nCurrentChannel,
                FormatText(Msg::kChangeCurrentChannelFirst, {std::to_string(total)}),
                Id::kCurrentChannel, MsgIcon::Exclamation)) {
        return;
    }
    SendOperation(OpKind::kChannelTotal, ChannelTotalPayload(m_params));
}

void CSetupDlg::OnCurrentChannelOk() {
    if (m_engine.CheckBusy() || !TakeCurrentChannel(kShortReadLength, MsgIcon::Exclamation)) {
        return;
    }
    ShowCurrentChannelNumber();
    SendOperation(OpKind::kCurrentChannel, CurrentChannelPayload(m_params));
}

// The only field checked before it is stored.
void CSetupDlg::OnTxTimeLimitOk() {
    if (m_engine.CheckBusy()) {
        return;
    }
    const int limit = ReadValue(Id::kTxTimeLimit, kWholeText);
    if (!AcceptInRange(ParamId::kTxTimeLimit, limit, Id::kTxTimeLimit)) {
        return;
    }
    m_params.m_nTxTimeLimit = LowByte(limit);
    SendOperation(OpKind::kTxTimeLimit, TxTimeLimitPayload(m_params));
}

bool CSetupDlg::TakeAni() {
    const int ani = ReadValue(Id::kAni, kAniReadLength);
    m_params.m_nAni = ani;
    return AcceptInRange(ParamId::kAni, ani, Id::kAni);
}

bool CSetupDlg::TakeChannelTotal(int maxCharacters, const char* message, int focusId) {
    const int total = ReadValue(Id::kChannelTotal, maxCharacters);
    m_params.m_nChannelTotal = LowByte(total);
    return Accept(Parameter(ParamId::kChannelTotal).Holds(total), message, focusId);
}

// Checked against the stored channel total.
bool CSetupDlg::TakeCurrentChannel(int maxCharacters, MsgIcon icon) {
    const int channel = ReadValue(Id::kCurrentChannel, maxCharacters);
    m_params.m_nCurrentChannel = LowByte(channel);
    const int total = m_params.m_nChannelTotal;
    const ParameterRow::Range& range = Parameter(ParamId::kCurrentChannel).range;
    return Accept(channel >= range.low && channel <= total,
                  FormatText(range.message, {std::to_string(total)}), Id::kCurrentChannel, icon);
}

bool CSetupDlg::TakeFrequency(const FrequencyField& field, int maxCharacters) {
    const int frequency = ReadValue(field.editId, maxCharacters);
    m_params.*field.member = static_cast<std::uint32_t>(frequency);
    return AcceptInRange(field.paramId, frequency, field.editId);
}

// The operator types the leading digits: 229 stands for 2290000 (229 MHz).
void CSetupDlg::PadFrequencyText(int id) {
    const std::string text = GetText(id);
    const std::string padded = PadRight(text, kFrequencyDigits, '0');
    if (padded != text) {
        SetText(id, padded);
    }
}

// Typed 007 is shown as 7 once accepted.
void CSetupDlg::ShowCurrentChannelNumber() {
    SetText(Id::kCurrentChannel, std::to_string(m_params.m_nCurrentChannel));
}

int CSetupDlg::ReadValue(int id, int maxCharacters) const {
    const std::string text = GetText(id);
    return DecimalValue(maxCharacters == kWholeText ? text : LeftCharacters(text, maxCharacters));
}

bool CSetupDlg::AcceptInRange(ParamId id, int value, int focusId) {
    const ParameterRow& row = Parameter(id);
    return Accept(row.Holds(value), row.range.message, focusId);
}

bool CSetupDlg::Accept(bool valid, const std::string& message, int focusId, MsgIcon icon) {
    if (!valid) {
        ShowMessageBox(this, message, ApplicationTitle(), icon);
        FocusItem(focusId);
    }
    return valid;
}

// ---- Switches, option pairs and check boxes ----

// Each radio button forms a group of its own, so its handler unchecks the partner.
struct CSetupDlg::SwitchButton {
    int id;
    int partnerId;
    void (*store)(CParameterSet&);
    OpKind opKind;  // OpKind::kNone: only recorded; another button sends it
    PayloadBuilder payload;
};

struct CSetupDlg::ToggleBox {
    int id;
    std::uint8_t CParameterSet::*member;
    OpKind opKind;  // OpKind::kNone: only recorded; "确认设置" sends it
    PayloadBuilder payload;
};

void CSetupDlg::ConnectSwitches() {
    using P = CParameterSet;
    static const SwitchButton kButtons[] = {
        {Id::kDataMode, Id::kVoiceMode, [](P& p) { p.m_bDataMode = 1; }, OpKind::kNone, nullptr},
        {Id::kVoiceMode, Id::kDataMode, [](P& p) { p.m_bDataMode = 0; }, OpKind::kNone, nullptr},
        {Id::kAddressingOn, Id::kAddressingOff, [](P& p) { p.m_bAddressing = 1; },
         OpKind::kAddressing, AddressingPayload},
        {Id::kAddressingOff, Id::kAddressingOn, [](P& p) { p.m_bAddressing = 0; },
         OpKind::kAddressing, AddressingPayload},
        {Id::kTransparent, Id::kNonTransparent, [](P& p) { p.m_bTransparent = 1; },
         OpKind::kTransparent, TransparentPayload},
        {Id::kNonTransparent, Id::kTransparent, [](P& p) { p.m_bTransparent = 0; },
         OpKind::kTransparent, TransparentPayload},
        {Id::kRelayOn, Id::kRelayOff, [](P& p) { p.m_bRelayOn = 1; }, OpKind::kRelay, RelayPayload},
        {Id::kRelayOff, Id::kRelayOn, [](P& p) { p.m_bRelayOn = 0; }, OpKind::kRelay, RelayPayload},
        {Id::kEccOff, Id::kEccOn, [](P& p) { p.m_nEccSetting = kEccNotUsed; },
         OpKind::kErrorCorrection, ErrorCorrectionPayload},
        {Id::kEccOn, Id::kEccOff, [](P& p) { p.m_nEccSetting = kEccUsed; },
         OpKind::kErrorCorrection, ErrorCorrectionPayload},
        {Id::kEncryptionOff, Id::kEncryptionOn, [](P& p) { p.m_bEncryption = 0; },
         OpKind::kEncryption, EncryptionPayload},
        {Id::kEncryptionOn, Id::kEncryptionOff, [](P& p) { p.m_bEncryption = 1; },
         OpKind::kEncryption, EncryptionPayload},
    };
    // The relay request carries the receive-end choice too, so the box resends both.
    static const ToggleBox kBoxes[] = {
        {Id::kRxEndRelay, &CParameterSet::m_bRxEndRelay, OpKind::kRelay, RelayPayload},
        {Id::kCompander, &CParameterSet::m_bCompander, OpKind::kNone, nullptr},
        {Id::kPreEmphasis, &CParameterSet::m_bPreEmphasis, OpKind::kNone, nullptr},
    };
    for (const SwitchButton& button : kButtons) {
        OnClicked(button.id, [this, &button] { OnSwitchClicked(button); });
    }
    for (const ToggleBox& box : kBoxes) {
        OnClicked(box.id, [this, &box] { OnToggleClicked(box); });
    }
    OnClicked(Id::kWorkModeOk,
              [this] { SendOperation(OpKind::kWorkMode, WorkModePayload(m_params)); });
}

// The choice is kept even when the operation is then refused as busy.
void CSetupDlg::OnSwitchClicked(const SwitchButton& button) {
    button.store(m_params);
    SetCheck(button.partnerId, false);
    if (button.opKind != OpKind::kNone) {
        SendOperation(button.opKind, button.payload(m_params));
    }
}

void CSetupDlg::OnToggleClicked(const ToggleBox& box) {
    std::uint8_t& flag = m_params.*box.member;
    flag = flag == 0 ? 1 : 0;
    SetCheck(box.id, flag != 0);
    if (box.opKind != OpKind::kNone) {
        SendOperation(box.opKind, box.payload(m_params));
    }
}

// ---- Audio levels and defaults ----

struct CSetupDlg::LevelSlider {
    int sliderId;
    int valueFieldId;
    ParamId paramId;
    std::uint8_t CParameterSet::*member;
};

const CSetupDlg::LevelSlider CSetupDlg::kSliders[] = {
    {Id::kRxChannelGain, Id::kRxChannelGainText, ParamId::kRxChannelGain,
     &CParameterSet::m_nRxChannelGain},
    {Id::kRxVoiceGain, Id::kRxVoiceGainText, ParamId::kRxVoiceGain, &CParameterSet::m_nRxVoiceGain},
    {Id::kTxChannelGain, Id::kTxChannelGainText, ParamId::kTxChannelGain,
     &CParameterSet::m_nTxChannelGain},
    {Id::kTxVoiceGain, Id::kTxVoiceGainText, ParamId::kTxVoiceGain, &CParameterSet::m_nTxVoiceGain},
};

void CSetupDlg::SetSliderRanges() {
    for (const LevelSlider& slider : kSliders) {
        const ParameterRow::Range& range = Parameter(slider.paramId).range;
        SetSliderRange(slider.sliderId, range.low, range.high);
    }
}

void CSetupDlg::ConnectAudio() {
    for (const LevelSlider& slider : kSliders) {
        OnSliderReleased(slider.sliderId, [this, &slider] { OnLevelReleased(slider); });
    }
    OnClicked(Id::kConfirmAudio, [this] { SendOperation(OpKind::kAudio, AudioPayload(m_params)); });
    OnClicked(Id::kLoadDefaults, [this] { OnLoadDefaults(); });
}

// Only a mouse release takes the level over: keyboard moves wait for the next one.
void CSetupDlg::OnLevelReleased(const LevelSlider& slider) {
    std::uint8_t& level = m_params.*slider.member;
    level = LowByte(GetSliderPos(slider.sliderId));
    SetText(slider.valueFieldId, std::to_string(level));
}

// Shows the factory set without telling the radio.
void CSetupDlg::OnLoadDefaults() {
    m_params.LoadFactoryDefaults();
    ShowParams();
}

}  // namespace radiosetup
