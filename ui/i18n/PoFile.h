#pragma once

#include <map>
#include <string>

namespace radiosetup {

// The translations of a GNU gettext .po text: msgid -> msgstr, UTF-8. The header entry
// (empty msgid), untranslated entries (empty msgstr) and fuzzy ones are left out, as
// gettext leaves them out.
std::map<std::string, std::string> ParsePoText(const std::string& poText);

}  // namespace radiosetup
