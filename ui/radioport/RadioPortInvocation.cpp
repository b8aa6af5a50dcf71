#include "RadioPortInvocation.h"

#include "MessageBoxSeam.h"
#include "PortFailureText.h"
#include "PortSettingsStore.h"
#include "RadioPortDlg.h"

namespace radiosetup {

bool ReopenMainPort(IPcPort& mainPort, const PcPortSettings& settings, CDialog* mainWindow) {
    mainPort.Close();
    if (mainPort.Open(settings.m_nPortNumber, settings.m_nBaudRate, settings.m_nParity)) {
        return true;
    }
    ShowMessageBox(mainWindow, WithPortFailure("Open Com port failed, use another port please!",
                                               settings.m_nPortNumber, mainPort));
    return false;
}

RadioPortOutcome RunRadioPortDialog(const RadioLinks& links, PcPortSettings& mainSettings,
                                    CDialog* mainWindow) {
    // The dialog and the search open the PC port themselves.
    links.port.Close();
    CRadioPortDlg dialog(links, mainSettings, mainWindow);
    const bool cancelled = dialog.DoModal() == kIdCancel;
    LoadPortSettings(mainSettings);
    if (!ReopenMainPort(links.port, mainSettings, mainWindow)) {
        return RadioPortOutcome::OpenFailed;
    }
    return cancelled ? RadioPortOutcome::Cancelled : RadioPortOutcome::Reopened;
}

}  // namespace radiosetup
