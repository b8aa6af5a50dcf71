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

namespace {

std::wstring ItemText(HWND item) {
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), length + 1)));
    return text;
}

std::vector<std::wstring> ItemTexts(HWND item, const ControlTemplate& control) {
    if (control.kind == "picture") {
        return {std::wstring()};
    }
    if (control.kind != "droplist") {
        std::wstring shown;
        const std::wstring text = ItemText(item);
        // A "&" marks a mnemonic and is not drawn; "&&" draws one.
        for (std::size_t at = 0; at < text.size(); ++at) {
            const bool mnemonic = text[at] == L'&' && !control.Has("noprefix");
            shown += mnemonic && at + 1 < text.size() ? text[++at] : text[at];
        }
        return {shown};
    }
    std::vector<std::wstring> items;
    const auto count = static_cast<int>(SendMessageW(item, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        std::wstring text(
            static_cast<std::size_t>(SendMessageW(item, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessageW(item, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back(text);
    }
    return items.empty() ? std::vector<std::wstring>{std::wstring()} : items;
}

SIZE TextExtent(HWND item, const std::wstring& text) {
    const HDC context = GetDC(item);
    const HGDIOBJ oldFont =
        SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(item, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(context, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    extent.cy = metrics.tmHeight;
    SelectObject(context, oldFont);
    ReleaseDC(item, context);
    return extent;
}

// The width the control leaves its text, as the system's controls draw it.
int TextRoom(HWND item, const ControlTemplate& control, int width) {
    const int edge = GetSystemMetrics(SM_CXEDGE);
    constexpr int kCheckSpacing = 4;  // between a box or circle and its text
    constexpr int kGroupTitleInset = 8;
    if (control.kind == "button") {
        return width - 2 * edge;
    }
    if (control.kind == "radio" || control.kind == "checkbox") {
        return width - GetSystemMetrics(SM_CXMENUCHECK) - kCheckSpacing;
    }
    if (control.kind == "groupbox") {
        return width - 2 * kGroupTitleInset;
    }
    if (control.kind == "droplist") {
        return width - GetSystemMetrics(SM_CXVSCROLL) - 2 * edge;
    }
    if (control.kind == "edit") {
        RECT format{};
        SendMessageW(item, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return format.right - format.left;
    }
    return width;
}

}  // namespace

std::vector<ShownText> ShownTexts(const CDialog& dialog) {
    std::vector<ShownText> shown;
    const std::vector<ControlTemplate>& controls = dialog.Template().controls;
    HWND item = GetWindow(dialog.Handle(), GW_CHILD);  // the controls in template order
    for (std::size_t index = 0; index < controls.size() && item != nullptr;
         ++index, item = GetWindow(item, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(item, &place);
        MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&place), 2);
        const int width = place.right - place.left;
        if (!IsWindowVisible(item) || width == 0) {
            continue;
        }
        for (const std::wstring& text : ItemTexts(item, controls[index])) {
            const SIZE extent = TextExtent(item, text);
            shown.push_back({index, Utf8(text), static_cast<int>(place.left),
                             static_cast<int>(place.top), width,
                             static_cast<int>(place.bottom - place.top),
                             TextRoom(item, controls[index], width), static_cast<int>(extent.cx),
                             static_cast<int>(extent.cy)});
        }
    }
    return shown;
}

void ChooseSystemMenuEntry(CDialog& dialog, int command) {
    SendMessageW(dialog.Handle(), WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}
