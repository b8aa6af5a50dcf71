#pragma once

#include <string>

namespace radiosetup {

// The number an edit's text stands for, read as the parameter buttons read it: leading
// blanks and one sign are skipped, digits are taken up to the first other character,
// and text without digits is 0. Values beyond the 32-bit range saturate.
int DecimalValue(const std::string& text);

}  // namespace radiosetup
