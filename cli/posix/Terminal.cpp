#include <unistd.h>

#include <cstdlib>
#include <string>

#include "CommandRun.h"

namespace radiosetup {

bool ErrorStreamIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

bool ErrorStreamRedraws() {
    const char* term = std::getenv("TERM");
    return ErrorStreamIsTerminal() && (term == nullptr || std::string(term) != "dumb");
}

}  // namespace radiosetup
