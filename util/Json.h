#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace radiosetup {

// JSON as read: objects keyed in sorted order, whole numbers only.
using JsonValue = nlohmann::json;
// JSON as written: members stay in the order they were added.
using JsonDocument = nlohmann::ordered_json;

// Why a text was refused, with the path of the value at fault ("channels[4].rx_hz",
// empty for the top).
struct JsonFault {
    enum class Kind {
        NotJson,     // detail: what the parser met and where
        NamedTwice,  // the key names the member given a second time
        NotWhole,    // detail: the number as written
        TooLarge,    // detail: the number as written
        TooDeep,
    };
    Kind kind = Kind::NotJson;
    std::string key;
    std::string detail;

    // One line naming the key: "parameters.ani: must be a whole number, not 1e400";
    // "not JSON: ..." only for a text that is no JSON.
    std::string Text() const;
};

// The whole text as one value, by this program's rules: every number whole and within
// 64 bits, no object naming a member twice, nested at most 64 deep. Nullopt, with the
// fault, otherwise. Never throws.
std::optional<JsonValue> ParseJson(std::string_view text, JsonFault& fault);

// Reading without exceptions: a value of another kind gives the fallback, an absent
// member a null value, a value that is no array no items.
const JsonValue& JsonMember(const JsonValue& object, const std::string& name);
long long JsonInt(const JsonValue& value, long long fallback = 0);
std::string JsonString(const JsonValue& value);
const JsonValue& JsonItems(const JsonValue& value);

// The document as text with a two-space indent and a final newline; an array's items that
// hold plain values only (a list's rows) take one line each. Bytes that are no UTF-8 are
// replaced, so any text can be written.
std::string JsonText(const JsonDocument& document);

}  // namespace radiosetup
