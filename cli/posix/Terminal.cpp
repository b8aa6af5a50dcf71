#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "CommandRun.h"

namespace radiosetup {

bool ErrorStreamIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

bool ErrorStreamRedraws(std::size_t lines) {
    const char* term = std::getenv("TERM");
    winsize size{};
    const bool fits =
        ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row == 0 || lines < size.ws_row;
    return ErrorStreamIsTerminal() && (term == nullptr || std::string(term) != "dumb") && fits;
}

}  // namespace radiosetup
