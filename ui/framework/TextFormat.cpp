#include "TextFormat.h"

#include "Catalog.h"

namespace radiosetup {

std::string FormatText(const std::string& original, std::initializer_list<std::string> values) {
    const std::string text = Tr(original);
    std::string result;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char next = at + 1 < text.size() ? text[at + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        if (text[at] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            result += Tr(*(values.begin() + index));
            ++at;
        } else {
            result += text[at];
        }
    }
    return result;
}

namespace {

bool StartsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0u) != 0x80u;
}

}  // namespace

std::string PadRight(const std::string& text, int width, char fill) {
    int characters = 0;
    for (const char byte : text) {
        characters += StartsCharacter(byte) ? 1 : 0;
    }
    std::string padded = text;
    if (characters < width) {
        padded.append(static_cast<std::size_t>(width - characters), fill);
    }
    return padded;
}

std::string LeftCharacters(const std::string& text, int count) {
    int started = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (StartsCharacter(text[at]) && ++started > count) {
            return text.substr(0, at);
        }
    }
    return text;
}

}  // namespace radiosetup
