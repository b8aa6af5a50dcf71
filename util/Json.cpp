#include "Json.h"

#include <cstdint>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "EchoedText.h"

namespace radiosetup {

namespace {

constexpr std::size_t kMaxDepth = 64;
constexpr int kNumberOverflow = 406;  // the library's id for a number no double holds

bool IsWholeDigits(const std::string& number) {
    const std::size_t start = !number.empty() && number[0] == '-' ? 1 : 0;
    return number.size() > start &&
           number.find_first_not_of("0123456789", start) == std::string::npos;
}

// Builds the document from the parser's events and refuses what the library would let
// through: a member named twice (it keeps the last), fractions and exponents, numbers
// beyond 64 bits. Tracks the path down to the value read, for the fault.
class CDocumentBuilder {
public:
    using number_integer_t = JsonValue::number_integer_t;
    using number_unsigned_t = JsonValue::number_unsigned_t;
    using number_float_t = JsonValue::number_float_t;
    using string_t = JsonValue::string_t;
    using binary_t = JsonValue::binary_t;

    explicit CDocumentBuilder(JsonFault& fault) : m_fault(fault) {}

    JsonValue TakeDocument() { return std::move(m_document); }

    bool null() { return Put(nullptr); }
    bool boolean(bool value) { return Put(value); }
    bool number_integer(number_integer_t value) { return Put(value); }
    bool number_unsigned(number_unsigned_t value) {
        if (value > static_cast<number_unsigned_t>(std::numeric_limits<number_integer_t>::max())) {
            return Refuse(JsonFault::Kind::TooLarge, std::to_string(value));
        }
        return Put(static_cast<number_integer_t>(value));
    }
    bool number_float(number_float_t, const string_t& written) {
        return Refuse(
            IsWholeDigits(written) ? JsonFault::Kind::TooLarge : JsonFault::Kind::NotWhole,
            written);
    }
    bool string(string_t& value) { return Put(std::move(value)); }
    bool binary(binary_t&) { return false; }  // JSON text holds none
    bool start_object(std::size_t) { return Open(JsonValue::object()); }
    bool start_array(std::size_t) { return Open(JsonValue::array()); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(string_t& name) {
        Level& level = m_levels.back();
        level.key = name;
        if (!level.names.insert(std::move(name)).second) {
            return Refuse(JsonFault::Kind::NamedTwice, {});
        }
        return true;
    }

    bool parse_error(std::size_t position, const std::string& token,
                     const nlohmann::detail::exception& error) {
        if (error.id == kNumberOverflow) {
            return Refuse(
                IsWholeDigits(token) ? JsonFault::Kind::TooLarge : JsonFault::Kind::NotWhole,
                token);
        }
        // The library's words without its own prefix and line count, and where.
        std::string what = error.what();
        const std::size_t colon = what.find(": ");
        what = colon == std::string::npos ? what : what.substr(colon + 2);
        m_fault = {JsonFault::Kind::NotJson, {}, what + " at offset " + std::to_string(position)};
        return false;
    }

private:
    struct Level {
        JsonValue* container;
        std::string key;              // of the member being read
        std::set<std::string> names;  // the members so far, as the object's own lookup is
                                      // no help against a second one
    };

    // The value in its place: the top, the next item, the member just named.
    JsonValue& Place(JsonValue value) {
        if (m_levels.empty()) {
            return m_document = std::move(value);
        }
        JsonValue& container = *m_levels.back().container;
        if (container.is_array()) {
            container.push_back(std::move(value));
            return container.back();
        }
        return container[m_levels.back().key] = std::move(value);
    }

    bool Put(JsonValue value) {
        Place(std::move(value));
        return true;
    }

    bool Open(JsonValue empty) {
        if (m_levels.size() == kMaxDepth) {
            return Refuse(JsonFault::Kind::TooDeep, {});
        }
        m_levels.push_back({&Place(std::move(empty)), {}, {}});
        return true;
    }

    bool Close() {
        m_levels.pop_back();
        return true;
    }

    bool Refuse(JsonFault::Kind kind, std::string detail) {
        m_fault = {kind, Path(), std::move(detail)};
        return false;
    }

    // "channels[4].rx_hz": down to the value being read.
    std::string Path() const {
        std::string path;
        for (const Level& level : m_levels) {
            if (level.container->is_array()) {
                // A container being read already sits in its array; a plain value not yet.
                const bool holdsIt = &level != &m_levels.back();
                path += "[" + std::to_string(level.container->size() - (holdsIt ? 1 : 0)) + "]";
            } else {
                path += (path.empty() ? "" : ".") + level.key;
            }
        }
        return path;
    }

    JsonFault& m_fault;
    JsonValue m_document;
    std::vector<Level> m_levels;
};

bool IsFlat(const JsonDocument& value) {
    for (const JsonDocument& item : value) {
        if (item.is_structured()) {
            return false;
        }
    }
    return true;
}

std::string Scalar(const JsonDocument& value) {
    return value.dump(-1, ' ', false, JsonDocument::error_handler_t::replace);
}

std::string Key(const std::string& name) {
    return Scalar(JsonDocument(name)) + ": ";
}

void Write(const JsonDocument& value, bool inArray, const std::string& indent, std::string& out) {
    if (!value.is_structured() || value.empty()) {
        out += Scalar(value);
        return;
    }
    const bool oneLine = (inArray || value.is_array()) && IsFlat(value);
    const std::string itemIndent = oneLine ? "" : indent + "  ";
    out += value.is_object() ? "{" : "[";
    const char* separator = oneLine ? "" : "\n";
    for (auto item = value.begin(); item != value.end(); ++item) {
        out += separator + itemIndent;
        separator = oneLine ? ", " : ",\n";
        out += value.is_object() ? Key(item.key()) : "";
        Write(item.value(), value.is_array(), itemIndent, out);
    }
    out += oneLine ? "" : "\n" + indent;
    out += value.is_object() ? "}" : "]";
}

}  // namespace

std::string JsonFault::Text() const {
    const std::string where = Echoed(key) + ": ";
    const std::string shown = Echoed(detail);
    switch (kind) {
        case Kind::NotJson:
            return "not JSON: " + detail;
        case Kind::NamedTwice:
            return where + "named twice";
        case Kind::NotWhole:
            return where + "must be a whole number, not " + shown;
        case Kind::TooLarge:
            return where + shown + " is too large";
        case Kind::TooDeep:
            return where + "nested more than " + std::to_string(kMaxDepth) + " deep";
    }
    return detail;
}

std::optional<JsonValue> ParseJson(std::string_view text, JsonFault& fault) {
    CDocumentBuilder builder(fault);
    if (!JsonValue::sax_parse(text, &builder)) {
        return std::nullopt;
    }
    return builder.TakeDocument();
}

const JsonValue& JsonMember(const JsonValue& object, const std::string& name) {
    static const JsonValue kNull;
    if (!object.is_object()) {
        return kNull;
    }
    const auto found = object.find(name);
    return found == object.end() ? kNull : *found;
}

long long JsonInt(const JsonValue& value, long long fallback) {
    return value.is_number_integer() ? value.get<long long>() : fallback;
}

std::string JsonString(const JsonValue& value) {
    return value.is_string() ? value.get<std::string>() : std::string();
}

const JsonValue& JsonItems(const JsonValue& value) {
    static const JsonValue kNone = JsonValue::array();
    return value.is_array() ? value : kNone;
}

std::string JsonText(const JsonDocument& document) {
    std::string text;
    Write(document, false, "", text);
    return text + "\n";
}

}  // namespace radiosetup
