#pragma once

#include "Dialog.h"

namespace radiosetup {

// The splash picture, shown for one second before the main window.
class CSplashDlg : public CDialog {
public:
    static constexpr int kTemplateId = 129;
    static constexpr int kTimerId = 1;
    static constexpr int kShowMs = 1000;
    explicit CSplashDlg(CDialog* parent = nullptr) : CDialog(kTemplateId, parent) {}

protected:
    void OnInitDialog() override { SetTimer(kTimerId, kShowMs); }
    void OnTimer(int /*timerId*/) override { OnOK(); }
};

}  // namespace radiosetup
