#include "DecimalValue.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace radiosetup {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int DecimalValue(const std::string& text) {
    constexpr std::int64_t kLimit = std::numeric_limits<int>::max();
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    std::int64_t magnitude = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const int digit = text[at] - '0';
        magnitude = std::min(magnitude * 10 + digit, kLimit + 1);
    }
    if (negative) {
        return static_cast<int>(-magnitude);
    }
    return static_cast<int>(magnitude > kLimit ? kLimit : magnitude);
}

}  // namespace radiosetup
