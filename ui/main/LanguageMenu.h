#pragma once

#include "Dialog.h"

namespace radiosetup {

// The main window's "Language / 语言" submenu beside About: the two languages, each named
// in itself, the one in use checked.
constexpr int kChineseCommand = 0x0020;  // system commands keep their low four bits clear
constexpr int kEnglishCommand = 0x0030;

void AppendLanguageMenu(CDialog& window);

// Carries out command when it is a language entry: stores the choice, which dialogs opened
// from then on speak, and asks for a restart for the window itself. False for other commands.
bool OnLanguageCommand(CDialog& window, int command);

}  // namespace radiosetup
