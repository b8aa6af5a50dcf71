#include "Win32DialogTemplate.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace radiosetup {

namespace {

constexpr WORD kAtomButton = 0x0080;
constexpr WORD kAtomEdit = 0x0081;
constexpr WORD kAtomStatic = 0x0082;
constexpr WORD kAtomComboBox = 0x0085;
constexpr DWORD kNoStyle = 0;

// The words of a template, DWORD-aligned where Windows needs it.
class CTemplateWriter {
public:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Short(int value) { Word(static_cast<WORD>(static_cast<short>(value))); }
    void Text(const std::string& utf8) {
        for (const wchar_t c : Utf16(utf8)) {
            Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void Ordinal(WORD value) {
        Word(0xFFFF);
        Word(value);
    }
    void AlignToDword() {
        if (m_words.size() % 2 != 0) {
            Word(0);
        }
    }
    std::vector<WORD> Words() const { return m_words; }

private:
    std::vector<WORD> m_words;
};

DWORD DialogStyle(const DialogTemplate& dialog) {
    DWORD style = DS_SETFONT | WS_POPUP;
    if (dialog.Has("modalframe")) {
        style |= DS_MODALFRAME;
    }
    if (dialog.Has("caption")) {
        style |= WS_CAPTION;
    }
    if (dialog.Has("sysmenu")) {
        style |= WS_SYSMENU;
    }
    if (dialog.Has("minimizebox")) {
        style |= WS_MINIMIZEBOX;
    }
    if (dialog.Has("thinborder")) {
        style |= WS_BORDER;
    }
    return style;
}

DWORD EditStyle(const ControlTemplate& control) {
    DWORD style = ES_LEFT;
    style |= control.Has("digits") ? ES_NUMBER : kNoStyle;
    style |= control.Has("readonly") ? ES_READONLY : kNoStyle;
    style |= control.Has("autohscroll") ? ES_AUTOHSCROLL : kNoStyle;
    style |= control.Has("borderless") ? kNoStyle : WS_BORDER;
    style |= control.Has("notab") ? kNoStyle : WS_TABSTOP;
    return style;
}

struct ItemClass {
    DWORD style;
    WORD atom;              // 0: the class is named
    const char* className;  // for classes without an atom
};

// A group box without a text is a plain frame.
ItemClass ClassOf(const ControlTemplate& control) {
    const std::string& kind = control.kind;
    if (kind == "edit") {
        return {EditStyle(control), kAtomEdit, nullptr};
    }
    if (kind == "button") {
        return {static_cast<DWORD>(control.Has("default") ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                    WS_TABSTOP,
                kAtomButton, nullptr};
    }
    if (kind == "radio") {
        return {BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kAtomButton, nullptr};
    }
    if (kind == "checkbox") {
        return {BS_AUTOCHECKBOX | WS_TABSTOP, kAtomButton, nullptr};
    }
    if (kind == "groupbox") {
        return control.text.empty() ? ItemClass{SS_ETCHEDFRAME, kAtomStatic, nullptr}
                                    : ItemClass{BS_GROUPBOX, kAtomButton, nullptr};
    }
    if (kind == "picture") {
        return {static_cast<DWORD>(control.bitmap != 0 ? SS_BITMAP : SS_ICON), kAtomStatic,
                nullptr};
    }
    if (kind == "droplist") {
        return {CBS_DROPDOWNLIST | WS_TABSTOP |
                    static_cast<DWORD>(control.Has("vscroll") ? WS_VSCROLL : kNoStyle),
                kAtomComboBox, nullptr};
    }
    if (kind == "trackbar") {
        return {TBS_HORZ | WS_TABSTOP |
                    static_cast<DWORD>(control.Has("ticksabove") ? TBS_TOP | TBS_AUTOTICKS
                                                                 : TBS_NOTICKS),
                0, "msctls_trackbar32"};
    }
    return {SS_LEFT | static_cast<DWORD>(control.Has("noprefix") ? SS_NOPREFIX : kNoStyle),
            kAtomStatic, nullptr};
}

void WriteItem(CTemplateWriter& out, const ControlTemplate& control) {
    const ItemClass itemClass = ClassOf(control);
    DWORD style = WS_CHILD | itemClass.style;
    style |= control.Has("hidden") ? kNoStyle : WS_VISIBLE;
    style |= control.Has("disabled") ? WS_DISABLED : kNoStyle;
    const bool edgedEdit = control.kind == "edit" && !control.Has("borderless");
    out.AlignToDword();
    out.Dword(style);
    out.Dword(edgedEdit ? WS_EX_CLIENTEDGE : 0);
    out.Short(control.rect.x);
    out.Short(control.rect.y);
    out.Short(control.rect.width);
    out.Short(control.rect.height);
    out.Word(static_cast<WORD>(control.id));  // -1 becomes 0xFFFF, "no identifier"
    if (itemClass.atom != 0) {
        out.Ordinal(itemClass.atom);
    } else {
        out.Text(itemClass.className);
    }
    if (control.kind == "picture") {
        out.Ordinal(static_cast<WORD>(control.bitmap != 0 ? control.bitmap : control.icon));
    } else {
        out.Text(control.text);
    }
    out.Word(0);  // no creation data
}

// A label placed by its corner only gets the size of its text in the dialog's font.
void SizeLabelToText(HWND label) {
    const int length = GetWindowTextLengthW(label);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(label, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    const HDC context = GetDC(label);
    const HGDIOBJ oldFont =
        SelectObject(context, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(context, text.c_str(), length, &extent);
    SelectObject(context, oldFont);
    ReleaseDC(label, context);
    SetWindowPos(label, nullptr, 0, 0, extent.cx, extent.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A bitmap drawn at a size, loaded once per bitmap and size and kept for the process's life.
HBITMAP BitmapAtSize(int bitmapId, SIZE size) {
    static std::map<std::tuple<int, LONG, LONG>, HBITMAP> loaded;
    HBITMAP& bitmap = loaded[{bitmapId, size.cx, size.cy}];
    if (bitmap == nullptr) {
        bitmap =
            static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId),
                                            IMAGE_BITMAP, size.cx, size.cy, 0));
    }
    return bitmap;
}

// A picture fills the place its template gives it, in dialog units: its bitmap grows with
// the resolution and the font, as every other control does.
void FitBitmapToItsPlace(HWND window, HWND picture, const ControlTemplate& control) {
    RECT place{0, 0, control.rect.width, control.rect.height};
    MapDialogRect(window, &place);
    const auto own =
        reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP natural{};
    if (own == nullptr || GetObjectW(own, sizeof(natural), &natural) == 0 || place.right <= 0 ||
        place.bottom <= 0 || (natural.bmWidth == place.right && natural.bmHeight == place.bottom)) {
        return;
    }
    const HBITMAP fitted = BitmapAtSize(control.bitmap, {place.right, place.bottom});
    if (fitted != nullptr) {
        SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fitted));
        DeleteObject(own);
    }
}

}  // namespace

std::vector<WORD> BuildWin32DialogTemplate(const DialogTemplate& dialog) {
    CTemplateWriter out;
    out.Dword(DialogStyle(dialog));
    out.Dword(0);  // extended style
    out.Word(static_cast<WORD>(dialog.controls.size()));
    out.Short(0);
    out.Short(0);
    out.Short(dialog.width);
    out.Short(dialog.height);
    out.Word(0);  // no menu
    out.Word(0);  // the standard dialog class
    out.Text(dialog.caption);
    out.Word(static_cast<WORD>(dialog.fontPoints));
    out.Text(dialog.fontFace);
    for (const ControlTemplate& control : dialog.controls) {
        WriteItem(out, control);
    }
    return out.Words();
}

void FinishWin32Dialog(HWND window, const DialogTemplate& dialog) {
    // Controls are the dialog's children in template order.
    HWND child = GetWindow(window, GW_CHILD);
    for (const ControlTemplate& control : dialog.controls) {
        if (child == nullptr) {
            break;
        }
        if (control.kind == "static" && control.rect.width == 0 && control.rect.height == 0) {
            SizeLabelToText(child);
        }
        if (control.kind == "picture" && control.bitmap != 0) {
            FitBitmapToItsPlace(window, child, control);
        }
        for (const std::string& item : control.items) {
            SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(item).c_str()));
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

}  // namespace radiosetup
