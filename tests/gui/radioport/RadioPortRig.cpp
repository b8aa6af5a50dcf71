#include "RadioPortRig.h"

#include <QComboBox>
#include <QLineEdit>

#include "DetectDlg.h"
#include "Dialog.h"
#include "PortSettingsStore.h"
#include "RadioPortIds.h"
#include "TestNamespaces.h"

namespace {

constexpr int kSearchRates[] = {19200, 9600, 4800, 2400};

}  // namespace

PcPortSettings StoredSettings() {
    PcPortSettings settings{0, 0, 0};
    LoadPortSettings(settings);
    return settings;
}

std::string Describe(int portNumber, int baudRate, int parity) {
    return std::to_string(portNumber) + "/" + std::to_string(baudRate) + "/" +
           std::to_string(parity);
}

std::string Describe(const PcPortSettings& settings) {
    return Describe(settings.m_nPortNumber, settings.m_nBaudRate, settings.m_nParity);
}

QStringList ShownSelections(const CDialog& dialog) {
    QStringList shown;
    for (const int id :
         {RadioPortId::kPortList, RadioPortId::kRateList, RadioPortId::kParityList}) {
        shown.append(qobject_cast<QComboBox*>(dialog.Item(id))->currentText());
    }
    return shown;
}

CScopedModalHandler::CScopedModalHandler(ModalHandler handler)
    : m_previous(SetModalHandler(std::move(handler))) {}

CScopedModalHandler::~CScopedModalHandler() {
    SetModalHandler(m_previous);
}

void CProgressLog::Watch(CDetectDlg& dialog) {
    QObject::connect(qobject_cast<QLineEdit*>(dialog.Item(DetectId::kProgress)),
                     &QLineEdit::textChanged, [this](const QString& text) { texts.append(text); });
}

QString ProgressText(int portNumber, int baudRate, int parity) {
    const char* parityText = parity == 0 ? "无校验" : parity == 1 ? "奇校验" : "偶校验";
    return QString::fromUtf8("正在检查 Port%1 Band %2 %3......")
        .arg(portNumber)
        .arg(baudRate)
        .arg(QString::fromUtf8(parityText));
}

QStringList PortPassTexts(int portNumber) {
    QStringList texts;
    for (const int baudRate : kSearchRates) {
        for (const int parity : {0, 1, 2}) {
            texts.append(ProgressText(portNumber, baudRate, parity));
        }
    }
    return texts;
}

CSimLink& CVirtualMachine::StartRadioOn(int portNumber, int baudRate, int parity) {
    SimRadioState state;
    state.baudRate = baudRate;
    state.parity = parity;
    return links.PlugRadio(home, portNumber, state);
}
