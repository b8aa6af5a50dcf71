#include "SettingsKey.h"

#include <limits>

#include "posix/ConfFile.h"

namespace radiosetup {

namespace {

constexpr const char* kSection = "Version3.0/SystemParam";

// Plain decimal digits only: a sign, a blank or a trailing letter make the value
// unusable rather than silently something else.
CSettingsKey::StoredValue ParseStoredNumber(const std::string& text) {
    using ValueState = CSettingsKey::ValueState;
    if (text.empty()) {
        return {ValueState::Invalid, 0};
    }
    std::uint64_t number = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return {ValueState::Invalid, 0};
        }
        number = number * 10 + static_cast<std::uint64_t>(digit - '0');
        if (number > std::numeric_limits<std::uint32_t>::max()) {
            return {ValueState::Invalid, 0};
        }
    }
    return {ValueState::Number, static_cast<std::uint32_t>(number)};
}

// The key as one section of the settings file, read on opening and saved on closing.
class CFileSettingsKey : public CSettingsKey {
public:
    explicit CFileSettingsKey(CConfFile file) : m_file(std::move(file)) {}

    StoredValue Read(const std::string& name) const override {
        const auto text = m_file.Value(kSection, name);
        if (!text) {
            return {ValueState::Absent, 0};
        }
        return ParseStoredNumber(*text);
    }

    void Write(const std::string& name, std::uint32_t value) override {
        m_file.SetValue(kSection, name, std::to_string(value));
        m_bWritten = true;
    }

    bool Close() override { return !m_bWritten || m_file.Save(); }

private:
    CConfFile m_file;
    bool m_bWritten = false;
};

}  // namespace

std::unique_ptr<CSettingsKey> CSettingsKey::OpenOrCreate() {
    CConfFile file(CConfFile::DefaultPath());
    switch (file.Load()) {
        case CConfFile::LoadResult::Loaded:
            break;
        case CConfFile::LoadResult::Missing:
            // Creating the key creates the file, even before any value is written.
            if (!file.Save()) {
                return nullptr;
            }
            break;
        case CConfFile::LoadResult::Unreadable:
            return nullptr;
    }
    return std::make_unique<CFileSettingsKey>(std::move(file));
}

}  // namespace radiosetup
