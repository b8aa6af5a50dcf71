#include "Win32DialogWindow.h"

#include <commctrl.h>

#include <utility>

#include "DialogEvents.h"
#include "Win32DialogTemplate.h"

namespace radiosetup {

namespace {

constexpr int kCancelId = IDCANCEL;
constexpr WPARAM kSystemCommandMask = 0xFFF0;  // the low four bits are the system's own

CWin32DialogWindow* WindowOf(HWND window) {
    return reinterpret_cast<CWin32DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
}

}  // namespace

CWin32DialogWindow::CWin32DialogWindow(const DialogTemplate& dialog, IDialogEvents& events)
    : m_template(dialog), m_events(events), m_templateWords(BuildWin32DialogTemplate(dialog)) {}

CWin32DialogWindow::~CWin32DialogWindow() {
    if (m_hWnd != nullptr && !m_bModal) {
        DestroyWindow(m_hWnd);
    }
    if (m_hIcon != nullptr) {
        DestroyIcon(m_hIcon);
    }
}

int CWin32DialogWindow::RunModal(HWND owner) {
    m_bModal = true;
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(m_templateWords.data()),
        owner, DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    return static_cast<int>(result);
}

bool CWin32DialogWindow::ShowModeless(HWND owner) {
    m_hWnd = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(m_templateWords.data()),
        owner, DialogProc, reinterpret_cast<LPARAM>(this));
    if (m_hWnd == nullptr) {
        return false;
    }
    ShowWindow(m_hWnd, SW_SHOW);
    return true;
}

void CWin32DialogWindow::End(int result) {
    if (m_hWnd == nullptr) {
        return;
    }
    if (m_bModal) {
        EndDialog(m_hWnd, result);
    } else {
        ShowWindow(m_hWnd, SW_HIDE);
    }
}

INT_PTR CALLBACK CWin32DialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CWin32DialogWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->m_hWnd = window;
        FinishWin32Dialog(window, self->m_template);
        self->m_events.OnInitDialog();
        return TRUE;
    }
    CWin32DialogWindow* self = WindowOf(window);
    return self != nullptr ? self->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CWin32DialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommandMessage(wParam);
            return TRUE;
        case WM_HSCROLL:
            OnScroll(wParam, lParam);
            return TRUE;
        case WM_TIMER:
            m_events.OnTimer(static_cast<int>(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            if (m_systemCommands.count(static_cast<int>(wParam & kSystemCommandMask)) != 0) {
                m_events.OnSysCommand(static_cast<int>(wParam & kSystemCommandMask));
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            m_events.OnCommand(kCancelId);
            return TRUE;
        default:
            if (IsTaskMessage(message)) {
                RunPostedTasks();
                return TRUE;
            }
            return FALSE;
    }
}

// Clicks (and Enter and Esc, which the dialog manager sends as commands) and text changes.
void CWin32DialogWindow::OnCommandMessage(WPARAM wParam) {
    const int id = LOWORD(wParam);
    switch (HIWORD(wParam)) {
        case BN_CLICKED:
            m_events.OnCommand(id);
            break;
        case EN_CHANGE:
            if (!m_bSilent) {
                m_events.OnTextChanged(id);
            }
            break;
        default:
            break;
    }
}

// Only a release after the mouse moved the trackbar counts: keys wait for the next one.
void CWin32DialogWindow::OnScroll(WPARAM wParam, LPARAM lParam) {
    const HWND trackbar = reinterpret_cast<HWND>(lParam);
    if (trackbar == nullptr) {
        return;
    }
    if (LOWORD(wParam) != TB_ENDTRACK) {
        m_bSliderDragged = m_bSliderDragged || (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
        return;
    }
    if (std::exchange(m_bSliderDragged, false)) {
        m_events.OnSliderReleased(GetDlgCtrlID(trackbar));
    }
}

void CWin32DialogWindow::PostToWindow(UINT message, std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(m_postedMutex);
        m_posted.push_back(std::move(task));
        m_taskMessages.insert(message);
    }
    PostMessageW(m_hWnd, message, 0, 0);
}

// Any message a task was posted under runs every queued task, in the order posted.
bool CWin32DialogWindow::IsTaskMessage(UINT message) {
    std::lock_guard<std::mutex> lock(m_postedMutex);
    return m_taskMessages.count(message) != 0;
}

void CWin32DialogWindow::RunPostedTasks() {
    std::vector<std::function<void()>> tasks;
    {
        std::lock_guard<std::mutex> lock(m_postedMutex);
        tasks.swap(m_posted);
    }
    for (const auto& task : tasks) {
        task();
    }
}

HWND CWin32DialogWindow::Item(int id) const {
    return GetDlgItem(m_hWnd, id);
}

std::string CWin32DialogWindow::GetText(int id) const {
    const HWND item = Item(id);
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), length + 1)));
    return Utf8(text);
}

void CWin32DialogWindow::SetText(int id, const std::string& text) {
    SetWindowTextW(Item(id), Utf16(text).c_str());
}

void CWin32DialogWindow::SetTextSilently(int id, const std::string& text) {
    m_bSilent = true;
    SetText(id, text);
    m_bSilent = false;
}

void CWin32DialogWindow::SetTextLimit(int id, int characters) {
    SendMessageW(Item(id), EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void CWin32DialogWindow::SelectAllText(int id) {
    SendMessageW(Item(id), EM_SETSEL, 0, -1);
}

bool CWin32DialogWindow::IsChecked(int id) const {
    return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void CWin32DialogWindow::SetCheck(int id, bool checked) {
    CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CWin32DialogWindow::EnableItem(int id, bool enabled) {
    EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

void CWin32DialogWindow::ShowItem(int id, bool shown) {
    ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
}

void CWin32DialogWindow::FocusItem(int id) {
    SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

void CWin32DialogWindow::RepaintItem(int id) {
    RedrawWindow(Item(id), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ShowPainted();
}

void CWin32DialogWindow::RepaintWindow() {
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ShowPainted();
}

// Wine keeps what a busy thread paints off the screen until the thread next waits for
// input (or has painted for 50 ms): a wait of no time here, as a blocking wait follows.
// On Windows it returns at once.
void CWin32DialogWindow::ShowPainted() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

// A hidden control takes no focus: shown with no area, it does and stays out of sight.
void CWin32DialogWindow::MakeHiddenFocusTarget(int id) {
    SetWindowPos(Item(id), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

void CWin32DialogWindow::SetSliderRange(int id, int minimum, int maximum) {
    SendMessageW(Item(id), TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
}

void CWin32DialogWindow::SetSliderPos(int id, int position) {
    SendMessageW(Item(id), TBM_SETPOS, TRUE, position);
}

int CWin32DialogWindow::GetSliderPos(int id) const {
    return static_cast<int>(SendMessageW(Item(id), TBM_GETPOS, 0, 0));
}

void CWin32DialogWindow::SetListSelection(int id, int index) {
    SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int CWin32DialogWindow::GetListSelection(int id) const {
    return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
}

void CWin32DialogWindow::AddListItem(int id, const std::string& text) {
    SendMessageW(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(text).c_str()));
}

void CWin32DialogWindow::SetTimer(int timerId, int periodMs) {
    ::SetTimer(m_hWnd, static_cast<UINT_PTR>(timerId), static_cast<UINT>(periodMs), nullptr);
}

void CWin32DialogWindow::KillTimer(int timerId) {
    ::KillTimer(m_hWnd, static_cast<UINT_PTR>(timerId));
}

// Our entries come after a separator, as the system menu's own entries are set apart.
HMENU CWin32DialogWindow::SystemMenu() {
    const HMENU menu = GetSystemMenu(m_hWnd, FALSE);
    if (menu != nullptr && m_systemCommands.empty() && m_systemSubmenus.empty()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    return menu;
}

void CWin32DialogWindow::AppendSystemMenuItem(int command, const std::string& text) {
    const HMENU menu = SystemMenu();
    if (menu == nullptr) {
        return;
    }
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(command), Utf16(text).c_str());
    m_systemCommands.insert(command);
}

// A choice in a submenu of the system menu arrives as WM_SYSCOMMAND too.
void CWin32DialogWindow::AppendSystemSubmenuItem(const std::string& submenu, int command,
                                                 const std::string& text, bool checked) {
    const HMENU menu = SystemMenu();
    if (menu == nullptr) {
        return;
    }
    HMENU& popup = m_systemSubmenus[submenu];
    if (popup == nullptr) {
        popup = CreatePopupMenu();
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Utf16(submenu).c_str());
    }
    AppendMenuW(popup, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED),
                static_cast<UINT_PTR>(command), Utf16(text).c_str());
    m_systemCommands.insert(command);
}

void CWin32DialogWindow::SetIcon(int iconId) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const HICON icon = static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (icon == nullptr) {
        return;
    }
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    if (m_hIcon != nullptr) {
        DestroyIcon(m_hIcon);
    }
    m_hIcon = icon;
}

void CWin32DialogWindow::CenterOnScreen() {
    RECT workArea{};
    RECT window{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    GetWindowRect(m_hWnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(m_hWnd, nullptr, workArea.left + (workArea.right - workArea.left - width) / 2,
                 workArea.top + (workArea.bottom - workArea.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace radiosetup
