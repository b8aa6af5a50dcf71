#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "PcPortSettings.h"
#include "SerialPort.h"
#include "TestNamespaces.h"
#include "WinTestSupport.h"

// Why a Windows port did not open, where Wine can show it. COM14 is mapped to a path
// nothing occupies (Wine opens such a port and then cannot read its line); COM250 is
// mapped to nothing. Wine does not enforce exclusive opening, so a port in use cannot be
// shown here.
namespace {

using Kind = PortFailure::Kind;

struct FailureRow {
    const char* what;
    std::string devicePath;
    int parity;
    Kind kind;
};

TEST(WinSerialOpenFailure, EachFailedOpeningNamesItsCause) {
    CWinTempDir folder;
    const std::string plainFile = folder.File("not-a-port.txt");
    std::ofstream(plainFile) << "text";
    const FailureRow rows[] = {
        {"unmapped port", R"(\\.\COM250)", kParityNone, Kind::Absent},
        {"port mapped to nothing there", R"(\\.\COM14)", kParityNone, Kind::Absent},
        {"missing file", folder.File("missing"), kParityNone, Kind::Absent},
        {"plain file", plainFile, kParityNone, Kind::NotSerial},
        {"unknown parity", R"(\\.\COM14)", 3, Kind::SettingsRefused},
    };
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.what);
        CSerialPort port;
        EXPECT_FALSE(port.OpenDevice(row.devicePath, 9600, row.parity));
        const std::optional<PortFailure> failure = port.Failure();
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->kind, row.kind);
        EXPECT_EQ(failure->devicePath, row.devicePath);
    }
}

}  // namespace
