#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Catalog.h"

namespace radiosetup {

// The locale variables gettext looks at, empty when unset.
struct LocaleVariables {
    std::string lcAll;
    std::string lcMessages;
    std::string lang;
    std::string language;  // LANGUAGE: a list of languages, ':' between them
};

// Chinese for a Chinese locale and for none (unset, C, C.UTF-8, POSIX); English for any
// other. The first of LC_ALL, LC_MESSAGES and LANG that is set decides; LANGUAGE refines
// a locale that is not C, as it does for gettext.
Language LanguageOfLocale(const LocaleVariables& variables);

// Chinese for a Windows language id whose primary language is Chinese, else English.
Language LanguageOfLangId(std::uint16_t langId);

// The system's language: the locale variables, or Windows' user interface language.
Language SystemLanguage();

// The user's choice, stored beside the port settings; none when never made (or unreadable).
std::optional<Language> StoredLanguage();
// False when the settings could not be written.
bool StoreLanguage(Language language);

// The stored choice, else the system's language.
Language ChosenLanguage();

}  // namespace radiosetup
