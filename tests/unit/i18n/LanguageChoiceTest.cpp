// Which language the window speaks: the system's, unless the user chose one.
#include <gtest/gtest.h>

#include "LanguageChoice.h"
#include "TestSupport.h"

namespace {

using radiosetup::Language;
using radiosetup::LocaleVariables;

struct LocaleCase {
    LocaleVariables variables;  // LC_ALL, LC_MESSAGES, LANG, LANGUAGE
    Language expected;
};

TEST(LanguageChoice, TheLocaleVariablesDecideAsForGettext) {
    const LocaleCase cases[] = {
        {{"", "", "", ""}, Language::Chinese},
        {{"", "", "C", ""}, Language::Chinese},
        {{"", "", "C.UTF-8", "en"}, Language::Chinese},
        {{"POSIX", "", "de_DE.UTF-8", ""}, Language::Chinese},
        {{"", "", "zh_CN.UTF-8", ""}, Language::Chinese},
        {{"", "", "zh_TW.Big5", ""}, Language::Chinese},
        {{"", "", "en_US.UTF-8", ""}, Language::English},
        {{"", "", "de_DE.UTF-8", ""}, Language::English},
        {{"", "fr_FR.UTF-8", "zh_CN.UTF-8", ""}, Language::English},
        {{"zh_CN.UTF-8", "en_GB.UTF-8", "en_US.UTF-8", ""}, Language::Chinese},
        {{"", "", "en_US.UTF-8", "zh_CN:en"}, Language::Chinese},
        {{"", "", "zh_CN.UTF-8", ":de:zh"}, Language::English},
    };
    for (const LocaleCase& c : cases) {
        EXPECT_EQ(LanguageOfLocale(c.variables), c.expected)
            << "LC_ALL=" << c.variables.lcAll << " LC_MESSAGES=" << c.variables.lcMessages
            << " LANG=" << c.variables.lang << " LANGUAGE=" << c.variables.language;
    }
}

TEST(LanguageChoice, WindowsChineseUserInterfaceLanguagesAreChinese) {
    const std::pair<std::uint16_t, Language> cases[] = {
        {0x0804, Language::Chinese}, {0x0404, Language::Chinese}, {0x0C04, Language::Chinese},
        {0x0409, Language::English}, {0x0407, Language::English}, {0x0411, Language::English},
    };
    for (const auto& [langId, expected] : cases) {
        EXPECT_EQ(radiosetup::LanguageOfLangId(langId), expected) << std::hex << langId;
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
