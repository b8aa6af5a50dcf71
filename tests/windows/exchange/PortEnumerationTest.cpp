#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PortNaming.h"
#include "SerialPortInfo.h"
#include "TestNamespaces.h"
#include "WinTestSupport.h"

// The machine's ports as its serial port list names them, each tried as the port opens
// it. COM12 leads to the run's answering radio; COM13 is mapped to a path nothing
// occupies; COM250 is mapped to nothing; CNCA0 is a virtual driver's port without a COM
// name. Under Wine no device has a friendly name, so each is described by its listed device.
namespace {

struct ListedRow {
    ListedSerialPort listed;
    int number;
    const char* devicePath;
    const char* stableName;
    const char* description;
    PortState state;
};

constexpr PortState kFree = PortState::Free;
constexpr PortState kAbsent = PortState::Absent;

const ListedRow kRows[] = {
    {{L"\\Device\\S11", L"COM12"}, 12, R"(\\.\COM12)", "COM12", R"(\Device\S11)", kFree},
    {{L"\\Device\\S12", L"com13"}, 13, R"(\\.\COM13)", "COM13", R"(\Device\S12)", kAbsent},
    {{L"\\Device\\S2", L"COM250"}, 250, R"(\\.\COM250)", "COM250", R"(\Device\S2)", kAbsent},
    {{L"\\Device\\V0", L"CNCA0"}, 0, R"(\\.\CNCA0)", "CNCA0", R"(\Device\V0)", kAbsent},
};

TEST(WinPortEnumeration, ListsEachPortByNumberWithItsPathNameDescriptionAndState) {
    CScopedRegistryRoots roots;
    // Listed out of order: the list comes back by number, unnumbered last.
    roots.ListSerialPorts({kRows[3].listed, kRows[1].listed, kRows[0].listed, kRows[2].listed});

    const std::vector<NumberedPort> ports = ListPorts();
    ASSERT_EQ(ports.size(), std::size(kRows));
    for (std::size_t i = 0; i < ports.size(); ++i) {
        const ListedRow& row = kRows[i];
        SCOPED_TRACE(row.stableName);
        EXPECT_EQ(ports[i].number, row.number);
        EXPECT_EQ(ports[i].port.devicePath, row.devicePath);
        EXPECT_EQ(ports[i].port.stableName, row.stableName);
        EXPECT_EQ(ports[i].port.description, row.description);
        EXPECT_EQ(ports[i].port.state, row.state);
        EXPECT_FALSE(ports[i].port.isAdapter);
    }
    EXPECT_EQ(PresentPortNumbers(), std::vector<int>{12});
}

// The run's usual machine: COM1 and COM12 lead to the radio. Numbers are the system's.
TEST(WinPortEnumeration, TheSystemNumbersPortsItself) {
    CScopedRegistryRoots roots;
    NumberNewAdapters();
    EXPECT_EQ(PresentPortNumbers(), (std::vector<int>{1, 12}));
    std::string reason;
    EXPECT_FALSE(AssignPortNumber(3, R"(\\.\COM12)", reason));
    EXPECT_EQ(reason, "COM numbers are assigned by the system's device manager");
}

}  // namespace
