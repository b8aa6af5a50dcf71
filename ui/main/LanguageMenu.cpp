#include "LanguageMenu.h"

#include "LanguageChoice.h"
#include "MessageBoxSeam.h"

namespace radiosetup {

namespace {

constexpr const char* kLanguageMenu = "Language / 语言";
constexpr const char* kSettingsStoreError = "Open Reg Error!";
constexpr const char* kRestartForMainWindow =
    "已选择的语言在打开下一个窗口时生效；主窗口请重新启动程序。";

}  // namespace

void AppendLanguageMenu(CDialog& window) {
    const Language shown = window.TextLanguage();
    window.AppendSystemSubmenuItem(kLanguageMenu, kChineseCommand, "中文",
                                   shown == Language::Chinese);
    window.AppendSystemSubmenuItem(kLanguageMenu, kEnglishCommand, "English",
                                   shown == Language::English);
}

bool OnLanguageCommand(CDialog& window, int command) {
    if (command != kChineseCommand && command != kEnglishCommand) {
        return false;
    }
    const Language chosen = command == kChineseCommand ? Language::Chinese : Language::English;
    if (!StoreLanguage(chosen)) {
        ShowMessageBox(&window, kSettingsStoreError);
        return true;
    }
    SetCurrentLanguage(chosen);
    // Said in the chosen language: the reader may not read the window's.
    if (chosen != window.TextLanguage()) {
        ShowMessageBox(nullptr, kRestartForMainWindow);
    }
    return true;
}

}  // namespace radiosetup
