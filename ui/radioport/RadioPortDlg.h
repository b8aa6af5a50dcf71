#pragma once

#include <string>
#include <vector>

#include "Dialog.h"
#include "PcPortSettings.h"
#include "RadioLinks.h"

namespace radiosetup {

// Changes the radio's own serial rate and parity, or finds the radio by auto-detection.
// Its results reach the main window only through the stored PC port settings and the
// main window's copy of them, which it is given. It talks on links.port, which the main
// window has closed for it, and leaves it closed.
class CRadioPortDlg : public CDialog {
public:
    static constexpr int kTemplateId = 145;

    CRadioPortDlg(const RadioLinks& links, PcPortSettings& mainSettings, CDialog* parent);

protected:
    void OnInitDialog() override;

private:
    void LoadIndices();
    // The port number at a list position; 0 for no selection.
    int PortAt(int index) const;
    void TransferSelections();
    void OnConfirm();
    void OnAutoDetect();
    PcPortSettings ChosenSettings(const PcPortSettings& current) const;
    // Asks the radio, at the current settings, to switch to the chosen rate and
    // parity, and stores the chosen settings when it agrees; returns the result text.
    std::string SendRadioLineSettings(const PcPortSettings& current, const PcPortSettings& chosen);

    RadioLinks m_links;
    PcPortSettings& m_mainSettings;
    std::vector<int> m_portNumbers;  // the port list's numbers, in list order
    int m_nPortIndex = 0;
    int m_nRateIndex = 0;
    int m_nParityIndex = 0;
};

}  // namespace radiosetup
