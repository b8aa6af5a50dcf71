#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "DialogEvents.h"
#include "DialogIds.h"
#include "DialogTemplate.h"
#include "Win32DialogWindow.h"

namespace radiosetup {

// A modal dialog built from a template, on the Win32 dialog manager. Dialog code
// addresses its controls by id, registers command handlers by id, runs window timers
// and ends with a result; the same API as the Qt backend's.
class CDialog {
public:
    explicit CDialog(int templateId, CDialog* parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally (through the modal seam); returns its result.
    int DoModal();
    // The real modal run: initialisation, then the message loop until EndDialog.
    int RunModalLoop();
    // Shows the dialog and initialises it without entering a modal loop.
    void ShowModeless();
    void EndDialog(int result);
    bool IsEnded() const { return m_bEnded; }

    const DialogTemplate& Template() const { return m_template; }
    CDialog* ParentDialog() const { return m_pParent; }
    HWND Handle() const { return m_window.Handle(); }

    // Texts are UTF-8.
    std::string GetText(int id) const { return m_window.GetText(id); }
    void SetText(int id, const std::string& text) { m_window.SetText(id, text); }
    void SetTextSilently(int id, const std::string& text) { m_window.SetTextSilently(id, text); }
    void SelectAllText(int id) { m_window.SelectAllText(id); }
    void SetTextLimit(int id, int characters) { m_window.SetTextLimit(id, characters); }
    bool IsChecked(int id) const { return m_window.IsChecked(id); }
    void SetCheck(int id, bool checked) { m_window.SetCheck(id, checked); }
    void EnableItem(int id, bool enabled) { m_window.EnableItem(id, enabled); }
    void ShowItem(int id, bool shown) { m_window.ShowItem(id, shown); }
    void FocusItem(int id) { m_window.FocusItem(id); }
    void RepaintItem(int id) { m_window.RepaintItem(id); }
    // Paints the whole window now, before a long wait.
    void RepaintWindow() { m_window.RepaintWindow(); }
    void SetSliderRange(int id, int minimum, int maximum) {
        m_window.SetSliderRange(id, minimum, maximum);
    }
    void SetSliderPos(int id, int position) { m_window.SetSliderPos(id, position); }
    int GetSliderPos(int id) const { return m_window.GetSliderPos(id); }
    void SetListSelection(int id, int index) { m_window.SetListSelection(id, index); }
    int GetListSelection(int id) const { return m_window.GetListSelection(id); }
    // Appends an item to a drop-down list.
    void AddListItem(int id, const std::string& text) { m_window.AddListItem(id, text); }

    void OnClicked(int id, std::function<void()> handler);
    void OnTextChanged(int id, std::function<void()> handler);
    void OnSliderReleased(int id, std::function<void()> handler);
    // Sends a command as a click on control id would.
    void SendCommand(int id);
    void PostToWindow(std::function<void()> task) { m_window.PostToWindow(std::move(task)); }
    void MakeHiddenFocusTarget(int id) { m_window.MakeHiddenFocusTarget(id); }

    void SetTimer(int timerId, int periodMs) { m_window.SetTimer(timerId, periodMs); }
    void KillTimer(int timerId) { m_window.KillTimer(timerId); }
    void AppendSystemMenuItem(int command, const std::string& text) {
        m_window.AppendSystemMenuItem(command, text);
    }
    void SetIcon(int iconId) { m_window.SetIcon(iconId); }
    void CenterOnScreen() { m_window.CenterOnScreen(); }

protected:
    virtual void OnInitDialog() {}
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); }
    virtual void OnTimer(int /*timerId*/) {}
    virtual void OnSysCommand(int /*command*/) {}

private:
    // What the window reports, handed on to the dialog.
    class CEvents : public IDialogEvents {
    public:
        explicit CEvents(CDialog& dialog) : m_dialog(dialog) {}
        void OnInitDialog() override { m_dialog.Initialise(); }
        void OnCommand(int id) override { m_dialog.SendCommand(id); }
        void OnTextChanged(int id) override { Run(m_dialog.m_textHandlers, id); }
        void OnSliderReleased(int id) override { Run(m_dialog.m_sliderHandlers, id); }
        void OnTimer(int timerId) override { m_dialog.OnTimer(timerId); }
        void OnSysCommand(int command) override { m_dialog.OnSysCommand(command); }

    private:
        static void Run(const std::map<int, std::function<void()>>& handlers, int id);
        CDialog& m_dialog;
    };

    void Initialise();
    HWND OwnerHandle() const;

    CDialog* m_pParent;
    DialogTemplate m_template;
    CEvents m_events{*this};
    mutable CWin32DialogWindow m_window;
    std::map<int, std::function<void()>> m_clickHandlers;
    std::map<int, std::function<void()>> m_textHandlers;
    std::map<int, std::function<void()>> m_sliderHandlers;
    bool m_bInitialised = false;
    bool m_bEnded = false;
};

}  // namespace radiosetup
