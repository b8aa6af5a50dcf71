#pragma once

#include <functional>

#include "Dialog.h"
#include "MessageBoxSeam.h"
#include "OperationEngine.h"
#include "ParameterSet.h"
#include "ParameterTable.h"
#include "PcPortSettings.h"
#include "RadioLinks.h"
#include "StatusClock.h"

namespace radiosetup {

// The main window: owns the PC port the application gives it (opening, closing and
// reopening it), the PC port settings copy, the parameter set and the operation engine
// for the whole run. Every dialog it runs reaches the radio through the same links.
class CSetupDlg : public CDialog, private IEngineHost {
public:
    static constexpr int kTemplateId = 102;
    static constexpr int kEngineTimer = 27;
    static constexpr int kClockTimer = 1;
    static constexpr int kAboutCommand = 0x0010;

    explicit CSetupDlg(const RadioLinks& links, CDialog* parent = nullptr);
    ~CSetupDlg() override;

    // The common start of an operation a button begins; false when refused as busy.
    bool SendOperation(OpKind opKind, const RadioPayload& payload);
    void ShowParams() override;

    const RadioLinks& Links() const { return m_links; }
    PcPortSettings& PortSettings() { return m_portSettings; }
    CParameterSet& Params() { return m_params; }
    COperationEngine& Engine() { return m_engine; }

    // Where the clock reads the time of day (the system's local time by default).
    void SetTimeSource(std::function<CStatusClock::TimeOfDay()> source);

protected:
    void OnInitDialog() override;
    void OnOK() override {}  // Enter never ends the main window
    void OnTimer(int timerId) override;
    void OnSysCommand(int command) override;

private:
    void SetOperationText(const std::string& text) override;
    void SetResultText(const std::string& text) override;
    void ShowBusyMessage() override;

    void WriteTextMembers();
    void ApplyTextLimits();
    void OpenPortWithStoredSettings();
    void ShowPortSettings();
    void SetSliderRanges();
    void ShowLevelTexts();
    void UpdateClock();
    void ShowPair(int firstId, int secondId, bool firstChecked);
    void RunMultiChannelDialog();
    void ChangePortSettings();

    // Tables of controls that share one handler, defined with the handlers.
    struct FrequencyField;
    struct SwitchButton;
    struct ToggleBox;
    struct LevelSlider;
    using PayloadBuilder = RadioPayload (*)(const CParameterSet&);
    static const FrequencyField kRxField;
    static const FrequencyField kTxField;
    static const LevelSlider kSliders[];

    void ConnectFieldButtons();
    void ConnectSwitches();
    void ConnectAudio();

    // The parameter fields: each button validates, stores the numbers and sends.
    void OnQuery();
    void OnSetDevice();
    void OnFrequencyOk(const FrequencyField& field);
    void OnAniOk();
    void OnChannelTotalOk();
    void OnCurrentChannelOk();
    void OnTxTimeLimitOk();

    // Each Take reads an edit into its number member and checks it; on a refused value
    // it shows why, puts the focus into the edit to correct and returns false.
    bool TakeAni();
    bool TakeChannelTotal(int maxCharacters, const char* message, int focusId);
    bool TakeCurrentChannel(int maxCharacters, MsgIcon icon);
    bool TakeFrequency(const FrequencyField& field, int maxCharacters);
    void PadFrequencyText(int id);
    void ShowCurrentChannelNumber();
    int ReadValue(int id, int maxCharacters) const;
    bool Accept(bool valid, const std::string& message, int focusId, MsgIcon icon = MsgIcon::None);
    bool AcceptInRange(ParamId id, int value, int focusId);

    // Switches, check boxes, sliders and the defaults.
    void OnSwitchClicked(const SwitchButton& button);
    void OnToggleClicked(const ToggleBox& box);
    void OnLevelReleased(const LevelSlider& slider);
    void OnLoadDefaults();

    RadioLinks m_links;
    PcPortSettings m_portSettings;
    CParameterSet m_params;
    COperationEngine m_engine;
    std::string m_strClock;
    CStatusClock m_clock;
    std::function<CStatusClock::TimeOfDay()> m_timeSource;
};

}  // namespace radiosetup
