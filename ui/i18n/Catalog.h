#pragma once

#include <map>
#include <string>

namespace radiosetup {

// The languages the window speaks. Chinese is the program's own: its texts are the keys
// of every other language's catalog.
enum class Language { Chinese, English };

// The translations into language, built into the program from resources/translations:
// original text -> translated text, UTF-8. Empty for Chinese.
const std::map<std::string, std::string>& Catalog(Language language);

// text in language; a text without an entry (numbers, paths, names) comes back as it is.
std::string Translate(const std::string& text, Language language);

// The language of dialogs opened from now on: Chinese until the program chooses.
Language CurrentLanguage();
void SetCurrentLanguage(Language language);

// text in the current language.
inline std::string Tr(const std::string& text) {
    return Translate(text, CurrentLanguage());
}

// The .po text of a catalog, built into the program; empty when there is none.
std::string TranslationText(const std::string& languageCode);

}  // namespace radiosetup
