#include "LanguageChoice.h"

#include "SettingsKey.h"

namespace radiosetup {

namespace {

// Stored as the Windows language ids of the two.
constexpr const char* kLanguageValue = "Language";
constexpr std::uint32_t kChineseLangId = 0x0804;  // zh-CN
constexpr std::uint32_t kEnglishLangId = 0x0409;  // en-US
constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;
constexpr std::uint16_t kPrimaryChinese = 0x04;

bool IsCLocale(const std::string& locale) {
    return locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
}

Language LanguageOfName(const std::string& name) {
    return name.rfind("zh", 0) == 0 ? Language::Chinese : Language::English;
}

std::string FirstOfList(const std::string& list) {
    const std::size_t start = list.find_first_not_of(':');
    return start == std::string::npos ? std::string()
                                      : list.substr(start, list.find(':', start) - start);
}

}  // namespace

Language LanguageOfLocale(const LocaleVariables& variables) {
    std::string locale = variables.lcAll;
    for (const std::string* next : {&variables.lcMessages, &variables.lang}) {
        if (locale.empty()) {
            locale = *next;
        }
    }
    if (locale.empty() || IsCLocale(locale)) {
        return Language::Chinese;
    }
    const std::string preferred = FirstOfList(variables.language);
    return LanguageOfName(preferred.empty() ? locale : preferred);
}

Language LanguageOfLangId(std::uint16_t langId) {
    return (langId & kPrimaryLanguageMask) == kPrimaryChinese ? Language::Chinese
                                                              : Language::English;
}

std::optional<Language> StoredLanguage() {
    const std::unique_ptr<CSettingsKey> key = CSettingsKey::OpenOrCreate();
    if (!key) {
        return std::nullopt;
    }
    const CSettingsKey::StoredValue stored = key->Read(kLanguageValue);
    if (stored.state != CSettingsKey::ValueState::Number) {
        return std::nullopt;
    }
    switch (stored.number) {
        case kChineseLangId:
            return Language::Chinese;
        case kEnglishLangId:
            return Language::English;
        default:
            return std::nullopt;
    }
}

bool StoreLanguage(Language language) {
    const std::unique_ptr<CSettingsKey> key = CSettingsKey::OpenOrCreate();
    if (!key) {
        return false;
    }
    key->Write(kLanguageValue, language == Language::Chinese ? kChineseLangId : kEnglishLangId);
    return key->Close();
}

Language ChosenLanguage() {
    return StoredLanguage().value_or(SystemLanguage());
}

}  // namespace radiosetup
