#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "TestNamespaces.h"
#include "TestSupport.h"
#include "posix/ConfFile.h"

using namespace std::string_literals;

namespace {

std::size_t EntriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

class ConfFileTest : public ::testing::Test {
protected:
    // Loads content written to a real file.
    CConfFile Loaded(const std::string& content) const {
        WriteWholeFile(m_strPath, content);
        CConfFile file(m_strPath);
        EXPECT_EQ(file.Load(), CConfFile::LoadResult::Loaded);
        return file;
    }

    // The file's text after SetValue and Save.
    std::string AfterSetting(const std::string& content, const std::string& section,
                             const std::string& key, const std::string& value) const {
        CConfFile file = Loaded(content);
        file.SetValue(section, key, value);
        EXPECT_TRUE(file.Save());
        return ReadWholeFile(m_strPath);
    }

    CTempDir m_dir;
    std::string m_strPath = m_dir.File("Com.conf");
};

TEST_F(ConfFileTest, DefaultPathFollowsXdgConfigHomeAtEveryCall) {
    CScopedEnv home("HOME", "/home/operator");
    {
        CScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/first");
        EXPECT_EQ(CConfFile::DefaultPath(), "/tmp/first/Sorvane/Com.conf");
        setenv("XDG_CONFIG_HOME", "/tmp/second", 1);
        EXPECT_EQ(CConfFile::DefaultPath(), "/tmp/second/Sorvane/Com.conf");
    }
    CScopedEnv emptyXdg("XDG_CONFIG_HOME", "");
    EXPECT_EQ(CConfFile::DefaultPath(), "/home/operator/.config/Sorvane/Com.conf");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(CConfFile::DefaultPath(), "/home/operator/.config/Sorvane/Com.conf");
}

TEST_F(ConfFileTest, LoadTellsMissingFromUnreadable) {
    EXPECT_EQ(CConfFile(m_strPath).Load(), CConfFile::LoadResult::Missing);

    WriteWholeFile(m_dir.File("plain"), "");
    EXPECT_EQ(CConfFile(m_dir.File("plain/Com.conf")).Load(), CConfFile::LoadResult::Missing);

    std::filesystem::create_directory(m_strPath);
    EXPECT_EQ(CConfFile(m_strPath).Load(), CConfFile::LoadResult::Unreadable);

    ASSERT_EQ(mkfifo(m_dir.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(CConfFile(m_dir.File("fifo")).Load(), CConfFile::LoadResult::Unreadable);

    std::filesystem::create_symlink("loop", m_dir.File("loop"));
    EXPECT_EQ(CConfFile(m_dir.File("loop")).Load(), CConfFile::LoadResult::Unreadable);
}

TEST_F(ConfFileTest, OversizedFileIsNotTakenOn) {
    WriteWholeFile(m_strPath, std::string(4 * 1024 * 1024, 'x'));

    CConfFile file(m_strPath);
    EXPECT_EQ(file.Load(), CConfFile::LoadResult::Unreadable);
    EXPECT_FALSE(file.Value("", "x").has_value());
}

TEST_F(ConfFileTest, ValueTrimsAndComparesExactly) {
    const CConfFile file = Loaded(
        "[Main]\r\n  Speed =  9600 \r\nName=a=b\r\nspeed=1\r\n; Mode=1\r\n# Mode=2\r\n"
        "Empty=\r\n  [ Other ]  \r\nSpeed=4800\r\n");

    EXPECT_EQ(file.Value("Main", "Speed"), "9600");
    EXPECT_EQ(file.Value("Main", "Name"), "a=b");
    EXPECT_EQ(file.Value("Main", "speed"), "1");
    EXPECT_EQ(file.Value("Main", "Empty"), "");
    EXPECT_FALSE(file.Value("Main", "Mode").has_value());
    EXPECT_FALSE(file.Value("main", "Speed").has_value());
    EXPECT_EQ(file.Value(" Other ", "Speed"), "4800");
    EXPECT_FALSE(file.Value("Missing", "Speed").has_value());
}

TEST_F(ConfFileTest, FirstOccurrenceWinsAcrossRepeatedSections) {
    const CConfFile file = Loaded("[A]\nKey=1\nKey=2\n[B]\nKey=3\n[A]\nKey=4\nOther=5\n");

    EXPECT_EQ(file.Value("A", "Key"), "1");
    EXPECT_EQ(file.Value("B", "Key"), "3");
    EXPECT_EQ(file.Value("A", "Other"), "5");
}

TEST_F(ConfFileTest, BinaryJunkAndBrokenLinesAreSkipped) {
    const CConfFile file =
        Loaded("\x00\x01\xfe\xff\n[\n]\n[A\nA]\n=orphan\n\x00=\x00\n[A]\nno separator\nKey=1"s);

    EXPECT_EQ(file.Value("A", "Key"), "1");
    EXPECT_FALSE(file.Value("A", "no separator").has_value());
}

TEST_F(ConfFileTest, SetValueReplacesFirstAndDropsLaterDuplicatesOfTheSection) {
    EXPECT_EQ(AfterSetting("[A]\nKey=1\r\nX=y\nKey=2\n[B]\nKey=3\n[A]\nKey = 4\n", "A", "Key", "9"),
              "[A]\nKey=9\nX=y\n[B]\nKey=3\n[A]\n");
}

TEST_F(ConfFileTest, SetValueKeepsEveryOtherLineAsItWas) {
    const std::string junk = "\x00\x01\xfe\xff junk\r\n; comment\r\n# Key=old\n  \t\n"s;

    EXPECT_EQ(AfterSetting(junk + "[A]\r\nKey=1\r\nOther = x \r\n", "A", "Key", "2"),
              junk + "[A]\r\nKey=2\nOther = x \r\n");
}

TEST_F(ConfFileTest, NewKeyGoesAtTheEndOfItsSectionBeforeTheBlankSeparator) {
    EXPECT_EQ(AfterSetting("[A]\nKey=1\n\n[B]\nX=2\n", "A", "New", "3"),
              "[A]\nKey=1\nNew=3\n\n[B]\nX=2\n");
    EXPECT_EQ(AfterSetting("[B]\nX=2\n[A]\n", "A", "New", "3"), "[B]\nX=2\n[A]\nNew=3\n");
}

TEST_F(ConfFileTest, NewSectionIsAppendedAtTheEnd) {
    EXPECT_EQ(AfterSetting("[B]\nX=2", "A", "New", "3"), "[B]\nX=2\n[A]\nNew=3\n");
    EXPECT_EQ(AfterSetting("", "A", "New", "3"), "[A]\nNew=3\n");
}

TEST_F(ConfFileTest, SaveCreatesTheFolderAndLeavesNoTemporaryFile) {
    const std::string nested = m_dir.File("one/two/Com.conf");
    CConfFile file(nested);
    file.SetValue("A", "Key", "1");

    ASSERT_TRUE(file.Save());

    EXPECT_EQ(ReadWholeFile(nested), "[A]\nKey=1\n");
    EXPECT_EQ(EntriesIn(m_dir.File("one/two")), 1u);
}

TEST_F(ConfFileTest, SaveKeepsThePermissionsOfTheReplacedFile) {
    WriteWholeFile(m_strPath, "[A]\n");
    std::filesystem::permissions(m_strPath, std::filesystem::perms(0600));
    CConfFile file(m_strPath);
    file.Load();
    file.SetValue("A", "Key", "1");

    ASSERT_TRUE(file.Save());

    EXPECT_EQ(std::filesystem::status(m_strPath).permissions(), std::filesystem::perms(0600));
}

TEST_F(ConfFileTest, SaveThroughALinkRewritesTheFileItLeadsTo) {
    std::filesystem::create_directory(m_dir.File("data"));
    std::filesystem::create_symlink("data/Real.conf", m_strPath);  // relative to its folder
    CConfFile file = Loaded("[A]\n");
    file.SetValue("A", "Key", "1");

    ASSERT_TRUE(file.Save());

    EXPECT_TRUE(std::filesystem::is_symlink(m_strPath));
    EXPECT_EQ(ReadWholeFile(m_dir.File("data/Real.conf")), "[A]\nKey=1\n");
    EXPECT_EQ(EntriesIn(m_dir.File("data")), 1u);
}

// As an editor refuses to, even for root, whom no permission stops.
TEST_F(ConfFileTest, SaveLeavesAFileMarkedReadOnlyAsItIs) {
    CConfFile file = Loaded("[A]\n");
    std::filesystem::permissions(m_strPath, std::filesystem::perms(0444));
    file.SetValue("A", "Key", "1");

    EXPECT_FALSE(file.Save());
    EXPECT_EQ(ReadWholeFile(m_strPath), "[A]\n");
    EXPECT_EQ(EntriesIn(m_dir.Path()), 1u);
}

TEST_F(ConfFileTest, SaveRemovesStaleTemporariesOfItsFileOnly) {
    const std::pair<const char*, bool> leftoversRemoved[] = {
        {"Com.conf.aB3xY9", true},   {"Com.conf.000000", true},  {"Com.conf.aB3xY", false},
        {"Com.conf.aB3xY90", false}, {"Com.conf.aB-xY9", false}, {"Com.confXaB3xY9", false},
        {"Other.conf.aB3xY9", false}};
    for (const auto& [name, removed] : leftoversRemoved) {
        WriteWholeFile(m_dir.File(name), "");
        std::filesystem::last_write_time(
            m_dir.File(name),
            std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    }
    WriteWholeFile(m_dir.File("Com.conf.Fresh1"), "");  // a save still at work

    ASSERT_TRUE(CConfFile(m_strPath).Save());

    for (const auto& [name, removed] : leftoversRemoved) {
        EXPECT_NE(std::filesystem::exists(m_dir.File(name)), removed) << name;
    }
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("Com.conf.Fresh1")));
}

TEST_F(ConfFileTest, FailedRenameLeavesTheTargetAndNoTemporaryFile) {
    std::filesystem::create_directories(m_strPath);
    WriteWholeFile(m_strPath + "/inside", "kept");
    CConfFile file(m_strPath);
    file.SetValue("A", "Key", "1");

    EXPECT_FALSE(file.Save());

    EXPECT_EQ(ReadWholeFile(m_strPath + "/inside"), "kept");
    EXPECT_EQ(EntriesIn(m_dir.Path()), 1u);
}

TEST_F(ConfFileTest, SaveFailsWhenTheFolderCannotBeCreated) {
    WriteWholeFile(m_dir.File("plain"), "");
    CConfFile file(m_dir.File("plain/Sorvane/Com.conf"));
    file.SetValue("A", "Key", "1");

    EXPECT_FALSE(file.Save());
    EXPECT_EQ(ReadWholeFile(m_dir.File("plain")), "");
}

}  // namespace
