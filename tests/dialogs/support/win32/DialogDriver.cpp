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

void PressOrReleaseMouse(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof(input));
    RunUntil([] { return false; }, std::chrono::milliseconds(30));
}

// Moves the real mouse pointer to a point of a window, then lets the window see it.
void MoveMouse(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    RunUntil([] { return false; }, std::chrono::milliseconds(30));
}

}  // namespace

void Click(CDialog& dialog, int id) {
    SendMessageW(GetDlgItem(dialog.Handle(), id), BM_CLICK, 0, 0);
}

// With real mouse input: the program tells a drag from keys by the state of the mouse button.
void DragSliderToEnd(CDialog& dialog, int id, bool rightEnd) {
    const HWND trackbar = GetDlgItem(dialog.Handle(), id);
    RECT thumb{};
    RECT channel{};
    SendMessageW(trackbar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageW(trackbar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const LONG gripY = (thumb.top + thumb.bottom) / 2;
    MoveMouse(trackbar, {(thumb.left + thumb.right) / 2, gripY});
    PressOrReleaseMouse(MOUSEEVENTF_LEFTDOWN);
    MoveMouse(trackbar, {rightEnd ? channel.right : channel.left, gripY});
    PressOrReleaseMouse(MOUSEEVENTF_LEFTUP);
}

// Character by character, so the edit's limit and digits-only style apply as to typing.
void Type(CDialog& dialog, int id, const std::string& text) {
    const HWND edit = GetDlgItem(dialog.Handle(), id);
    SetWindowTextW(edit, L"");
    for (const wchar_t character : Utf16(text)) {
        SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(character), 0);
    }
}

std::vector<std::string> ListItems(const CDialog& dialog, int id) {
    const HWND list = GetDlgItem(dialog.Handle(), id);
    const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)),
                          L'\0');
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        items.push_back(Utf8(text));
    }
    return items;
}

// Read back from the screen DC: what the X server holds under Wine, not the window's surface.
std::vector<std::uint32_t> ShownPixels(const CDialog& dialog, int id) {
    RECT area{};
    GetWindowRect(GetDlgItem(dialog.Handle(), id), &area);
    const LONG width = area.right - area.left;
    const LONG height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + width * height);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
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
