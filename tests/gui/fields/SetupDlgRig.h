#pragma once

#include <gtest/gtest.h>

#include <cstddef>

#include "RecordedMessageBoxes.h"
#include "SetupDlg.h"
#include "SetupDlgIds.h"
#include "TestNamespaces.h"
#include "TestSupport.h"
#include "VirtualLinks.h"

namespace Ctl = SetupId;

// Readable QStrings in test failures.
void PrintTo(const QString& text, std::ostream* out);

// The main window, shown and active, talking to a simulated radio on COM1 in virtual
// time, with a private settings folder. Start-up (connect and query) is over when the
// constructor returns, and its frames and message boxes are set aside.
class CSetupDlgRig {
public:
    explicit CSetupDlgRig(const SimRadioState& radioState = SimRadioState());

    // Runs the window in virtual time until no operation is left; false after the limit.
    bool WaitUntilDone(int limitMs = 8000);
    // How many frames the radio received since the last call.
    std::size_t TakeFrameCount();
    // The message boxes shown since the last call.
    QVector<MessageBoxRequest> TakeBoxes();

    // Mouse and key events, as the operator gives them.
    void Click(int id);
    void TypeInto(int id, const QString& text);
    // Drags a slider's handle with the mouse to one end of its track and lets go there.
    void DragSliderToEnd(int id, bool rightEnd);
    // Presses and releases the mouse on a slider's handle without moving it.
    void ClickSliderHandle(int id);
    void PressKey(int id, Qt::Key key, int times = 1);
    int SliderPos(int id) const { return dlg.GetSliderPos(id); }

    QString Text(int id) const { return QString::fromStdString(dlg.GetText(id)); }
    bool Checked(int id) const { return dlg.IsChecked(id); }
    const CParameterSet& Params() { return dlg.Params(); }
    bool Busy() { return dlg.Engine().State() == COperationEngine::EngineState::Awaiting; }

    // Exactly one box since the last look, with the program's title, this text and icon.
    ::testing::AssertionResult ShowedOneBox(const QString& text, MsgIcon icon = MsgIcon::None);
    // The "正在接收数据" box of a refused operation.
    ::testing::AssertionResult ShowedBusyBox();
    // Clicking buttonId refuses the input: one box, the focus in focusId, nothing begun.
    ::testing::AssertionResult Refuses(int buttonId, const QString& text, int focusId,
                                       MsgIcon icon = MsgIcon::None);
    // Clicking id begins an operation that ends without a message box, with the
    // operation's name in 1047 and its result in 1048.
    ::testing::AssertionResult Performs(int id, const QString& name, const QString& result);
    // No frame has reached the radio since the last TakeFrameCount.
    bool NothingReachedRadio();

    CScopedSettingsHome home;
    CVirtualLinks links;
    CSimLink& radio;
    CRecordedMessageBoxes boxes;
    CSetupDlg dlg;

private:
    int m_nBoxesTaken = 0;
};
