#pragma once

#include "PcPortSettings.h"
#include "RadioLinks.h"

namespace radiosetup {

class CDialog;

// What the main window still has to do after the radio-port dialog.
enum class RadioPortOutcome {
    Cancelled,   // port reopened with the stored settings; port field and radio left alone
    OpenFailed,  // the port did not reopen and the user was told; port field kept, no connect
    Reopened,    // port reopened with the stored settings: rewrite the port field, connect
};

// Closes the main window's port and opens it again with settings; when that fails the
// user is told and false returned.
bool ReopenMainPort(IPcPort& mainPort, const PcPortSettings& settings, CDialog* mainWindow);

// The main window's "更改串口设置": closes its port (links.port), runs the radio-port
// dialog with the main window's settings copy, then reloads the stored settings into that
// copy and reopens the port with them.
RadioPortOutcome RunRadioPortDialog(const RadioLinks& links, PcPortSettings& mainSettings,
                                    CDialog* mainWindow);

}  // namespace radiosetup
