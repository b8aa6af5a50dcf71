#pragma once

#include <string>

namespace radiosetup {

// The number of a port named "COMn" (any case, as the registry may hold it); 0 for any
// other name, such as a virtual port driver's own.
inline int ComPortNumber(const std::string& name) {
    constexpr std::size_t kPrefix = 3;
    constexpr int kHighest = 256;
    if (name.size() <= kPrefix || name.size() > kPrefix + 3) {
        return 0;
    }
    for (std::size_t i = 0; i < kPrefix; ++i) {
        if ((name[i] & ~0x20) != "COM"[i]) {
            return 0;
        }
    }
    int number = 0;
    for (std::size_t i = kPrefix; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return 0;
        }
        number = number * 10 + (name[i] - '0');
    }
    return number <= kHighest ? number : 0;
}

}  // namespace radiosetup
