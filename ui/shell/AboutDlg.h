#pragma once

#include "Dialog.h"

namespace radiosetup {

// The About box: no behaviour of its own; every way out ends it.
class CAboutDlg : public CDialog {
public:
    static constexpr int kTemplateId = 100;
    explicit CAboutDlg(CDialog* parent = nullptr) : CDialog(kTemplateId, parent) {}
};

}  // namespace radiosetup
