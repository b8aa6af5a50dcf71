#include "DecimalValue.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace radiosetup {

namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

int DecimalValue(const QString& text) {
    constexpr std::int64_t kLimit = std::numeric_limits<int>::max();
    qsizetype at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    std::int64_t magnitude = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const int digit = text[at].unicode() - u'0';
        magnitude = std::min(magnitude * 10 + digit, kLimit + 1);
    }
    if (negative) {
        return static_cast<int>(-magnitude);
    }
    return static_cast<int>(magnitude > kLimit ? kLimit : magnitude);
}

}  // namespace radiosetup
