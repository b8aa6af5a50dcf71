#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "ModalSeam.h"
#include "PcPortSettings.h"
#include "TestNamespaces.h"
#include "TestSupport.h"
#include "VirtualLinks.h"

namespace radiosetup {
class CDialog;
class CDetectDlg;
}  // namespace radiosetup

// The store as the next load sees it; fields the store cannot fill keep 0.
PcPortSettings StoredSettings();
// "port/rate/parity", so that a mismatch shows all three at once.
std::string Describe(const PcPortSettings& settings);
std::string Describe(int portNumber, int baudRate, int parity);

// What the port, rate and parity lists of a radio-port dialog show.
QStringList ShownSelections(const CDialog& dialog);

// Installs a handler for nested modal runs for the object's lifetime.
class CScopedModalHandler {
public:
    explicit CScopedModalHandler(ModalHandler handler);
    ~CScopedModalHandler();
    CScopedModalHandler(const CScopedModalHandler&) = delete;
    CScopedModalHandler& operator=(const CScopedModalHandler&) = delete;

private:
    ModalHandler m_previous;
};

// Collects the texts of a detection dialog's progress field, in order.
class CProgressLog {
public:
    void Watch(CDetectDlg& dialog);
    QStringList texts;
};

// The progress text for one combination of the search.
QString ProgressText(int portNumber, int baudRate, int parity);
// The progress texts of a whole pass over one port: every rate, every parity.
QStringList PortPassTexts(int portNumber);

// A private settings home and the PC's ports in virtual time.
struct CVirtualMachine {
    // A simulated radio at a rate and parity, present as PC port portNumber.
    CSimLink& StartRadioOn(int portNumber, int baudRate, int parity);

    CScopedSettingsHome home;
    CVirtualLinks links;
};
