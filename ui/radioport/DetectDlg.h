#pragma once

#include <functional>
#include <thread>

#include "Dialog.h"
#include "PcPortSettings.h"
#include "RadioLinks.h"

namespace radiosetup {

// What the search worker tells its dialog.
struct DetectProgress {
    enum class Kind {
        Trying,           // settings is the combination about to be probed
        Found,            // settings answered and is stored
        NothingAnswered,  // the default settings are stored
        StoreFailed,      // the store could not be written; its report comes first
    };
    Kind kind = Kind::Trying;
    PcPortSettings settings;
};

// The window message the search's progress travels as on Windows: the first user message
// 0x0400 plus 200.
constexpr unsigned WM_DETECT_STATUS = 0x0400 + 200;

class CDetectDlg;

// The search for the radio from startPort (see SearchForRadio) through links' probes and
// clock. Stores what answered (or port 1, 9600, no parity) and returns 100 when a
// combination answered, else 0.
int DetectThreadProc(int startPort, const RadioLinks& links, CDetectDlg* dialog);

// The small captionless window that shows the search's progress and outcome. The
// worker starts when the dialog initialises, so that every message it posts finds the
// dialog, and the dialog never ends before the worker has exited.
class CDetectDlg : public CDialog {
public:
    static constexpr int kTemplateId = 147;

    CDetectDlg(int startPort, const RadioLinks& links, CDialog* parent);
    ~CDetectDlg() override;

    // Queues WM_DETECT_STATUS for the dialog's GUI thread; safe from any thread.
    void Post(const DetectProgress& progress);

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnDetectStatus(const DetectProgress& progress);
    void ShowProgress(const PcPortSettings& tried);
    void WaitForWorkerExit();

    int m_nStartPort;
    RadioLinks m_links;
    std::thread m_hDetectThread;
    // The store's own failure report, run on the GUI thread while the worker searches.
    std::function<void()> m_storeFailureReporter;
};

}  // namespace radiosetup
