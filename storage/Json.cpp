#include "Json.h"

#include <cstdint>
#include <cstdio>
#include <limits>

namespace radiosetup {

namespace {

constexpr int kMaxDepth = 64;

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

// Recursive descent over the text; the first fault ends the parse.
class CJsonParser {
public:
    CJsonParser(const std::string& text, CJsonValue::NumberFault* numberFault)
        : m_text(text), m_pNumberFault(numberFault) {}

    std::optional<CJsonValue> Document(std::string& error) {
        CJsonValue value;
        if (Value(value, 0)) {
            SkipSpace();
            if (m_nAt == m_text.size()) {
                return value;
            }
            Fail("text after the value");
        }
        error = m_strError + " at offset " + std::to_string(m_nAt);
        return std::nullopt;
    }

private:
    bool Fail(const char* what) {
        if (m_strError.empty()) {
            m_strError = what;
        }
        return false;
    }

    void SkipSpace() {
        while (m_nAt < m_text.size() && (m_text[m_nAt] == ' ' || m_text[m_nAt] == '\t' ||
                                         m_text[m_nAt] == '\n' || m_text[m_nAt] == '\r')) {
            ++m_nAt;
        }
    }

    bool Take(char expected) {
        SkipSpace();
        if (m_nAt < m_text.size() && m_text[m_nAt] == expected) {
            ++m_nAt;
            return true;
        }
        return false;
    }

    bool Word(const char* word) {
        const std::string expected(word);
        if (m_text.compare(m_nAt, expected.size(), expected) != 0) {
            return Fail("unknown word");
        }
        m_nAt += expected.size();
        return true;
    }

    bool Value(CJsonValue& value, int depth) {
        if (depth > kMaxDepth) {
            return Fail("nested too deeply");
        }
        SkipSpace();
        if (m_nAt >= m_text.size()) {
            return Fail("unexpected end");
        }
        switch (m_text[m_nAt]) {
            case '{':
                return Object(value, depth);
            case '[':
                return Array(value, depth);
            case '"':
                value.m_kind = CJsonValue::Kind::String;
                return String(value.m_strText);
            case 't':
                value.m_kind = CJsonValue::Kind::Bool;
                value.m_nNumber = 1;
                return Word("true");
            case 'f':
                value.m_kind = CJsonValue::Kind::Bool;
                return Word("false");
            case 'n':
                return Word("null");
            default:
                return Number(value);
        }
    }

    bool Object(CJsonValue& value, int depth) {
        ++m_nAt;
        value.m_kind = CJsonValue::Kind::Object;
        if (Take('}')) {
            return true;
        }
        do {
            std::string name;
            SkipSpace();
            if (m_nAt >= m_text.size() || m_text[m_nAt] != '"' || !String(name)) {
                return Fail("expected a member name");
            }
            if (!Take(':')) {
                return Fail("expected ':'");
            }
            // A second value would otherwise be parsed into the first one.
            if (value.m_members.count(name) != 0) {
                return Fail("member named twice");
            }
            m_path.push_back("." + name);
            if (!Value(value.m_members[name], depth + 1)) {
                return false;
            }
            m_path.pop_back();
        } while (Take(','));
        return Take('}') || Fail("expected ',' or '}'");
    }

    bool Array(CJsonValue& value, int depth) {
        ++m_nAt;
        value.m_kind = CJsonValue::Kind::Array;
        if (Take(']')) {
            return true;
        }
        do {
            m_path.push_back("[" + std::to_string(value.m_items.size()) + "]");
            value.m_items.emplace_back();
            if (!Value(value.m_items.back(), depth + 1)) {
                return false;
            }
            m_path.pop_back();
        } while (Take(','));
        return Take(']') || Fail("expected ',' or ']'");
    }

    bool Hex4(std::uint32_t& code) {
        if (m_nAt + 4 > m_text.size()) {
            return Fail("short \\u escape");
        }
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_nAt++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return Fail("bad \\u escape");
            }
            code = code * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    bool Escape(std::string& out) {
        const char c = m_text[m_nAt++];
        switch (c) {
            case '"':
            case '\\':
            case '/':
                out += c;
                return true;
            case 'b':
                out += '\b';
                return true;
            case 'f':
                out += '\f';
                return true;
            case 'n':
                out += '\n';
                return true;
            case 'r':
                out += '\r';
                return true;
            case 't':
                out += '\t';
                return true;
            case 'u':
                break;
            default:
                return Fail("bad escape");
        }
        std::uint32_t code = 0;
        if (!Hex4(code)) {
            return false;
        }
        if (code >= 0xD800 && code < 0xDC00) {  // a surrogate pair names one character
            std::uint32_t low = 0;
            if (m_text.compare(m_nAt, 2, "\\u") != 0 || (m_nAt += 2, !Hex4(low)) || low < 0xDC00 ||
                low > 0xDFFF) {
                return Fail("lone surrogate");
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
        return true;
    }

    bool String(std::string& out) {
        ++m_nAt;  // the opening quote
        while (m_nAt < m_text.size()) {
            const char c = m_text[m_nAt++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return Fail("control character in a string");
            }
            if (c != '\\') {
                out += c;
            } else if (m_nAt >= m_text.size() || !Escape(out)) {
                return Fail("bad escape");
            }
        }
        return Fail("unterminated string");
    }

    bool Number(CJsonValue& value) {
        const std::size_t begin = m_nAt;
        const bool negative = m_text[m_nAt] == '-';
        if (negative) {
            ++m_nAt;
        }
        const std::size_t start = m_nAt;
        long long number = 0;
        bool fits = true;
        for (; m_nAt < m_text.size() && IsDigit(m_text[m_nAt]); ++m_nAt) {
            fits = fits && number <= (std::numeric_limits<long long>::max() - 9) / 10;
            number = fits ? number * 10 + (m_text[m_nAt] - '0') : number;
        }
        if (m_nAt == start) {
            return Fail("unexpected character");
        }
        const bool digitsOnly =
            m_nAt == m_text.size() ||
            (m_text[m_nAt] != '.' && m_text[m_nAt] != 'e' && m_text[m_nAt] != 'E');
        if (!digitsOnly || !fits) {
            // The whole number as written, for a message that names it.
            while (m_nAt < m_text.size() && IsNumberPart(m_text[m_nAt])) {
                ++m_nAt;
            }
            if (m_pNumberFault != nullptr && m_strError.empty()) {
                std::string key;
                for (const std::string& step : m_path) {
                    key += step;
                }
                *m_pNumberFault = {key.empty() || key[0] != '.' ? key : key.substr(1),
                                   m_text.substr(begin, m_nAt - begin), digitsOnly};
            }
            return Fail(digitsOnly ? "number too large" : "only whole numbers are taken");
        }
        value.m_kind = CJsonValue::Kind::Number;
        value.m_nNumber = negative ? -number : number;
        return true;
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static bool IsNumberPart(char c) {
        return IsDigit(c) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
    }

    const std::string& m_text;
    CJsonValue::NumberFault* m_pNumberFault;
    std::vector<std::string> m_path;  // ".name" and "[index]" down to the value read
    std::size_t m_nAt = 0;
    std::string m_strError;
};

std::optional<CJsonValue> CJsonValue::Parse(const std::string& text, std::string& error,
                                            NumberFault* numberFault) {
    return CJsonParser(text, numberFault).Document(error);
}

long long CJsonValue::Int(long long fallback) const {
    return m_kind == Kind::Number ? m_nNumber : fallback;
}

bool CJsonValue::Bool(bool fallback) const {
    return m_kind == Kind::Bool ? m_nNumber != 0 : fallback;
}

const std::string& CJsonValue::String() const {
    static const std::string kEmpty;
    return m_kind == Kind::String ? m_strText : kEmpty;
}

const std::vector<CJsonValue>& CJsonValue::Array() const {
    static const std::vector<CJsonValue> kEmpty;
    return m_kind == Kind::Array ? m_items : kEmpty;
}

const CJsonValue& CJsonValue::Member(const std::string& name) const {
    static const CJsonValue kNull;
    const auto found = m_members.find(name);
    return found == m_members.end() ? kNull : found->second;
}

std::string CJsonValue::Quote(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

}  // namespace radiosetup
