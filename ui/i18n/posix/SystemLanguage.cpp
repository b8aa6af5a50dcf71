#include <cstdlib>

#include "LanguageChoice.h"

namespace radiosetup {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

Language SystemLanguage() {
    return LanguageOfLocale(
        {Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"), Variable("LANGUAGE")});
}

}  // namespace radiosetup
