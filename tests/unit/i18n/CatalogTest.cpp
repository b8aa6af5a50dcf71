// The English catalog against the program's own texts: every Chinese text the window can
// show has an entry, and every entry still names such a text.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "Catalog.h"
#include "DialogTemplate.h"
#include "PoFile.h"

namespace {

namespace fs = std::filesystem;
using radiosetup::Catalog;
using radiosetup::DialogTemplate;
using radiosetup::Language;

const fs::path kSourceDir = RADIOSETUP_SOURCE_DIR;

// Any character from U+2E80 up (CJK, their punctuation, full-width forms) in UTF-8.
bool HasChinese(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) >= 0xE2; });
}

std::string FileText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void AddTemplateTexts(std::set<std::string>& texts) {
    for (const auto& entry : fs::directory_iterator(kSourceDir / "resources/templates")) {
        if (entry.path().extension() != ".json") {
            continue;
        }
        const DialogTemplate dialog = DialogTemplate::Parse(FileText(entry.path()));
        texts.insert(dialog.caption);
        for (const auto& control : dialog.controls) {
            texts.insert(control.text);
            texts.insert(control.items.begin(), control.items.end());
        }
    }
}

// A line without its // comment; quotes inside string literals are skipped over.
std::string WithoutComment(const std::string& line) {
    static const std::regex kCodeThenComment(R"re(^((?:[^"/]|"(?:[^"\\]|\\.)*"|/(?!/))*)//.*$)re");
    return std::regex_replace(line, kCodeThenComment, "$1");
}

void AddLiteralTexts(const fs::path& folder, std::set<std::string>& texts) {
    static const std::regex kLiteral(R"re("((?:[^"\\]|\\.)*)")re");
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h") {
            continue;
        }
        std::istringstream lines(FileText(entry.path()));
        for (std::string line; std::getline(lines, line);) {
            const std::string code = WithoutComment(line);
            for (std::sregex_iterator at(code.begin(), code.end(), kLiteral), end; at != end;
                 ++at) {
                texts.insert(std::regex_replace((*at)[1].str(), std::regex(R"(\\n)"), "\n"));
            }
        }
    }
}

// The Chinese texts of the templates and of the code that can reach the window.
std::set<std::string> ProgramTexts() {
    std::set<std::string> texts;
    AddTemplateTexts(texts);
    for (const char* folder : {"ui", "app", "protocol", "resources"}) {
        AddLiteralTexts(kSourceDir / folder, texts);
    }
    std::set<std::string> chinese;
    std::copy_if(texts.begin(), texts.end(), std::inserter(chinese, chinese.end()), HasChinese);
    return chinese;
}

TEST(Catalog, EnglishHasAnEntryForEveryChineseTextOfTheProgramAndNoOther) {
    const std::set<std::string> program = ProgramTexts();
    ASSERT_GT(program.size(), 100u) << "the collection found too few texts";
    std::set<std::string> entries;
    for (const auto& [original, english] : Catalog(Language::English)) {
        entries.insert(original);
    }
    for (const std::string& text : program) {
        EXPECT_EQ(entries.count(text), 1u) << "no English for \"" << text << "\"";
    }
    for (const std::string& entry : entries) {
        EXPECT_EQ(program.count(entry), 1u) << "no text of the program is \"" << entry << "\"";
    }
}

TEST(PoFile, ReadsEntriesAsGettextDoes) {
    const std::string po =
        "msgid \"\"\nmsgstr \"\"\n\"Language: en\\n\"\n\n"
        "# a comment\nmsgid \"甲\"\nmsgstr \"A \\\"quoted\\\"\\n\"\n\n"
        "msgid \"乙\"\nmsgstr \"\"\n\"split \"\n\"over lines\"\n\n"
        "#, fuzzy\nmsgid \"丙\"\nmsgstr \"a guess\"\n\n"
        "msgid \"丁\"\r\nmsgstr \"\"\r\n";
    const std::map<std::string, std::string> expected = {{"甲", "A \"quoted\"\n"},
                                                         {"乙", "split over lines"}};
    EXPECT_EQ(radiosetup::ParsePoText(po), expected);
}

}  // namespace
