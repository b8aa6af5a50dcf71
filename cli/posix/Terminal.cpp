#include <unistd.h>

#include "CommandRun.h"

namespace radiosetup {

bool ErrorStreamIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

}  // namespace radiosetup
