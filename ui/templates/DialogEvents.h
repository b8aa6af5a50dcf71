#pragma once

namespace radiosetup {

// What a dialog's window tells the dialog, whatever toolkit draws it. Every call comes on
// the window's own thread.
class IDialogEvents {
public:
    virtual void OnInitDialog() = 0;
    // A click on a button, radio button or check box; Enter (the default button's id),
    // Esc and the close box (the cancel id).
    virtual void OnCommand(int id) = 0;
    // Any change of an edit's text, typed or set by the program (but not set silently).
    virtual void OnTextChanged(int id) = 0;
    // The mouse button released over a trackbar.
    virtual void OnSliderReleased(int id) = 0;
    virtual void OnTimer(int timerId) = 0;
    // An entry the dialog added to the system menu.
    virtual void OnSysCommand(int command) = 0;

protected:
    ~IDialogEvents() = default;
};

}  // namespace radiosetup
