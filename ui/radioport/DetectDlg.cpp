#include "DetectDlg.h"

#include <optional>

#include "MessageBoxSeam.h"
#include "PortSettingsStore.h"
#include "RadioPortIds.h"
#include "RadioSearch.h"
#include "TextFormat.h"

namespace radiosetup {

namespace {

namespace Id = DetectId;

constexpr int kFoundExitCode = 100;
constexpr int kNotFoundExitCode = 0;

}  // namespace

int DetectThreadProc(int startPort, const RadioLinks& links, CDetectDlg* dialog) {
    const auto tell = [dialog](DetectProgress::Kind kind, const PcPortSettings& settings) {
        dialog->Post(DetectProgress{kind, settings});
    };
    const std::optional<PcPortSettings> found = SearchForRadio(
        startPort, links.openProbe, links.clock,
        [&](const PcPortSettings& tried) { tell(DetectProgress::Kind::Trying, tried); });
    const PcPortSettings stored = found.value_or(PcPortSettings());
    SavePortSettings(stored.m_nPortNumber, stored.m_nParity, stored.m_nBaudRate);
    tell(found ? DetectProgress::Kind::Found : DetectProgress::Kind::NothingAnswered, stored);
    return found ? kFoundExitCode : kNotFoundExitCode;
}

CDetectDlg::CDetectDlg(int startPort, const RadioLinks& links, CDialog* parent)
    : CDialog(kTemplateId, parent), m_nStartPort(startPort), m_links(links) {
    MakeHiddenFocusTarget(Id::kFocusSink);
}

CDetectDlg::~CDetectDlg() {
    WaitForWorkerExit();
}

void CDetectDlg::Post(const DetectProgress& progress) {
    PostToWindow(WM_DETECT_STATUS, [this, progress] {
        // Once the dialog has ended, what the worker posted while it was awaited is dropped.
        if (!IsEnded()) {
            OnDetectStatus(progress);
        }
    });
}

void CDetectDlg::OnInitDialog() {
    // The worker must not show the store's failure box itself: it reaches the user
    // through the dialog, ahead of the result.
    m_storeFailureReporter = SetPortSettingsFailureReporter([this] {
        Post(DetectProgress{DetectProgress::Kind::StoreFailed, {}});
    });
    m_hDetectThread = std::thread([this] { DetectThreadProc(m_nStartPort, m_links, this); });
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

void CDetectDlg::OnDetectStatus(const DetectProgress& progress) {
    switch (progress.kind) {
        case DetectProgress::Kind::Trying:
            ShowProgress(progress.settings);
            break;
        case DetectProgress::Kind::Found:
            ShowMessageBox(this, "检测成功");
            OnOK();
            break;
        case DetectProgress::Kind::NothingAnswered:
            ShowMessageBox(this, "无法和设备取得联系，无法更改通信模式");
            OnCancel();
            break;
        case DetectProgress::Kind::StoreFailed:
            if (m_storeFailureReporter) {
                m_storeFailureReporter();
            }
            break;
    }
}

void CDetectDlg::ShowProgress(const PcPortSettings& tried) {
    const char* format = tried.m_nParity == kParityNone ? "正在检查 Port%1 Band %2 无校验......"
                         : tried.m_nParity == kParityOdd ? "正在检查 Port%1 Band %2 奇校验......"
                                                         : "正在检查 Port%1 Band %2 偶校验......";
    SetText(Id::kProgress, FormatText(format, {std::to_string(tried.m_nPortNumber),
                                               std::to_string(tried.m_nBaudRate)}));
    FocusItem(Id::kFocusSink);
}

}  // namespace radiosetup
