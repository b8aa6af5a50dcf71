#include <io.h>

#include <cstdio>

#include "CommandRun.h"

namespace radiosetup {

bool ErrorStreamIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

}  // namespace radiosetup
