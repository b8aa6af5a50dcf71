#include "EchoedText.h"

#include <cstdio>

namespace radiosetup {

namespace {

constexpr std::size_t kEchoedCharacters = 40;

// The length of the UTF-8 character at the start of text; 0 when it is none or a control.
std::size_t CharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x20 || lead == 0x7F) {
        return 0;
    }
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string Echoed(std::string_view field) {
    std::string shown;
    for (std::size_t characters = 0; !field.empty(); ++characters) {
        if (characters == kEchoedCharacters) {
            return shown + "…";
        }
        const std::size_t length = CharacterLength(field);
        if (length == 0) {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\x%02x",
                          static_cast<unsigned>(static_cast<unsigned char>(field[0])));
            shown += escape;
            field.remove_prefix(1);
        } else {
            shown.append(field.substr(0, length));
            field.remove_prefix(length);
        }
    }
    return shown;
}

}  // namespace radiosetup
