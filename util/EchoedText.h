#pragma once

#include <string>
#include <string_view>

namespace radiosetup {

// A field of outside input as a message may echo it: control characters and bytes that
// are no UTF-8 escaped as \x00, cut after 40 characters with "…", so no input can upset the
// terminal or flood it.
std::string Echoed(std::string_view field);

}  // namespace radiosetup
