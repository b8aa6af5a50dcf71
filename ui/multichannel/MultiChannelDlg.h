#pragma once

#include <array>
#include <string>

#include "ChannelFile.h"
#include "ChannelFreqPair.h"
#include "Dialog.h"
#include "MultiChannelExchange.h"

namespace radiosetup {

class CDataExchange;

// Edits the frequencies of a window of ten consecutive channels: queries them from the
// radio, sets them in the radio channel by channel, saves them in the channel file and
// reloads them from it whenever the start channel changes. It borrows the main window's
// port and talks on it synchronously; its waits block the user-interface thread.
class CMultiChannelDlg : public CDialog {
public:
    static constexpr int kTemplateId = 149;
    static constexpr int kRows = 10;

    // Prepares the channel file and loads channels 1 to 10 from it. The exchange runs
    // over link and waits on clock, both the caller's (the application's real ones).
    CMultiChannelDlg(IRadioLink& link, CDialog* parent, IClock& clock);

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    bool UpdateData(bool saveAndValidate);
    void DoDataExchange(CDataExchange& exchange);

    void Query();
    void Save();
    void Set();
    void ReloadWindow();

    void CollectRows();
    bool ValidateRows();
    void StageRows();
    void UnstageRows();
    void ReadWindowFields();
    void ClampStoredWindow();
    void ShowChannelCaptions();
    void ShowRowValues();

    void PrepareChannelFile();
    bool LoadChannelBlock(int start, int count);
    void StoreChannelBlock();

    // Save and file texts go through m_strStatus; set and query texts go straight to
    // the field, painted at once because the waits that follow block painting.
    void ShowStatus(const std::string& text);
    void ShowProgress(const std::string& text);
    // An error inside the open channel file: a stop box naming the file.
    void ShowFileError(FileError error, const std::string& path);

    CMultiChannelExchange m_exchange;
    std::array<int, kRows> m_nRxFreq{};
    std::array<int, kRows> m_nTxFreq{};
    std::array<ChannelFreqPair, kRows> m_aStaged{};
    std::string m_strStatus;
    int m_nStartChannel = 1;
    int m_nChannelCount = kRows;
    CChannelFile m_channelFile;
};

}  // namespace radiosetup
