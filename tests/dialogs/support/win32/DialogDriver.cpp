#include "DialogDriver.h"

#include <windows.h>

#include <commctrl.h>

#include "Win32DialogTemplate.h"

namespace {

// The trackbars' window class, as the program's WinMain registers it.
const bool kControlClassesRegistered = [] {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    return InitCommonControlsEx(&classes) != FALSE;
}();

}  // namespace

void Click(CDialog& dialog, int id) {
    SendMessageW(GetDlgItem(dialog.Handle(), id), BM_CLICK, 0, 0);
}

// Character by character, so the edit's limit and digits-only style apply as to typing.
void Type(CDialog& dialog, int id, const std::string& text) {
    const HWND edit = GetDlgItem(dialog.Handle(), id);
    SetWindowTextW(edit, L"");
    for (const wchar_t character : Utf16(text)) {
        SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(character), 0);
    }
}

bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
    return done();
}
