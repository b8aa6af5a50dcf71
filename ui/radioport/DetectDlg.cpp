#include "DetectDlg.h"

#include <QMetaObject>
#include <algorithm>
#include <array>
#include <chrono>

#include "CommandSet.h"
#include "MessageBoxSeam.h"
#include "PortSettingsStore.h"
#include "RadioFrame.h"
#include "SerialPort.h"

int g_nDetectStartPort = 0;

namespace {

namespace Id {
constexpr int kProgress = 1060;
constexpr int kFocusSink = 1061;
}  // namespace Id

constexpr int kFoundExitCode = 100;
constexpr int kNotFoundExitCode = 0;
constexpr int kSearchRates[] = {19200, 9600, 4800, 2400};
constexpr int kSearchParities[] = {kParityNone, kParityOdd, kParityEven};
// Start ports up to this one search ports 1 and 2; a higher one is searched alone.
constexpr int kLastDefaultPort = 2;
constexpr int kProbeReadLimit = 1024;

std::uint32_t ComboParam(int portNumber, int parity) {
    return (static_cast<std::uint32_t>(portNumber & 0xFF) << 8) |
           static_cast<std::uint32_t>(parity & 0xFF);
}

// Sends the connect request carrying the combination's own line code and tells
// whether the radio acknowledged it. A port that does not open gets no probe.
bool ProbeAnswers(CSerialPort& port, int portNumber, int baudRate, int parity) {
    if (!port.Open(portNumber, baudRate, parity)) {
        return false;
    }
    const RadioPayload probe{Cmd::kConnect, LineCode(baudRate, parity), 0, 0, 0};
    SendRadioFrame(port, probe);
    std::this_thread::sleep_for(std::chrono::milliseconds(kDetectProbeReplyWaitMs));
    std::array<std::uint8_t, kProbeReadLimit> reply{};
    const int count = port.Read(reply.data(), kProbeReadLimit);
    port.Close();
    return IsAckReply(count, reply.data());
}

}  // namespace

int DetectThreadProc(CDetectDlg* dialog) {
    CSerialPort port;
    const int firstPort = g_nDetectStartPort > kLastDefaultPort ? g_nDetectStartPort : 1;
    const int lastPort = std::max(firstPort, kLastDefaultPort);
    for (int portNumber = firstPort; portNumber <= lastPort; ++portNumber) {
        for (const int baudRate : kSearchRates) {
            for (const int parity : kSearchParities) {
                const std::uint32_t combo = ComboParam(portNumber, parity);
                dialog->Post(WM_DETECT_STATUS, combo, static_cast<std::uint32_t>(baudRate));
                if (ProbeAnswers(port, portNumber, baudRate, parity)) {
                    SavePortSettings(portNumber, parity, baudRate);
                    dialog->Post(WM_DETECT_STATUS, kDetectFoundFlag | combo,
                                 static_cast<std::uint32_t>(baudRate));
                    return kFoundExitCode;
                }
            }
        }
    }
    SavePortSettings(kDefaultPortNumber, kDefaultParity, kDefaultBaudRate);
    dialog->Post(WM_DETECT_STATUS, kDetectNothingAnswered, kDetectNothingAnswered);
    return kNotFoundExitCode;
}

CDetectDlg::CDetectDlg(int startPort, QWidget* parent) : CDialog(kTemplateId, parent) {
    g_nDetectStartPort = startPort;
    // Qt gives no focus to a hidden widget, so the invisible sink is shown with no area.
    if (QWidget* sink = Item(Id::kFocusSink)) {
        sink->resize(0, 0);
        sink->show();
    }
}

CDetectDlg::~CDetectDlg() {
    WaitForWorkerExit();
}

void CDetectDlg::Post(int message, std::uint32_t wParam, std::uint32_t lParam) {
    QMetaObject::invokeMethod(
        this, [this, message, wParam, lParam] { OnMessage(message, wParam, lParam); },
        Qt::QueuedConnection);
}

void CDetectDlg::OnInitDialog() {
    // The worker must not show the store's failure box itself: it reaches the user
    // through the dialog, ahead of the result.
    m_storeFailureReporter =
        SetPortSettingsFailureReporter([this] { Post(WM_DETECT_STORE_FAILED, 0, 0); });
    m_hDetectThread = std::thread([this] { DetectThreadProc(this); });
}

void CDetectDlg::OnOK() {
    WaitForWorkerExit();
    EndDialog(kIdOk);
}

void CDetectDlg::OnCancel() {
    WaitForWorkerExit();
    EndDialog(kIdCancel);
}

void CDetectDlg::WaitForWorkerExit() {
    if (!m_hDetectThread.joinable()) {
        return;
    }
    m_hDetectThread.join();
    SetPortSettingsFailureReporter(m_storeFailureReporter);
}

void CDetectDlg::OnMessage(int message, std::uint32_t wParam, std::uint32_t lParam) {
    // Once the dialog has ended, what the worker posted while it was awaited is dropped.
    if (IsEnded()) {
        return;
    }
    if (message == WM_DETECT_STATUS) {
        OnDetectStatus(wParam, lParam);
    } else if (message == WM_DETECT_STORE_FAILED && m_storeFailureReporter) {
        m_storeFailureReporter();
    }
}

void CDetectDlg::OnDetectStatus(std::uint32_t wParam, std::uint32_t lParam) {
    if (wParam == kDetectNothingAnswered && lParam == kDetectNothingAnswered) {
        ShowMessageBox(this, QString::fromUtf8("无法和设备取得联系，无法更改通信模式"));
        OnCancel();
    } else if (((wParam >> 16) & 0xFF) != 0) {
        ShowMessageBox(this, QString::fromUtf8("检测成功"));
        OnOK();
    } else {
        ShowProgress(static_cast<int>((wParam >> 8) & 0xFF), static_cast<int>(wParam & 0xFF),
                     static_cast<int>(lParam));
    }
}

void CDetectDlg::ShowProgress(int portNumber, int parity, int baudRate) {
    const char* format = parity == kParityNone  ? "正在检查 Port%d Band %d 无校验......"
                         : parity == kParityOdd ? "正在检查 Port%d Band %d 奇校验......"
                                                : "正在检查 Port%d Band %d 偶校验......";
    SetText(Id::kProgress, QString::asprintf(format, portNumber, baudRate));
    FocusItem(Id::kFocusSink);
}
