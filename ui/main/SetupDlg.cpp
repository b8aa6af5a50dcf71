#include "SetupDlg.h"

#include <QGuiApplication>
#include <QScreen>
#include <ctime>

#include "AboutDlg.h"
#include "MessageBoxSeam.h"
#include "PortSettingsStore.h"
#include "Resources.h"

namespace {

namespace Id {
constexpr int kDataMode = 1051;
constexpr int kVoiceMode = 1052;
constexpr int kRxFrequency = 1014;
constexpr int kTxFrequency = 1017;
constexpr int kAni = 1019;
constexpr int kChannelTotal = 1021;
constexpr int kCurrentChannel = 1023;
constexpr int kTxTimeLimit = 1025;
constexpr int kRxChannelGain = 1027;
constexpr int kRxVoiceGain = 1028;
constexpr int kTxChannelGain = 1029;
constexpr int kTxVoiceGain = 1030;
constexpr int kCompander = 1032;
constexpr int kPreEmphasis = 1033;
constexpr int kTransparent = 1034;
constexpr int kNonTransparent = 1035;
constexpr int kRxEndRelay = 1036;
constexpr int kRelayOn = 1037;
constexpr int kRelayOff = 1038;
constexpr int kAddressingOn = 1039;
constexpr int kAddressingOff = 1040;
constexpr int kEccNotUsed = 1042;
constexpr int kEccUsed = 1043;
constexpr int kPortField = 1044;
constexpr int kClockField = 1045;
constexpr int kOperationField = 1047;
constexpr int kResultField = 1048;
constexpr int kEncryptionOff = 1049;
constexpr int kEncryptionOn = 1050;
constexpr int kExit = 1053;
constexpr int kRxChannelGainText = 1056;
constexpr int kRxVoiceGainText = 1057;
constexpr int kTxChannelGainText = 1058;
constexpr int kTxVoiceGainText = 1059;
}  // namespace Id

constexpr int kLongEditLimit = 7;
constexpr int kShortEditLimit = 3;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

CStatusClock::TimeOfDay LocalTimeOfDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

QString PortFieldText(const PcPortSettings& settings) {
    const char* parity = settings.m_nParity == kParityNone  ? "无校验"
                         : settings.m_nParity == kParityOdd ? "奇校验"
                                                            : "偶校验";
    return QString::fromUtf8("串口%1 %2bps %3")
        .arg(settings.m_nPortNumber)
        .arg(settings.m_nBaudRate)
        .arg(QString::fromUtf8(parity));
}

}  // namespace

CSetupDlg::CSetupDlg(QWidget* parent)
    : CDialog(kTemplateId, parent),
      m_engine(*this, m_port, m_params, m_portSettings),
      m_timeSource(LocalTimeOfDay),
      m_hIcon(IconResource(Res::kAppIcon)) {
    // Until the stored settings are loaded at start-up.
    m_portSettings.m_nPortNumber = 1;
    m_portSettings.m_nBaudRate = 1200;
    m_portSettings.m_nParity = kParityNone;
    OnClicked(Id::kExit, [this] { EndDialog(kIdCancel); });
}

CSetupDlg::~CSetupDlg() {
    m_port.Close();
}

void CSetupDlg::SetTimeSource(std::function<CStatusClock::TimeOfDay()> source) {
    m_timeSource = std::move(source);
}

void CSetupDlg::OnInitDialog() {
    WriteTextMembers();
    ApplyTextLimits();
    const QString aboutText = StringResource(Res::kAboutMenuText);
    if (!aboutText.isEmpty()) {
        AppendSystemMenuItem(kAboutCommand, aboutText);
    }
    setWindowIcon(m_hIcon);
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
    CentreOnScreen();
}

bool CSetupDlg::SendOperation(int opKind, const RadioPayload& payload) {
    return m_engine.SendOperation(opKind, payload);
}

void CSetupDlg::ShowParams() {
    ShowPair(Id::kDataMode, Id::kVoiceMode, m_params.m_bDataMode != 0);
    // Shown the other way round: a set flag checks "无效".
    ShowPair(Id::kAddressingOff, Id::kAddressingOn, m_params.m_bAddressing != 0);
    ShowPair(Id::kTransparent, Id::kNonTransparent, m_params.m_bTransparent != 0);
    ShowPair(Id::kRelayOn, Id::kRelayOff, m_params.m_bRelayOn != 0);
    if (m_params.m_nEccSetting == kEccNotUsed || m_params.m_nEccSetting == kEccUsed) {
        ShowPair(Id::kEccNotUsed, Id::kEccUsed, m_params.m_nEccSetting == kEccNotUsed);
    }
    ShowPair(Id::kEncryptionOn, Id::kEncryptionOff, m_params.m_bEncryption != 0);
    SetCheck(Id::kRxEndRelay, m_params.m_bRxEndRelay != 0);
    SetCheck(Id::kCompander, m_params.m_bCompander != 0);
    SetCheck(Id::kPreEmphasis, m_params.m_bPreEmphasis != 0);
    SetSliderPos(Id::kTxVoiceGain, m_params.m_nTxVoiceGain);
    SetSliderPos(Id::kRxVoiceGain, m_params.m_nRxVoiceGain);
    SetSliderPos(Id::kTxChannelGain, m_params.m_nTxChannelGain);
    SetSliderPos(Id::kRxChannelGain, m_params.m_nRxChannelGain);
    SetText(Id::kAni, Text(m_params.m_strAni));
    SetText(Id::kChannelTotal, Text(m_params.m_strChannelTotal));
    SetText(Id::kTxTimeLimit, Text(m_params.m_strTxTimeLimit));
    SetText(Id::kTxFrequency, Text(m_params.m_strTxFrequency));
    SetText(Id::kRxFrequency, Text(m_params.m_strRxFrequency));
    m_params.m_strCurrentChannel = std::to_string(m_params.m_nCurrentChannel);
    SetText(Id::kCurrentChannel, Text(m_params.m_strCurrentChannel));
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

void CSetupDlg::OnSysCommand(int command) {
    if ((command & 0xFFF0) == kAboutCommand) {
        CAboutDlg about;
        about.DoModal();
    }
}

void CSetupDlg::SetOperationText(const std::string& text) {
    SetText(Id::kOperationField, Text(text));
}

void CSetupDlg::SetResultText(const std::string& text) {
    SetText(Id::kResultField, Text(text));
}

void CSetupDlg::ShowBusyMessage() {
    ShowMessageBox(this, QString::fromUtf8("正在接收数据"), QString::fromUtf8("禁止"),
                   MsgIcon::Exclamation);
}

void CSetupDlg::WriteTextMembers() {
    SetText(Id::kRxFrequency, Text(m_params.m_strRxFrequency));
    SetText(Id::kTxFrequency, Text(m_params.m_strTxFrequency));
    SetText(Id::kAni, Text(m_params.m_strAni));
    SetText(Id::kChannelTotal, Text(m_params.m_strChannelTotal));
    SetText(Id::kCurrentChannel, Text(m_params.m_strCurrentChannel));
    SetText(Id::kTxTimeLimit, Text(m_params.m_strTxTimeLimit));
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
    m_port.Close();
    if (!m_port.Open(m_portSettings.m_nPortNumber, m_portSettings.m_nBaudRate,
                     m_portSettings.m_nParity)) {
        ShowMessageBox(this, QStringLiteral("Open Com port failed, use another port please!"));
    }
}

void CSetupDlg::ShowPortSettings() {
    SetText(Id::kPortField, PortFieldText(m_portSettings));
}

void CSetupDlg::SetSliderRanges() {
    SetSliderRange(Id::kRxChannelGain, 1, 16);
    SetSliderRange(Id::kRxVoiceGain, 1, 8);
    SetSliderRange(Id::kTxChannelGain, 1, 16);
    SetSliderRange(Id::kTxVoiceGain, 1, 16);
}

void CSetupDlg::ShowLevelTexts() {
    SetText(Id::kTxVoiceGainText, QString::number(m_params.m_nTxVoiceGain));
    SetText(Id::kTxChannelGainText, QString::number(m_params.m_nTxChannelGain));
    SetText(Id::kRxVoiceGainText, QString::number(m_params.m_nRxVoiceGain));
    SetText(Id::kRxChannelGainText, QString::number(m_params.m_nRxChannelGain));
}

void CSetupDlg::UpdateClock() {
    m_clock.Tick(m_timeSource);
    m_strClock = QString::fromStdString(m_clock.Text());
    SetText(Id::kClockField, m_strClock);
}

void CSetupDlg::CentreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - rect().center());
    }
}
