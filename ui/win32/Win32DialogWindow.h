#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "DialogEvents.h"
#include "DialogTemplate.h"

namespace radiosetup {

// The window's own message for tasks posted from other threads; a dialog may post under a
// message number of its own instead.
constexpr UINT WM_POSTED_TASK = WM_APP + 1;

// A dialog window built from a template with the Win32 dialog manager. Controls are
// addressed by id, texts are UTF-8, and what happens in the window reaches events.
class CWin32DialogWindow {
public:
    CWin32DialogWindow(const DialogTemplate& dialog, IDialogEvents& events);
    ~CWin32DialogWindow();
    CWin32DialogWindow(const CWin32DialogWindow&) = delete;
    CWin32DialogWindow& operator=(const CWin32DialogWindow&) = delete;

    // Runs the dialog modally under owner (may be null) until End; returns its result.
    int RunModal(HWND owner);
    // Creates and shows the dialog without a modal loop. False when it cannot be built.
    bool ShowModeless(HWND owner);
    void End(int result);
    HWND Handle() const { return m_hWnd; }

    std::string GetText(int id) const;
    void SetText(int id, const std::string& text);
    void SetTextSilently(int id, const std::string& text);
    void SetTextLimit(int id, int characters);
    void SelectAllText(int id);
    bool IsChecked(int id) const;
    void SetCheck(int id, bool checked);
    void EnableItem(int id, bool enabled);
    void ShowItem(int id, bool shown);
    void FocusItem(int id);
    // Paint at once and put the result on the screen, as a blocking wait may follow.
    void RepaintItem(int id);
    void RepaintWindow();
    void MakeHiddenFocusTarget(int id);
    void SetSliderRange(int id, int minimum, int maximum);
    void SetSliderPos(int id, int position);
    int GetSliderPos(int id) const;
    void SetListSelection(int id, int index);
    int GetListSelection(int id) const;
    void AddListItem(int id, const std::string& text);
    void SetTimer(int timerId, int periodMs);
    void KillTimer(int timerId);
    void AppendSystemMenuItem(int command, const std::string& text);
    void AppendSystemSubmenuItem(const std::string& submenu, int command, const std::string& text,
                                 bool checked);
    void SetIcon(int iconId);
    void CenterOnScreen();
    // Runs task on the window's thread from its message loop; callable from any thread.
    // It travels as message (a user message), by default the window's own. Tasks still
    // queued when the window goes are dropped.
    void PostToWindow(std::function<void()> task) { PostToWindow(WM_POSTED_TASK, std::move(task)); }
    void PostToWindow(UINT message, std::function<void()> task);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommandMessage(WPARAM wParam);
    void OnScroll(WPARAM wParam, LPARAM lParam);
    bool IsTaskMessage(UINT message);
    void RunPostedTasks();
    void ShowPainted();
    HWND Item(int id) const;

    const DialogTemplate& m_template;
    IDialogEvents& m_events;
    std::vector<WORD> m_templateWords;
    HWND m_hWnd = nullptr;
    bool m_bModal = false;
    bool m_bSilent = false;         // text set silently: no change event
    bool m_bSliderDragged = false;  // the mouse moved a trackbar since its last release
    HMENU SystemMenu();
    std::set<int> m_systemCommands;
    std::map<std::string, HMENU> m_systemSubmenus;
    std::mutex m_postedMutex;  // guards the two below
    std::vector<std::function<void()>> m_posted;
    std::set<UINT> m_taskMessages{WM_POSTED_TASK};
    HICON m_hIcon = nullptr;
};

}  // namespace radiosetup
