#pragma once

#include <iostream>
#include <string>
#include <vector>

namespace radiosetup {

// radioctl's whole run over its arguments (without the program name); the exit status.
// With --json, out gets exactly one JSON document, a failure's too; in is what "-" reads.
int RunRadioctl(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
                std::istream& in = std::cin);

}  // namespace radiosetup
