#include <io.h>
#include <windows.h>

#include <cstdio>

#include "CommandRun.h"

namespace radiosetup {

bool ErrorStreamIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

bool ErrorStreamRedraws(std::size_t lines) {
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    return GetConsoleMode(console, &mode) != 0 &&
           GetConsoleScreenBufferInfo(console, &screen) != 0 &&
           lines < static_cast<std::size_t>(screen.srWindow.Bottom - screen.srWindow.Top + 1) &&
           SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace radiosetup
