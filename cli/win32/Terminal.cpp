#include <io.h>
#include <windows.h>

#include <cstdio>

#include "CommandRun.h"

namespace radiosetup {

bool ErrorStreamIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

bool ErrorStreamRedraws() {
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    return GetConsoleMode(console, &mode) != 0 &&
           SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace radiosetup
