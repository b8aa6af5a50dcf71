#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "PortSettingsStore.h"
#include "TestNamespaces.h"
#include "WinTestSupport.h"
#include "win32/RegistryAccess.h"

namespace {

const char* const kKeyPath = "Software\\Sorvane\\Com\\Version3.0\\SystemParam";

// A stored registry value: a DWORD, or a string where a number belongs.
struct RegValue {
    std::string name;
    std::optional<DWORD> number;
    std::string text;
};

void Store(HKEY root, const RegValue& value) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(root, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    if (value.number) {
        RegSetValueExA(key, value.name.c_str(), 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&*value.number), sizeof(DWORD));
    } else {
        RegSetValueExA(key, value.name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.text.c_str()),
                       static_cast<DWORD>(value.text.size() + 1));
    }
    RegCloseKey(key);
}

// The value as stored: its DWORD, "text:<string>" for a string, nullopt when absent.
std::optional<std::string> Stored(HKEY root, const std::string& name) {
    char data[64] = {};
    DWORD type = 0;
    DWORD size = sizeof data - 1;
    if (RegGetValueA(root, kKeyPath, name.c_str(), RRF_RT_ANY, &type, data, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number = 0;
        memcpy(&number, data, sizeof number);
        return std::to_string(number);
    }
    return "text:" + std::string(data);
}

// What Windows does for a standard user: the machine-wide key may be read, not written.
LONG RefuseMachineWrites(HKEY root, const char* path, REGSAM access, bool create, HKEY* key) {
    if (root == HKEY_LOCAL_MACHINE && (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0) {
        return ERROR_ACCESS_DENIED;
    }
    return OpenRegistryKey(root, path, access, create, key);
}

LONG RefuseEverything(HKEY, const char*, REGSAM, bool, HKEY*) {
    return ERROR_ACCESS_DENIED;
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPortSettingsFailureReporter([this] { ++m_nReportedFailures; });
    }
    void TearDown() override {
        SetPortSettingsFailureReporter(nullptr);
        SetRegistryKeyOpener(OpenRegistryKey);
    }

    // Loads into settings that hold what the main window starts with.
    static PcPortSettings Loaded() {
        PcPortSettings settings{1, 1200, kParityNone};
        LoadPortSettings(settings);
        return settings;
    }

    static void ExpectSettings(const PcPortSettings& settings, int port, int baudRate, int parity) {
        EXPECT_EQ(settings.m_nPortNumber, port);
        EXPECT_EQ(settings.m_nBaudRate, baudRate);
        EXPECT_EQ(settings.m_nParity, parity);
    }

    CScopedRegistryRoots m_roots;
    int m_nReportedFailures = 0;
};

struct LoadCase {
    const char* name;
    std::vector<RegValue> stored;
    int port, baudRate, parity;                        // as loaded
    std::string storedPort, storedBaud, storedParity;  // the key afterwards
};

void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class RegistryLoadTest : public RegistryStoreTest,
                         public ::testing::WithParamInterface<LoadCase> {};

TEST_P(RegistryLoadTest, LoadsRepairsInMemoryAndCreatesWhatIsMissing) {
    const LoadCase& c = GetParam();
    for (const RegValue& value : c.stored) {
        Store(HKEY_LOCAL_MACHINE, value);
    }
    ExpectSettings(Loaded(), c.port, c.baudRate, c.parity);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Pc Com Port"), c.storedPort);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Pc Com Band"), c.storedBaud);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Pc Com Parity"), c.storedParity);
    EXPECT_FALSE(Stored(HKEY_CURRENT_USER, "Pc Com Port"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryLoadTest,
    ::testing::Values(
        LoadCase{"FirstRunCreatesTheDefaults", {}, 1, 9600, 0, "1", "9600", "0"},
        // A string too long for the four-byte field cannot be queried: absent, so replaced.
        LoadCase{"LongStringCountsAsAbsent",
                 {{"Pc Com Band", std::nullopt, "19200 bps"}},
                 1,
                 9600,
                 0,
                 "1",
                 "9600",
                 "0"},
        // A short one can, but is no number: repaired in memory only.
        LoadCase{"ShortStringIsRepairedInMemory",
                 {{"Pc Com Port", std::nullopt, "7"}},
                 1,
                 9600,
                 0,
                 "text:7",
                 "9600",
                 "0"}),
    [](const ::testing::TestParamInfo<LoadCase>& testCase) { return testCase.param.name; });

TEST_F(RegistryStoreTest, SaveThenLoadRoundTrips) {
    ASSERT_TRUE(SavePortSettings(3, kParityEven, 19200));
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Pc Com Port"), "3");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Pc Com Band"), "19200");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Pc Com Parity"), "2");
    ExpectSettings(Loaded(), 3, 19200, kParityEven);
    EXPECT_EQ(m_nReportedFailures, 0);
}

TEST_F(RegistryStoreTest, StandardUserKeepsOwnValuesAndReadsTheMachinesForTheRest) {
    Store(HKEY_LOCAL_MACHINE, {"Pc Com Port", 4, ""});
    Store(HKEY_LOCAL_MACHINE, {"Pc Com Band", 19200, ""});
    SetRegistryKeyOpener(RefuseMachineWrites);

    ExpectSettings(Loaded(), 4, 19200, kParityNone);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Pc Com Parity"), "0");
    EXPECT_FALSE(Stored(HKEY_CURRENT_USER, "Pc Com Port"));

    ASSERT_TRUE(SavePortSettings(2, kParityOdd, 4800));
    EXPECT_EQ(m_nReportedFailures, 0);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Pc Com Port"), "2");
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, "Pc Com Band"), "4800");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Pc Com Port"), "4");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, "Pc Com Band"), "19200");
    EXPECT_FALSE(Stored(HKEY_LOCAL_MACHINE, "Pc Com Parity"));
    ExpectSettings(Loaded(), 2, 4800, kParityOdd);
}

TEST_F(RegistryStoreTest, NoKeyAtAllLeavesTheSettingsAndFailsTheSave) {
    SetRegistryKeyOpener(RefuseEverything);
    ExpectSettings(Loaded(), 1, 1200, kParityNone);
    EXPECT_FALSE(SavePortSettings(3, kParityEven, 19200));
    EXPECT_EQ(m_nReportedFailures, 1);
}

}  // namespace
