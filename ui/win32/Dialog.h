#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "DialogApi.h"
#include "DialogEvents.h"
#include "DialogTemplate.h"
#include "Win32DialogWindow.h"

namespace radiosetup {

// A modal dialog built from a template, on the Win32 dialog manager: the dialog API of
// DialogApi.h, plus the window handle that tests drive.
class CDialog : public IDialogApi {
public:
    explicit CDialog(int templateId, CDialog* parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    int DoModal() override;
    int RunModalLoop() override;
    void ShowModeless() override;
    void EndDialog(int result) override;
    bool IsEnded() const override { return m_bEnded; }

    const DialogTemplate& Template() const override { return m_template; }
    Language TextLanguage() const override { return m_language; }
    CDialog* ParentDialog() const override { return m_pParent; }
    HWND Handle() const { return m_window.Handle(); }

    std::string GetText(int id) const override { return m_window.GetText(id); }
    void SetText(int id, const std::string& text) override { m_window.SetText(id, Shown(text)); }
    void SetTextSilently(int id, const std::string& text) override {
        m_window.SetTextSilently(id, Shown(text));
    }
    void SelectAllText(int id) override { m_window.SelectAllText(id); }
    void SetTextLimit(int id, int characters) override { m_window.SetTextLimit(id, characters); }
    bool IsChecked(int id) const override { return m_window.IsChecked(id); }
    void SetCheck(int id, bool checked) override { m_window.SetCheck(id, checked); }
    void EnableItem(int id, bool enabled) override { m_window.EnableItem(id, enabled); }
    void ShowItem(int id, bool shown) override { m_window.ShowItem(id, shown); }
    void FocusItem(int id) override { m_window.FocusItem(id); }
    void RepaintItem(int id) override { m_window.RepaintItem(id); }
    void RepaintWindow() override { m_window.RepaintWindow(); }
    void SetSliderRange(int id, int minimum, int maximum) override {
        m_window.SetSliderRange(id, minimum, maximum);
    }
    void SetSliderPos(int id, int position) override { m_window.SetSliderPos(id, position); }
    int GetSliderPos(int id) const override { return m_window.GetSliderPos(id); }
    void SetListSelection(int id, int index) override { m_window.SetListSelection(id, index); }
    int GetListSelection(int id) const override { return m_window.GetListSelection(id); }
    void AddListItem(int id, const std::string& text) override {
        m_window.AddListItem(id, Shown(text));
    }

    void OnClicked(int id, std::function<void()> handler) override;
    void OnTextChanged(int id, std::function<void()> handler) override;
    void OnSliderReleased(int id, std::function<void()> handler) override;
    void SendCommand(int id) override;
    void PostToWindow(unsigned windowsMessage, std::function<void()> task) override {
        m_window.PostToWindow(windowsMessage, std::move(task));
    }
    void MakeHiddenFocusTarget(int id) override { m_window.MakeHiddenFocusTarget(id); }

    void SetTimer(int timerId, int periodMs) override { m_window.SetTimer(timerId, periodMs); }
    void KillTimer(int timerId) override { m_window.KillTimer(timerId); }
    void AppendSystemMenuItem(int command, const std::string& text) override {
        m_window.AppendSystemMenuItem(command, Shown(text));
    }
    void AppendSystemSubmenuItem(const std::string& submenu, int command, const std::string& text,
                                 bool checked) override {
        m_window.AppendSystemSubmenuItem(Shown(submenu), command, Shown(text), checked);
    }
    void SetIcon(int iconId) override { m_window.SetIcon(iconId); }
    void CenterOnScreen() override { m_window.CenterOnScreen(); }

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
    std::string Shown(const std::string& text) const { return Translate(text, m_language); }

    CDialog* m_pParent;
    Language m_language;
    DialogTemplate m_template;
    CEvents m_events{*this};
    mutable CWin32DialogWindow m_window;
    std::map<int, std::function<void()>> m_clickHandlers;
    std::map<int, std::function<void()>> m_textHandlers;
    std::map<int, std::function<void()>> m_sliderHandlers;
    bool m_bInitialised = false;
    bool m_bEnded = false;
};

// A call of the dialog API this backend lacks fails here.
static_assert(!std::is_abstract_v<CDialog>, "CDialog must implement all of IDialogApi");

}  // namespace radiosetup
