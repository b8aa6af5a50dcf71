#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "PortSettingsStore.h"
#include "SettingsKey.h"
#include "TestNamespaces.h"
#include "TestSupport.h"
#include "posix/ConfFile.h"

using namespace std::string_literals;

namespace {

const std::string kSection = "[Version3.0/SystemParam]\n";

// What the caller's settings hold before a load, so that "left as they were" shows.
PcPortSettings ConstructedSettings() {
    return PcPortSettings{1, 1200, kParityNone};
}

void ExpectSettings(const PcPortSettings& settings, int port, int baudRate, int parity) {
    EXPECT_EQ(static_cast<int>(settings.m_nPortNumber), port);
    EXPECT_EQ(settings.m_nBaudRate, baudRate);
    EXPECT_EQ(static_cast<int>(settings.m_nParity), parity);
}

class PortSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPortSettingsFailureReporter([this] { ++m_nReportedFailures; });
    }
    void TearDown() override { SetPortSettingsFailureReporter(nullptr); }

    std::optional<std::string> Stored(const std::string& name) const {
        CConfFile file(m_home.SettingsFile());
        file.Load();
        return file.Value("Version3.0/SystemParam", name);
    }

    PcPortSettings Loaded() const {
        PcPortSettings settings = ConstructedSettings();
        LoadPortSettings(settings);
        return settings;
    }

    // Loads, then checks that the stored text was neither repaired nor rewritten.
    PcPortSettings LoadedLeavingFileAsItIs(const std::string& content) const {
        m_home.WriteSettings(content);
        const PcPortSettings settings = Loaded();
        EXPECT_EQ(m_home.ReadSettings(), content);
        return settings;
    }

    std::string SettingsFolder() const {
        return std::filesystem::path(m_home.SettingsFile()).parent_path().string();
    }

    CScopedSettingsHome m_home;
    int m_nReportedFailures = 0;
};

TEST_F(PortSettingsStoreTest, FirstRunCreatesTheFileWithDefaults) {
    ExpectSettings(Loaded(), 1, 9600, kParityNone);

    EXPECT_EQ(Stored("Pc Com Port"), "1");
    EXPECT_EQ(Stored("Pc Com Band"), "9600");
    EXPECT_EQ(Stored("Pc Com Parity"), "0");
}

TEST_F(PortSettingsStoreTest, EmptyFileGainsAllThreeDefaults) {
    m_home.WriteSettings("");

    ExpectSettings(Loaded(), 1, 9600, kParityNone);
    EXPECT_EQ(Stored("Pc Com Port"), "1");
    EXPECT_EQ(Stored("Pc Com Band"), "9600");
    EXPECT_EQ(Stored("Pc Com Parity"), "0");
}

TEST_F(PortSettingsStoreTest, StoredValuesLoadWithoutRewritingTheFile) {
    m_home.WriteSettings(kSection + "Pc Com Port=16\nPc Com Band=2400\nPc Com Parity=1\n");
    struct stat before {};
    ASSERT_EQ(stat(m_home.SettingsFile().c_str(), &before), 0);

    ExpectSettings(Loaded(), 16, 2400, kParityOdd);

    struct stat after {};
    ASSERT_EQ(stat(m_home.SettingsFile().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(PortSettingsStoreTest, OnlyThePortStoredLoadsDefaultsForTheRestAndStoresThem) {
    m_home.WriteSettings(kSection + "Pc Com Port=4\n");

    ExpectSettings(Loaded(), 4, 9600, kParityNone);
    EXPECT_EQ(Stored("Pc Com Port"), "4");
    EXPECT_EQ(Stored("Pc Com Band"), "9600");
    EXPECT_EQ(Stored("Pc Com Parity"), "0");
}

TEST_F(PortSettingsStoreTest, OutOfRangeValuesAreRepairedInMemoryOnly) {
    const PcPortSettings settings =
        LoadedLeavingFileAsItIs(kSection + "Pc Com Port=17\nPc Com Band=115200\nPc Com Parity=3\n");
    ExpectSettings(settings, 1, 9600, kParityNone);

    const PcPortSettings zeroPort =
        LoadedLeavingFileAsItIs(kSection + "Pc Com Port=0\nPc Com Band=19200\nPc Com Parity=2\n");
    ExpectSettings(zeroPort, 1, 19200, kParityEven);
}

TEST_F(PortSettingsStoreTest, PortAndParityUseOnlyTheLowByteButTheBaudRateAllOfIt) {
    // 260 = 0x104, 258 = 0x102, 256 = 0x100; 70336 = 0x112C0 has 4800 in its low 16 bits.
    ExpectSettings(LoadedLeavingFileAsItIs(
                       kSection + "Pc Com Port=260\nPc Com Band=70336\nPc Com Parity=258\n"),
                   4, 9600, kParityEven);
    ExpectSettings(LoadedLeavingFileAsItIs(
                       kSection + "Pc Com Port=256\nPc Com Band=4800\nPc Com Parity=259\n"),
                   1, 4800, kParityNone);
}

TEST_F(PortSettingsStoreTest, ValuesThatAreNoNumbersLoadAsDefaultsAndStayInTheFile) {
    for (const std::string bad : {"abc", "12x", "-1", "+2", "99999999999", "", "4294967296"}) {
        SCOPED_TRACE("stored text: '" + bad + "'");
        const PcPortSettings settings =
            LoadedLeavingFileAsItIs(kSection + "Pc Com Port=" + bad + "\nPc Com Band=" + bad +
                                    "\nPc Com Parity=" + bad + "\n");
        ExpectSettings(settings, 1, 9600, kParityNone);
    }
}

TEST_F(PortSettingsStoreTest, LargestThirtyTwoBitNumberIsANumberOutOfRange) {
    // 4294967295 = 0xFFFFFFFF: low byte 255, so port and parity are out of range.
    ExpectSettings(
        LoadedLeavingFileAsItIs(kSection + "Pc Com Port=4294967295\nPc Com Band=4294967295\n"
                                           "Pc Com Parity=4294967042\n"),
        1, 9600, kParityEven);
}

TEST_F(PortSettingsStoreTest, GarbageLinesAreSkippedOnLoadAndKeptOnSave) {
    const std::string garbage =
        "no equals sign here\n\x01\xff\x00junk\n=value without key\n[unterminated\n"s;
    m_home.WriteSettings(garbage + kSection + "Pc Com Port=7\r\n" + garbage +
                         "Pc Com Band=4800\nPc Com Parity=1\n");

    ExpectSettings(Loaded(), 7, 4800, kParityOdd);

    ASSERT_TRUE(SavePortSettings(2, kParityNone, 9600));
    const std::string saved = m_home.ReadSettings();
    EXPECT_EQ(saved.find(garbage), 0u);
    EXPECT_NE(saved.find(garbage, 1), std::string::npos);
    ExpectSettings(Loaded(), 2, 9600, kParityNone);
}

TEST_F(PortSettingsStoreTest, FirstOfDuplicateValuesCountsAndSaveLeavesOne) {
    m_home.WriteSettings(kSection +
                         "Pc Com Port=5\nPc Com Port=6\nPc Com Band=4800\n[Other]\n"
                         "Pc Com Port=9\n" +
                         kSection + "Pc Com Port=8\n");

    EXPECT_EQ(Loaded().m_nPortNumber, 5);

    ASSERT_TRUE(SavePortSettings(3, kParityNone, 9600));
    const std::string saved = m_home.ReadSettings();
    EXPECT_NE(saved.find("Pc Com Port=3\n"), std::string::npos);
    EXPECT_EQ(saved.find("Pc Com Port=6"), std::string::npos);
    EXPECT_EQ(saved.find("Pc Com Port=8"), std::string::npos);
    EXPECT_NE(saved.find("[Other]\nPc Com Port=9\n"), std::string::npos);
    EXPECT_EQ(Loaded().m_nPortNumber, 3);
}

TEST_F(PortSettingsStoreTest, SaveStoresAllThreeAndTheNextLoadReturnsThem) {
    ASSERT_TRUE(SavePortSettings(3, kParityEven, 19200));

    EXPECT_EQ(Stored("Pc Com Port"), "3");
    EXPECT_EQ(Stored("Pc Com Band"), "19200");
    EXPECT_EQ(Stored("Pc Com Parity"), "2");
    ExpectSettings(Loaded(), 3, 19200, kParityEven);
    EXPECT_EQ(m_nReportedFailures, 0);
}

TEST_F(PortSettingsStoreTest, SaveKeepsOtherSectionsCommentsAndThePortMap) {
    const std::string before = "; written by hand\n[Ports]\nCOM3=/dev/ttyUSB0\n\n" + kSection +
                               "# the line below is old\nPc Com Port=1\n\n[Window]\nX=10\n";
    m_home.WriteSettings(before);

    ASSERT_TRUE(SavePortSettings(3, kParityOdd, 4800));

    EXPECT_EQ(m_home.ReadSettings(),
              "; written by hand\n[Ports]\nCOM3=/dev/ttyUSB0\n\n" + kSection +
                  "# the line below is old\nPc Com Port=3\nPc Com Band=4800\nPc Com Parity=1\n\n"
                  "[Window]\nX=10\n");
}

TEST_F(PortSettingsStoreTest, SettingsPathThatIsAFolderLeavesSettingsAndFailsTheSave) {
    std::filesystem::create_directories(m_home.SettingsFile());

    ExpectSettings(Loaded(), 1, 1200, kParityNone);
    EXPECT_FALSE(SavePortSettings(3, kParityEven, 19200));
    EXPECT_EQ(m_nReportedFailures, 1);
    EXPECT_TRUE(std::filesystem::is_directory(m_home.SettingsFile()));
}

TEST_F(PortSettingsStoreTest, FolderThatCannotBeCreatedLeavesSettingsAndFailsTheSave) {
    CTempDir elsewhere;
    WriteWholeFile(elsewhere.File("plain-file"), "not a folder");
    CScopedEnv home("XDG_CONFIG_HOME", elsewhere.File("plain-file"));

    ExpectSettings(Loaded(), 1, 1200, kParityNone);
    EXPECT_FALSE(SavePortSettings(3, kParityEven, 19200));
    EXPECT_EQ(m_nReportedFailures, 1);
}

TEST_F(PortSettingsStoreTest, FailedSaveWithoutReporterOnlyReturnsFalse) {
    SetPortSettingsFailureReporter(nullptr);
    std::filesystem::create_directories(m_home.SettingsFile());

    EXPECT_FALSE(SavePortSettings(3, kParityEven, 19200));
}

TEST_F(PortSettingsStoreTest, ReadOnlyFolderFailsTheSaveAndKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root; see the file size limit test";
    }
    const std::string old = kSection + "Pc Com Port=5\nPc Com Band=4800\nPc Com Parity=1\n";
    m_home.WriteSettings(old);
    std::filesystem::permissions(SettingsFolder(), std::filesystem::perms(0555));

    const bool saved = SavePortSettings(3, kParityEven, 19200);
    std::filesystem::permissions(SettingsFolder(), std::filesystem::perms::owner_all);

    EXPECT_FALSE(saved);
    EXPECT_EQ(m_nReportedFailures, 1);
    EXPECT_EQ(m_home.ReadSettings(), old);
}

TEST_F(PortSettingsStoreTest, SaveThatCannotBeWrittenKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string old = kSection + "Pc Com Port=5\nPc Com Band=4800\nPc Com Parity=1\n";
    m_home.WriteSettings(old);

    bool saved = true;
    {
        CFileSizeLimit limit;
        saved = SavePortSettings(3, kParityEven, 19200);
    }

    EXPECT_FALSE(saved);
    EXPECT_EQ(m_nReportedFailures, 1);
    EXPECT_EQ(m_home.ReadSettings(), old);
    const auto entries = std::distance(std::filesystem::directory_iterator(SettingsFolder()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);
}

// The backend on its own: how the stored text is classified.
class SettingsKeyTest : public ::testing::Test {
protected:
    CSettingsKey::StoredValue ReadStored(const std::string& text) const {
        m_home.WriteSettings(kSection + "Value=" + text + "\n");
        const auto key = CSettingsKey::OpenOrCreate();
        EXPECT_NE(key, nullptr);
        return key ? key->Read("Value") : CSettingsKey::StoredValue{};
    }

    CScopedSettingsHome m_home;
};

TEST_F(SettingsKeyTest, PlainDecimalTextIsANumber) {
    EXPECT_EQ(ReadStored("0007").number, 7u);
    EXPECT_EQ(ReadStored(" 42 ").number, 42u);
    const auto largest = ReadStored("4294967295");
    EXPECT_EQ(largest.state, CSettingsKey::ValueState::Number);
    EXPECT_EQ(largest.number, 4294967295u);
}

TEST_F(SettingsKeyTest, AnyOtherTextIsInvalid) {
    for (const std::string bad : {"", "abc", "12x", "0:", "1 2", "-1", "+2", "0x10", "4294967296",
                                  "99999999999999999999999"}) {
        SCOPED_TRACE("stored text: '" + bad + "'");
        EXPECT_EQ(ReadStored(bad).state, CSettingsKey::ValueState::Invalid);
    }
}

TEST_F(SettingsKeyTest, MissingValueIsAbsent) {
    EXPECT_EQ(ReadStored("1").state, CSettingsKey::ValueState::Number);
    const auto key = CSettingsKey::OpenOrCreate();
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Read("Other").state, CSettingsKey::ValueState::Absent);
}

TEST_F(SettingsKeyTest, OpeningCreatesTheFileBeforeAnythingIsWritten) {
    const auto key = CSettingsKey::OpenOrCreate();

    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(std::filesystem::is_regular_file(m_home.SettingsFile()));
}

}  // namespace
