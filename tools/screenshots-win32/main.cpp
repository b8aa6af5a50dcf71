// screenshots-win32: every dialog as the Win32 backend builds it from its template, to
// OUTDIR/<template id>.png, for a person to look at.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "PngFile.h"
#include "Win32DialogTemplate.h"

using namespace radiosetup;

namespace {

constexpr int kTemplates[] = {100, 102, 129, 145, 147, 149};

INT_PTR CALLBACK FinishingProc(HWND window, UINT message, WPARAM, LPARAM parameter) {
    if (message == WM_INITDIALOG) {
        FinishWin32Dialog(window, *reinterpret_cast<const DialogTemplate*>(parameter));
        return TRUE;
    }
    return FALSE;
}

// Lets the dialog and its controls paint.
void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The whole window, frame included, as RGB rows.
std::vector<std::uint8_t> Capture(HWND window, int& width, int& height) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    width = bounds.right - bounds.left;
    height = bounds.bottom - bounds.top;
    const HDC windowContext = GetWindowDC(window);
    const HDC memory = CreateCompatibleDC(windowContext);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    // The window's own surface, whatever stands over it on the display.
    BitBlt(memory, 0, 0, width, height, windowContext, 0, 0, SRCCOPY);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(bits) + stride * y;
        for (int x = 0; x < width; ++x) {
            rgb.insert(rgb.end(), {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowContext);
    return rgb;
}

bool Shoot(int id, const std::string& folder) {
    const DialogTemplate dialog = DialogTemplate::Load(id);
    const std::vector<WORD> words = BuildWin32DialogTemplate(dialog);
    const HWND window = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), nullptr,
        FinishingProc, reinterpret_cast<LPARAM>(&dialog));
    if (window == nullptr) {
        std::fprintf(stderr, "screenshots-win32: dialog %d could not be built\n", id);
        return false;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    for (int round = 0; round < 5; ++round) {  // the display takes a moment to show it
        Pump();
        Sleep(50);
    }
    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> rgb = Capture(window, width, height);
    DestroyWindow(window);
    const std::string path = folder + "\\" + std::to_string(id) + ".png";
    if (!WritePng(path, width, height, rgb)) {
        std::fprintf(stderr, "screenshots-win32: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: screenshots-win32 OUTDIR\n", stderr);
        return 2;
    }
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    CreateDirectoryA(argv[1], nullptr);
    bool allShot = true;
    for (const int id : kTemplates) {
        allShot = Shoot(id, argv[1]) && allShot;
    }
    return allShot ? 0 : 1;
}
