#include "RadioPortDlg.h"

#include <algorithm>
#include <iterator>

#include "DetectDlg.h"
#include "LineSettingsTransaction.h"
#include "MessageBoxSeam.h"
#include "PortFailureText.h"
#include "PortNaming.h"
#include "PortSettingsStore.h"
#include "RadioPortIds.h"

namespace radiosetup {

namespace {

namespace Id = RadioPortId;

constexpr int kFallbackRate = 9600;
// The template's items are Port1 to Port9; present ports above them follow.
constexpr int kTemplatePorts = 9;

std::vector<int> ListedPorts() {
    std::vector<int> numbers;
    for (int number = 1; number <= kTemplatePorts; ++number) {
        numbers.push_back(number);
    }
    for (const int number : PresentPortNumbers()) {
        if (number > kTemplatePorts) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

int RateIndex(int baudRate) {
    const auto* const end = std::end(kLineRates);
    const auto* found = std::find(std::begin(kLineRates), end, baudRate);
    if (found == end) {
        found = std::find(std::begin(kLineRates), end, kFallbackRate);
    }
    return static_cast<int>(found - std::begin(kLineRates));
}

}  // namespace

CRadioPortDlg::CRadioPortDlg(const RadioLinks& links, PcPortSettings& mainSettings, CDialog* parent)
    : CDialog(kTemplateId, parent), m_links(links), m_mainSettings(mainSettings) {
    LoadIndices();
    OnClicked(kIdOk, [this] { OnConfirm(); });
    OnClicked(Id::kAutoDetect, [this] { OnAutoDetect(); });
}

// The whole stored numbers are checked here, not the bytes the main window keeps.
void CRadioPortDlg::LoadIndices() {
    StoredPortValues stored;
    const bool loaded = LoadStoredPortValues(stored);  // numbers new adapters first
    m_portNumbers = ListedPorts();
    if (!loaded) {
        return;  // Port1, 19200bps, none
    }
    // A kept port that is not listed (10 to 16 when absent) leaves the list unselected.
    const std::uint32_t port = stored.portNumber.value_or(0);
    const auto listed =
        std::find(m_portNumbers.begin(), m_portNumbers.end(),
                  static_cast<int>(IsKeptPortNumber(port) ? port : kDefaultPortNumber));
    m_nPortIndex =
        listed == m_portNumbers.end() ? -1 : static_cast<int>(listed - m_portNumbers.begin());
    const std::uint32_t rate = stored.baudRate.value_or(0);
    m_nRateIndex = RateIndex(IsSupportedBaudRate(rate) ? static_cast<int>(rate) : kDefaultBaudRate);
    const std::uint32_t parity = stored.parity.value_or(kParityEven + 1);
    m_nParityIndex = static_cast<int>(parity <= kParityEven ? parity : kDefaultParity);
}

int CRadioPortDlg::PortAt(int index) const {
    return index >= 0 && index < static_cast<int>(m_portNumbers.size()) ? m_portNumbers[index] : 0;
}

void CRadioPortDlg::OnInitDialog() {
    for (auto number = m_portNumbers.begin() + kTemplatePorts; number != m_portNumbers.end();
         ++number) {
        AddListItem(Id::kPortList, "Port" + std::to_string(*number));
    }
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
    // Without a selection (a stored port that is not listed) the stored port stays.
    const int listed = PortAt(m_nPortIndex);
    chosen.m_nPortNumber = listed > 0 ? static_cast<std::uint8_t>(listed) : current.m_nPortNumber;
    chosen.m_nBaudRate = kLineRates[m_nRateIndex];
    chosen.m_nParity = static_cast<std::uint8_t>(m_nParityIndex);
    return chosen;
}

void CRadioPortDlg::OnConfirm() {
    TransferSelections();
    LoadPortSettings(m_mainSettings);
    const PcPortSettings current = m_mainSettings;
    const std::string result = SendRadioLineSettings(current, ChosenSettings(current));
    ShowMessageBox(this, WithPortFailure(result, current.m_nPortNumber, m_links.port));
    m_links.port.Close();
    CDialog::OnOK();
}

std::string CRadioPortDlg::SendRadioLineSettings(const PcPortSettings& current,
                                                 const PcPortSettings& chosen) {
    // The request travels at the current settings; the chosen ones are only its content.
    // An open port would keep the line it has, so it is opened afresh.
    IPcPort& port = m_links.port;
    port.Close();
    if (!port.Open(current.m_nPortNumber, current.m_nBaudRate, current.m_nParity)) {
        return "无法打开串口";
    }
    CLineSettingsTransaction transaction(port, m_links.clock);
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
        CDetectDlg detect(PortAt(m_nPortIndex), m_links, this);
        detect.DoModal();
    }
    // Built afresh from the store, this one shows what the search stored.
    CRadioPortDlg again(m_links, m_mainSettings, ParentDialog());
    again.DoModal();
    CDialog::OnOK();
}

}  // namespace radiosetup
