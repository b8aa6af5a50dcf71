#include "MultiChannelDlg.h"

#include <algorithm>
#include <string>
#include <vector>

#include "DataExchange.h"
#include "DecimalValue.h"
#include "MessageBoxSeam.h"
#include "MultiChannelIds.h"
#include "RadioLimits.h"
#include "TextFormat.h"

namespace radiosetup {

namespace {

namespace Id = MultiChannelId;

constexpr const auto& kRowIds = MultiChannelId::kRows;
static_assert(kRowIds.size() == CMultiChannelDlg::kRows);

// Rows (0-based) whose receive edits the data exchange visits, in its order.
constexpr std::array<int, CMultiChannelDlg::kRows> kRxExchangeOrder = {1, 2, 0, 4, 3,
                                                                       5, 6, 7, 8, 9};

constexpr int kLastStartChannel = CChannelFile::kChannels - CMultiChannelDlg::kRows + 1;
constexpr int kPaddedDigits = 7;  // 230 means 230.0000 MHz
constexpr int kExchangeFrequencyLimit = 2400000;

const char* FileErrorText(FileError error) {
    switch (error) {
        case FileError::DiskFull:
            return "在存取 %1 时磁盘已满。";
        case FileError::HardwareIo:
            return "在存取 %1 时一个硬件输入/输出错误被报告。";
        case FileError::None:
        case FileError::Other:
            break;
    }
    return "在存取 %1 时发生一个意外错误。";
}

}  // namespace

CMultiChannelDlg::CMultiChannelDlg(IRadioLink& link, CDialog* parent, IClock& clock)
    : CDialog(kTemplateId, parent),
      m_exchange(link, clock),
      m_channelFile(
          [this](FileError error, const std::string& path) { ShowFileError(error, path); }) {
    OnClicked(Id::kQuery, [this] { Query(); });
    OnClicked(Id::kSave, [this] { Save(); });
    OnClicked(Id::kSet, [this] { Set(); });
    OnTextChanged(Id::kStartChannel, [this] { ReloadWindow(); });
    PrepareChannelFile();
}

void CMultiChannelDlg::OnInitDialog() {
    UpdateData(false);
}

void CMultiChannelDlg::OnOK() {
    if (UpdateData(true)) {
        EndDialog(kIdOk);
    }
}

bool CMultiChannelDlg::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

void CMultiChannelDlg::DoDataExchange(CDataExchange& exchange) {
    for (int row : kRxExchangeOrder) {
        exchange.Integer(kRowIds[row].rx, m_nRxFreq[row], 0, kExchangeFrequencyLimit);
    }
    for (int row = 0; row < kRows; ++row) {
        exchange.Integer(kRowIds[row].tx, m_nTxFreq[row], 0, kExchangeFrequencyLimit);
    }
    exchange.Text(Id::kStatus, m_strStatus);
    exchange.Integer(Id::kStartChannel, m_nStartChannel, 1, CChannelFile::kChannels);
    exchange.Integer(Id::kChannelCount, m_nChannelCount, 1, kRows);
}

void CMultiChannelDlg::Query() {
    ReadWindowFields();
    ShowProgress("正在查询......");
    const auto channels = m_exchange.QueryChannels(m_nStartChannel, m_nChannelCount);
    if (!channels) {
        ShowProgress("查询失败");
        return;
    }
    std::copy(channels->begin(), channels->end(), m_aStaged.begin());
    UnstageRows();
    UpdateData(false);
    ShowProgress("查询成功");
}

void CMultiChannelDlg::Save() {
    CollectRows();
    if (!ValidateRows()) {
        return;
    }
    RepaintWindow();
    StoreChannelBlock();
}

void CMultiChannelDlg::Set() {
    CollectRows();
    if (!ValidateRows()) {
        return;
    }
    ShowProgress("正在设置中......");
    ClampStoredWindow();
    StageRows();
    const std::vector<ChannelFreqPair> rows(m_aStaged.begin(), m_aStaged.begin() + m_nChannelCount);
    const bool allAccepted =
        m_exchange.SetChannels(m_nStartChannel, rows) == ReplyVerdict::Accepted;
    ShowProgress(allAccepted ? "设置成功" : "设置失败");
}

void CMultiChannelDlg::ReloadWindow() {
    ReadWindowFields();
    if (!LoadChannelBlock(m_nStartChannel, kRows)) {
        return;
    }
    ShowChannelCaptions();
    ShowRowValues();
}

void CMultiChannelDlg::CollectRows() {
    auto collect = [this](int id, int& value) {
        const std::string padded = PadRight(GetText(id), kPaddedDigits, '0');
        SetText(id, padded);
        value = DecimalValue(padded);
    };
    for (int row = 0; row < kRows; ++row) {
        collect(kRowIds[row].rx, m_nRxFreq[row]);
    }
    for (int row = 0; row < kRows; ++row) {
        collect(kRowIds[row].tx, m_nTxFreq[row]);
    }
}

bool CMultiChannelDlg::ValidateRows() {
    auto refuses = [this](int id, int value) {
        if (value >= kLowestFrequency && value <= kHighestFrequency) {
            return false;
        }
        ShowMessageBox(this, kFrequencyRangeMessage);
        FocusItem(id);
        return true;
    };
    for (int row = 0; row < kRows; ++row) {
        if (refuses(kRowIds[row].rx, m_nRxFreq[row]) || refuses(kRowIds[row].tx, m_nTxFreq[row])) {
            return false;
        }
    }
    return true;
}

void CMultiChannelDlg::StageRows() {
    for (int row = 0; row < kRows; ++row) {
        m_aStaged[row] = {m_nRxFreq[row], m_nTxFreq[row]};
    }
}

void CMultiChannelDlg::UnstageRows() {
    for (int row = 0; row < kRows; ++row) {
        m_nRxFreq[row] = m_aStaged[row].rxFreq;
        m_nTxFreq[row] = m_aStaged[row].txFreq;
    }
}

void CMultiChannelDlg::ReadWindowFields() {
    m_nStartChannel = DecimalValue(GetText(Id::kStartChannel));
    m_nChannelCount = DecimalValue(GetText(Id::kChannelCount));
    ClampStoredWindow();
}

void CMultiChannelDlg::ClampStoredWindow() {
    m_nStartChannel = std::clamp(m_nStartChannel, 1, kLastStartChannel);
    m_nChannelCount = std::clamp(m_nChannelCount, 1, kRows);
}

void CMultiChannelDlg::ShowChannelCaptions() {
    for (int row = 0; row < kRows; ++row) {
        SetText(kRowIds[row].group, FormatText("信道%1", {std::to_string(m_nStartChannel + row)}));
    }
}

void CMultiChannelDlg::ShowRowValues() {
    for (int row = 0; row < kRows; ++row) {
        SetText(kRowIds[row].rx, std::to_string(m_nRxFreq[row]));
        SetText(kRowIds[row].tx, std::to_string(m_nTxFreq[row]));
    }
}

void CMultiChannelDlg::PrepareChannelFile() {
    if (m_channelFile.OpenForReading()) {
        if (!m_channelFile.Close()) {
            return;
        }
    } else {
        if (!m_channelFile.Create()) {
            ShowStatus("初始化失败");
            return;
        }
        const ChannelFreqPair defaults{CChannelFile::kDefaultFrequency,
                                       CChannelFile::kDefaultFrequency};
        for (int channel = 1; channel <= CChannelFile::kChannels; ++channel) {
            if (!m_channelFile.WriteRecord(defaults)) {
                return;
            }
        }
        if (!m_channelFile.Close()) {
            return;
        }
    }
    LoadChannelBlock(1, kRows);
}

// False only when an error inside the open file abandoned the load; a file that cannot
// be opened shows its text and leaves staging and rows as they were.
bool CMultiChannelDlg::LoadChannelBlock(int start, int count) {
    start = std::clamp(start, 1, kLastStartChannel);
    count = std::clamp(count, 1, kRows);
    if (!m_channelFile.OpenForReading()) {
        ShowStatus("显示失败");
        return true;
    }
    if (start > 1 && !m_channelFile.SeekToChannel(start)) {
        return false;
    }
    for (int row = 0; row < count; ++row) {
        if (!m_channelFile.ReadRecord(m_aStaged[row])) {
            return false;
        }
    }
    if (!m_channelFile.Close()) {
        return false;
    }
    UnstageRows();
    return true;
}

void CMultiChannelDlg::StoreChannelBlock() {
    if (!m_channelFile.OpenForWriting()) {
        ShowStatus("保存数据失败");
        return;
    }
    ClampStoredWindow();
    StageRows();
    if (m_nStartChannel != 1 && !m_channelFile.SeekToChannel(m_nStartChannel)) {
        return;
    }
    for (int row = 0; row < m_nChannelCount; ++row) {
        if (!m_channelFile.WriteRecord(m_aStaged[row])) {
            return;
        }
    }
    if (!m_channelFile.Close()) {
        return;
    }
    ShowStatus("保存数据成功");
}

void CMultiChannelDlg::ShowStatus(const std::string& text) {
    m_strStatus = text;
    SetText(Id::kStatus, m_strStatus);
}

void CMultiChannelDlg::ShowProgress(const std::string& text) {
    SetText(Id::kStatus, text);
    RepaintItem(Id::kStatus);
}

void CMultiChannelDlg::ShowFileError(FileError error, const std::string& path) {
    ShowMessageBox(this, FormatText(FileErrorText(error), {path}), ApplicationTitle(),
                   MsgIcon::Stop);
}

}  // namespace radiosetup
