#pragma once

#include <cstdint>
#include <functional>
#include <thread>

#include "Dialog.h"

// Messages from the search worker to its dialog, numbered after the first user
// message 0x0400.
constexpr int WM_DETECT_STATUS = 0x0400 + 200;
constexpr int WM_DETECT_STORE_FAILED = WM_DETECT_STATUS + 1;

// WM_DETECT_STATUS parameters. Progress: port number in bits 8-15, parity in bits
// 0-7, the rate as second parameter. Found: the same with kDetectFoundFlag added.
// Nothing answered: both parameters kDetectNothingAnswered.
constexpr std::uint32_t kDetectFoundFlag = 0x10000;
constexpr std::uint32_t kDetectNothingAnswered = 0xFFFFFFFF;

// How long each probe waits for the radio's acknowledgement.
constexpr int kDetectProbeReplyWaitMs = 300;

// The port the search starts at: written before the worker starts, only read by it.
extern int g_nDetectStartPort;

class CDetectDlg;

// The search for the radio over PC ports, rates and parities. Stores what answered
// (or port 1, 9600, no parity) and returns 100 when a combination answered, else 0.
int DetectThreadProc(CDetectDlg* dialog);

// The small captionless window that shows the search's progress and outcome. The
// worker starts when the dialog initialises, so that every message it posts finds the
// dialog, and the dialog never ends before the worker has exited.
class CDetectDlg : public CDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 147;

    CDetectDlg(int startPort, QWidget* parent);
    ~CDetectDlg() override;

    // Queues a message for the dialog's GUI thread; safe from any thread.
    void Post(int message, std::uint32_t wParam, std::uint32_t lParam);

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnMessage(int message, std::uint32_t wParam, std::uint32_t lParam);
    void OnDetectStatus(std::uint32_t wParam, std::uint32_t lParam);
    void ShowProgress(int portNumber, int parity, int baudRate);
    void WaitForWorkerExit();

    std::thread m_hDetectThread;
    // The store's own failure report, run on the GUI thread while the worker searches.
    std::function<void()> m_storeFailureReporter;
};
