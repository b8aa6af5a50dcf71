#include "Catalog.h"

#include <atomic>

#include "PoFile.h"

namespace radiosetup {

namespace {

std::atomic<Language>& Current() {
    static std::atomic<Language> language{Language::Chinese};
    return language;
}

}  // namespace

const std::map<std::string, std::string>& Catalog(Language language) {
    static const std::map<std::string, std::string> kNone;
    static const std::map<std::string, std::string> kEnglish = ParsePoText(TranslationText("en"));
    return language == Language::English ? kEnglish : kNone;
}

std::string Translate(const std::string& text, Language language) {
    const auto& catalog = Catalog(language);
    const auto found = catalog.find(text);
    return found == catalog.end() ? text : found->second;
}

Language CurrentLanguage() {
    return Current().load();
}

void SetCurrentLanguage(Language language) {
    Current().store(language);
}

}  // namespace radiosetup
