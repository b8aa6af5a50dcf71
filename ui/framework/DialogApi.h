#pragma once

#include <functional>
#include <string>

#include "DialogIds.h"
#include "DialogTemplate.h"

namespace radiosetup {

// What dialog code may call on a dialog, declared once. Each backend's CDialog (Qt in
// framework/qt/, Win32 in win32/) derives from it, so a call one backend lacks leaves that
// CDialog abstract and fails the build. Backend extras (Item, Handle, ...) stay outside.
class IDialogApi {
public:
    // Runs the dialog modally (through the modal seam); returns its result.
    virtual int DoModal() = 0;
    // The real modal run: initialisation, then the message loop until EndDialog.
    virtual int RunModalLoop() = 0;
    // Shows the dialog and initialises it without entering a modal loop.
    virtual void ShowModeless() = 0;
    virtual void EndDialog(int result) = 0;
    virtual bool IsEnded() const = 0;

    // The template in the dialog's language.
    virtual const DialogTemplate& Template() const = 0;
    // The language of every text the dialog shows: the current one when it was made.
    virtual Language TextLanguage() const = 0;
    // Each backend narrows this to its own CDialog.
    virtual IDialogApi* ParentDialog() const = 0;

    // Texts are UTF-8. A text set or added is shown in the dialog's language (through the
    // catalog), and read back as shown.
    virtual std::string GetText(int id) const = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    // Sets the text without the change notifications a typed change raises.
    virtual void SetTextSilently(int id, const std::string& text) = 0;
    virtual void SelectAllText(int id) = 0;
    virtual void SetTextLimit(int id, int characters) = 0;
    virtual bool IsChecked(int id) const = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    virtual void EnableItem(int id, bool enabled) = 0;
    virtual void ShowItem(int id, bool shown) = 0;
    virtual void FocusItem(int id) = 0;
    virtual void RepaintItem(int id) = 0;
    // Paints the whole window now, before a long wait.
    virtual void RepaintWindow() = 0;
    virtual void SetSliderRange(int id, int minimum, int maximum) = 0;
    virtual void SetSliderPos(int id, int position) = 0;
    virtual int GetSliderPos(int id) const = 0;
    virtual void SetListSelection(int id, int index) = 0;
    virtual int GetListSelection(int id) const = 0;
    // Appends an item to a drop-down list.
    virtual void AddListItem(int id, const std::string& text) = 0;

    // The command of a click (buttons, radio buttons, check boxes).
    virtual void OnClicked(int id, std::function<void()> handler) = 0;
    // Any change of an edit's text, typed or set by the program.
    virtual void OnTextChanged(int id, std::function<void()> handler) = 0;
    // The mouse button released over a trackbar.
    virtual void OnSliderReleased(int id, std::function<void()> handler) = 0;
    // Sends a command as a click on control id would.
    virtual void SendCommand(int id) = 0;
    // Runs task on the dialog's thread from its message loop; callable from any thread.
    // On Windows the task travels as windowsMessage (a user message the dialog names), so
    // a dialog keeps its own message number there; Qt only queues the call.
    virtual void PostToWindow(unsigned windowsMessage, std::function<void()> task) = 0;
    // A hidden control that can still take the focus, out of the way of the keyboard.
    virtual void MakeHiddenFocusTarget(int id) = 0;

    virtual void SetTimer(int timerId, int periodMs) = 0;
    virtual void KillTimer(int timerId) = 0;

    // An entry of the window's system menu (Qt: the dialog's context menu).
    virtual void AppendSystemMenuItem(int command, const std::string& text) = 0;
    // An entry of a submenu of the system menu, the submenu added with its first entry.
    // A checked entry shows a mark.
    virtual void AppendSystemSubmenuItem(const std::string& submenu, int command,
                                         const std::string& text, bool checked) = 0;
    // The window's icon, by resource number.
    virtual void SetIcon(int iconId) = 0;
    // Centres the window on the screen's work area.
    virtual void CenterOnScreen() = 0;

protected:
    ~IDialogApi() = default;

    // What a dialog overrides; every backend calls these on the dialog's own thread.
    virtual void OnInitDialog() {}
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); }
    virtual void OnTimer(int /*timerId*/) {}
    virtual void OnSysCommand(int /*command*/) {}
};

}  // namespace radiosetup
