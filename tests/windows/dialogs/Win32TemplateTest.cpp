#include "Win32DialogTemplate.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "TestNamespaces.h"

namespace {

INT_PTR CALLBACK FinishingProc(HWND window, UINT message, WPARAM, LPARAM parameter) {
    if (message == WM_INITDIALOG) {
        FinishWin32Dialog(window, *reinterpret_cast<const DialogTemplate*>(parameter));
        return TRUE;
    }
    return FALSE;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The control's place in the dialog's client area, in pixels.
RECT PlaceOf(HWND dialog, HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The trackbars' class is registered by the dialog driver linked in.
class Win32Template : public ::testing::TestWithParam<int> {};

// Every control stands where its template puts it, in the template's dialog units, with
// its text; lists hold their items; labels placed by their corner are as wide as their text;
// pictures fill their places.
TEST_P(Win32Template, BuildsTheDialogAsTheTemplateDescribesIt) {
    const DialogTemplate dialog = DialogTemplate::Load(GetParam());
    ASSERT_TRUE(dialog.faults.empty());
    const std::vector<WORD> words = BuildWin32DialogTemplate(dialog);
    const HWND window = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), nullptr,
        FinishingProc, reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(window, nullptr) << "error " << GetLastError();
    EXPECT_EQ(TextOf(window), Utf16(dialog.caption));

    HWND child = GetWindow(window, GW_CHILD);
    for (const ControlTemplate& control : dialog.controls) {
        SCOPED_TRACE(control.kind + " " + std::to_string(control.id) + " " + control.text);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), control.id == -1 ? 0xFFFF : control.id);
        // Windows maps the corner and the size each on its own.
        RECT corner{control.rect.x, control.rect.y, 0, 0};
        RECT size{0, 0, control.rect.width, control.rect.height};
        MapDialogRect(window, &corner);
        MapDialogRect(window, &size);
        const RECT place = PlaceOf(window, child);
        EXPECT_EQ(place.left, corner.left);
        EXPECT_EQ(place.top, corner.top);
        if (control.kind == "static" && control.rect.width == 0) {
            EXPECT_GT(place.right - place.left, 0);
        } else if (control.kind == "picture" && control.bitmap != 0) {
            // Its bitmap fills the place, whatever the resolution and the font.
            BITMAP shown{};
            GetObjectW(
                reinterpret_cast<HBITMAP>(SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                sizeof(shown), &shown);
            EXPECT_EQ(shown.bmWidth, size.right);
            EXPECT_EQ(shown.bmHeight, size.bottom);
        } else if (control.kind != "picture") {
            EXPECT_EQ(place.right - place.left, size.right);
        }
        if (control.kind == "droplist") {
            EXPECT_EQ(SendMessageW(child, CB_GETCOUNT, 0, 0),
                      static_cast<LRESULT>(control.items.size()));
        } else if (control.kind != "picture" && control.kind != "trackbar") {
            EXPECT_EQ(TextOf(child), Utf16(control.text));
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, Win32Template,
                         ::testing::Values(100, 102, 129, 145, 147, 149));

}  // namespace
