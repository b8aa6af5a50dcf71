// Which language the window speaks: the system's, unless the user chose one.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "LanguageChoice.h"
#include "TestSupport.h"

namespace {

using radiosetup::Language;
using radiosetup::LocaleVariables;

// What the system says, as a failure shows it, the language taken from it and the one meant.
struct SystemCase {
    std::string system;
    Language taken;
    Language meant;
};

// The locale variables, read as gettext reads them.
SystemCase Locale(const LocaleVariables& variables, Language meant) {
    return {"LC_ALL=" + variables.lcAll + " LC_MESSAGES=" + variables.lcMessages +
                " LANG=" + variables.lang + " LANGUAGE=" + variables.language,
            radiosetup::LanguageOfLocale(variables), meant};
}

// Windows' user-interface language.
SystemCase LangId(std::uint16_t langId, Language meant) {
    std::ostringstream text;
    text << "LANGID " << std::hex << langId;
    return {text.str(), radiosetup::LanguageOfLangId(langId), meant};
}

TEST(LanguageChoice, TheSystemsLanguageDecides) {
    const SystemCase cases[] = {
        Locale({"", "", "", ""}, Language::Chinese),
        Locale({"", "", "C", ""}, Language::Chinese),
        Locale({"", "", "C.UTF-8", "en"}, Language::Chinese),
        Locale({"POSIX", "", "de_DE.UTF-8", ""}, Language::Chinese),
        Locale({"", "", "zh_CN.UTF-8", ""}, Language::Chinese),
        Locale({"", "", "zh_TW.Big5", ""}, Language::Chinese),
        Locale({"", "", "en_US.UTF-8", ""}, Language::English),
        Locale({"", "", "de_DE.UTF-8", ""}, Language::English),
        Locale({"", "fr_FR.UTF-8", "zh_CN.UTF-8", ""}, Language::English),
        Locale({"zh_CN.UTF-8", "en_GB.UTF-8", "en_US.UTF-8", ""}, Language::Chinese),
        Locale({"", "", "en_US.UTF-8", "zh_CN:en"}, Language::Chinese),
        Locale({"", "", "zh_CN.UTF-8", ":de:zh"}, Language::English),
        LangId(0x0804, Language::Chinese),
        LangId(0x0404, Language::Chinese),
        LangId(0x0C04, Language::Chinese),
        LangId(0x0409, Language::English),
        LangId(0x0407, Language::English),
        LangId(0x0411, Language::English),
    };
    for (const SystemCase& c : cases) {
        EXPECT_EQ(c.taken, c.meant) << c.system;
    }
}

TEST(LanguageChoice, AStoredChoiceWinsOverTheSystemsLanguage) {
    const CScopedSettingsHome home;
    const CScopedEnv lang("LANG", "en_US.UTF-8");
    EXPECT_EQ(radiosetup::StoredLanguage(), std::nullopt);
    EXPECT_EQ(radiosetup::ChosenLanguage(), Language::English);

    ASSERT_TRUE(radiosetup::StoreLanguage(Language::Chinese));
    EXPECT_EQ(radiosetup::ChosenLanguage(), Language::Chinese);
    EXPECT_NE(home.ReadSettings().find("Language=2052"), std::string::npos) << home.ReadSettings();
}

}  // namespace
