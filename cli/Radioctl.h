#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace radiosetup {

// radioctl's whole run over its arguments (without the program name); the exit status.
int RunRadioctl(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace radiosetup
