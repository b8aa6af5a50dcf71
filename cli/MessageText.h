#pragma once

#include <cstddef>
#include <string>

#include "EchoedText.h"

namespace radiosetup {

// How many faults a message lists before it says how many more there are.
constexpr std::size_t kListedFaults = 20;

// "and 5 more".
std::string MoreFaults(std::size_t count);

}  // namespace radiosetup
