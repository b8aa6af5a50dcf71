#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace radiosetup {

// A JSON value as the dialog templates and the backups need it: objects, arrays, strings
// (UTF-8), whole numbers, true, false and null. Numbers with a fraction or exponent are
// refused, and so is an object that names a member twice.
class CJsonValue {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };

    // A number no value can hold (a fraction, an exponent, too many digits) and the path of
    // the member that holds it, as "channels[4].rx_hz".
    struct NumberFault {
        std::string key;     // empty when the fault was none of these
        std::string number;  // as written
        bool digitsOnly = false;
    };

    // The whole text as one value; nullopt, with the reason in error, when it is not one.
    // numberFault, when given, is filled for a number that ended the parse.
    static std::optional<CJsonValue> Parse(const std::string& text, std::string& error,
                                           NumberFault* numberFault = nullptr);

    // text (UTF-8) as a JSON string, quotes and escapes included.
    static std::string Quote(const std::string& text);

    Kind GetKind() const { return m_kind; }
    // Each accessor gives its fallback (or an empty value) for a value of another kind.
    long long Int(long long fallback = 0) const;
    bool Bool(bool fallback = false) const;
    const std::string& String() const;
    const std::vector<CJsonValue>& Array() const;
    // The member of that name; a null value when there is none.
    const CJsonValue& Member(const std::string& name) const;

private:
    friend class CJsonParser;

    Kind m_kind = Kind::Null;
    long long m_nNumber = 0;
    std::string m_strText;
    std::vector<CJsonValue> m_items;
    std::map<std::string, CJsonValue> m_members;
};

}  // namespace radiosetup
