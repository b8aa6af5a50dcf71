#include "RadioPortDlg.h"

#include <algorithm>
#include <iterator>

#include "DetectDlg.h"
#include "LineSettingsTransaction.h"
#include "MessageBoxSeam.h"
#include "PortSettingsStore.h"
#include "RadioPortIds.h"
#include "SteadyClock.h"

namespace radiosetup {

namespace {

namespace Id = RadioPortId;

// The rate list's items, in list order.
constexpr int kListRates[] = {19200, 9600, 4800, 2400};
constexpr int kFallbackRate = 9600;

int RateIndex(int baudRate) {
    const auto* const end = std::end(kListRates);
    const auto* found = std::find(std::begin(kListRates), end, baudRate);
    if (found == end) {
        found = std::find(std::begin(kListRates), end, kFallbackRate);
    }
    return static_cast<int>(found - std::begin(kListRates));
}

}  // namespace

CRadioPortDlg::CRadioPortDlg(PcPortSettings& mainSettings, CDialog* parent)
    : CDialog(kTemplateId, parent), m_mainSettings(mainSettings) {
    LoadIndices();
    OnClicked(kIdOk, [this] { OnConfirm(); });
    OnClicked(Id::kAutoDetect, [this] { OnAutoDetect(); });
}

// The whole stored numbers are checked here, not the bytes the main window keeps.
void CRadioPortDlg::LoadIndices() {
    StoredPortValues stored;
    if (!LoadStoredPortValues(stored)) {
        return;  // Port1, 19200bps, none
    }
    const std::uint32_t port = stored.portNumber.value_or(0);
    const bool portInRange = port >= 1 && port <= kHighestPortNumber;
    m_nPortIndex = static_cast<int>(portInRange ? port : kDefaultPortNumber) - 1;
    const std::uint32_t rate = stored.baudRate.value_or(0);
    m_nRateIndex = RateIndex(IsSupportedBaudRate(rate) ? static_cast<int>(rate) : kDefaultBaudRate);
    const std::uint32_t parity = stored.parity.value_or(kParityEven + 1);
    m_nParityIndex = static_cast<int>(parity <= kParityEven ? parity : kDefaultParity);
}

void CRadioPortDlg::OnInitDialog() {
    // The port list offers Port1 to Port9 only: a higher stored port leaves it unselected.
    SetListSelection(Id::kPortList, m_nPortIndex);
    SetListSelection(Id::kRateList, m_nRateIndex);
    SetListSelection(Id::kParityList, m_nParityIndex);
}

void CRadioPortDlg::TransferSelections() {
    m_nPortIndex = GetListSelection(Id::kPortList);
    m_nRateIndex = GetListSelection(Id::kRateList);
    m_nParityIndex = GetListSelection(Id::kParityList);
}

PcPortSettings CRadioPortDlg::ChosenSettings(const PcPortSettings& current) const {
    PcPortSettings chosen;
    // Without a selection (a stored port above Port9) the stored port stays.
    chosen.m_nPortNumber =
        m_nPortIndex >= 0 ? static_cast<std::uint8_t>(m_nPortIndex + 1) : current.m_nPortNumber;
    chosen.m_nBaudRate = kListRates[m_nRateIndex];
    chosen.m_nParity = static_cast<std::uint8_t>(m_nParityIndex);
    return chosen;
}

void CRadioPortDlg::OnConfirm() {
    TransferSelections();
    LoadPortSettings(m_mainSettings);
    const PcPortSettings current = m_mainSettings;
    CSerialPort port;
    const std::string result = SendRadioLineSettings(port, current, ChosenSettings(current));
    ShowMessageBox(this, result);
    port.Close();
    CDialog::OnOK();
}

std::string CRadioPortDlg::SendRadioLineSettings(CSerialPort& port, const PcPortSettings& current,
                                                 const PcPortSettings& chosen) {
    // The request travels at the current settings; the chosen ones are only its content.
    if (!port.Open(current.m_nPortNumber, current.m_nBaudRate, current.m_nParity)) {
        return "无法打开串口";
    }
    CLineSettingsTransaction transaction(port, SteadyClock());
    const ReplyVerdict verdict = transaction.Send(chosen.m_nBaudRate, chosen.m_nParity);
    if (verdict == ReplyVerdict::Silent) {
        return "设置失败，原因读取超时２";
    }
    if (verdict != ReplyVerdict::Accepted) {
        return "写设置失败";
    }
    m_mainSettings = chosen;
    SavePortSettings(chosen.m_nPortNumber, chosen.m_nParity, chosen.m_nBaudRate);
    return "设置成功";
}

void CRadioPortDlg::OnAutoDetect() {
    TransferSelections();
    {
        CDetectDlg detect(m_nPortIndex + 1, this);
        detect.DoModal();
    }
    // Built afresh from the store, this one shows what the search stored.
    CRadioPortDlg again(m_mainSettings, ParentDialog());
    again.DoModal();
    CDialog::OnOK();
}

}  // namespace radiosetup
