#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace radiosetup {

// How many faults a message lists before it says how many more there are.
constexpr std::size_t kListedFaults = 20;

// A field of the user's input as a message may echo it: control characters and bytes that
// are no UTF-8 escaped as \x00, cut after 40 characters with "…", so no input can upset the
// terminal or flood it.
std::string Echoed(std::string_view field);

// "and 5 more".
std::string MoreFaults(std::size_t count);

}  // namespace radiosetup
