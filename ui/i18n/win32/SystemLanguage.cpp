#include <windows.h>

#include "LanguageChoice.h"

namespace radiosetup {

Language SystemLanguage() {
    return LanguageOfLangId(GetUserDefaultUILanguage());
}

}  // namespace radiosetup
