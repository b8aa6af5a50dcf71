#include <gtest/gtest.h>

#include <algorithm>

#include "DeviceMachine.h"
#include "PortNaming.h"
#include "PortSettingsStore.h"
#include "PtyPair.h"
#include "SerialPortInfo.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

const CDeviceMachine::Usb kFtdi{"FTDI", "FT232R USB UART", "A50285BI"};
const CDeviceMachine::Usb kModem{"Sorvane", "Radio Modem", "0042"};

// A laptop's worth of serial ports: a USB adapter, an ACM device, a UART with hardware
// and three 8250 ports without, each node leading to a pseudo-terminal of the test.
class PortEnumerationTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_usbById = m_machine.PlugUsb("ttyUSB0", m_usb.SlavePath(), kFtdi);
        m_acmById = m_machine.PlugUsb("ttyACM0", m_acm.SlavePath(), kModem);
        m_machine.AddUart("ttyS0", m_uart.SlavePath(), true);
        for (const char* empty : {"ttyS1", "ttyS2", "ttyS3"}) {
            m_machine.AddUart(empty, m_uart.SlavePath(), false);
        }
    }

    std::vector<std::pair<int, std::string>> Numbers() {
        std::vector<std::pair<int, std::string>> numbers;
        for (const NumberedPort& listed : ListPorts()) {
            numbers.emplace_back(listed.number, listed.port.stableName);
        }
        return numbers;
    }

    CScopedSettingsHome m_home;
    CDeviceMachine m_machine;
    CPtyPair m_usb, m_acm, m_uart;
    std::string m_usbById, m_acmById;
};

TEST_F(PortEnumerationTest, FindsAdaptersAndRealUartsWithTheirNamesAndDescriptions) {
    const std::vector<SerialPortInfo> ports = EnumerateSerialPorts();
    ASSERT_EQ(ports.size(), 3u);
    const struct {
        std::string device, stableName, description;
        bool isAdapter;
    } expected[] = {
        {m_machine.Dev("ttyACM0"), m_acmById, "Sorvane Radio Modem (0042)", true},
        {m_machine.Dev("ttyS0"), m_machine.Dev("ttyS0"), "serial8250", false},
        {m_machine.Dev("ttyUSB0"), m_usbById, "FTDI FT232R USB UART (A50285BI)", true},
    };
    for (std::size_t i = 0; i < ports.size(); ++i) {
        SCOPED_TRACE(expected[i].device);
        EXPECT_EQ(ports[i].devicePath, expected[i].device);
        EXPECT_EQ(ports[i].stableName, expected[i].stableName);
        EXPECT_EQ(ports[i].description, expected[i].description);
        EXPECT_EQ(ports[i].isAdapter, expected[i].isAdapter);
        EXPECT_EQ(ports[i].state, PortState::Free);
    }
}

TEST_F(PortEnumerationTest, AdaptersAreNumberedOnceAroundTheUartsAndKeepTheirNumbers) {
    m_home.WriteSettings("[Version3.0/SystemParam]\nPc Com Port=1\n");
    NumberNewAdapters();
    // ttyS0 holds port 1 by default; the adapters take the lowest numbers left.
    EXPECT_EQ(m_home.ReadSettings(), "[Version3.0/SystemParam]\nPc Com Port=1\n[Ports]\nCOM2=" +
                                         m_acmById + "\nCOM3=" + m_usbById + "\n");
    EXPECT_EQ(PortDevicePath(3), m_usbById);
    EXPECT_EQ(PortDevicePath(1), m_machine.Dev("ttyS0"));

    // Unplugged, the adapter keeps its number; a new one takes the next free one.
    m_machine.Unplug("ttyUSB0");
    CPtyPair other;
    const std::string otherById =
        m_machine.PlugUsb("ttyUSB1", other.SlavePath(), {"Prolific", "PL2303", "X1"});
    NumberNewAdapters();
    const std::vector<NumberedPort> listed = ListPorts();
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[2].number, 3);
    EXPECT_EQ(listed[2].port.state, PortState::Absent);
    EXPECT_EQ(PresentPortNumbers(), (std::vector<int>{1, 2, 4}));

    // Back again, it is port 3 once more and nothing is renumbered.
    m_usbById = m_machine.PlugUsb("ttyUSB0", m_usb.SlavePath(), kFtdi);
    NumberNewAdapters();
    EXPECT_EQ(Numbers(),
              (std::vector<std::pair<int, std::string>>{
                  {1, m_machine.Dev("ttyS0")}, {2, m_acmById}, {3, m_usbById}, {4, otherById}}));
}

TEST_F(PortEnumerationTest, AnExplicitLineWinsAndALaptopsOnlyAdapterBecomesPortOne) {
    m_home.MapPort(7, m_machine.Dev("ttyUSB0"));
    m_home.MapPort(1, "/dev/pts/none");
    NumberNewAdapters();
    EXPECT_EQ(PortDevicePath(7), m_machine.Dev("ttyUSB0"));
    EXPECT_EQ(PortDevicePath(2), m_acmById);

    // Without UARTs or lines, the one adapter is port 1: the window's search finds it.
    CScopedSettingsHome laptop;
    CDeviceMachine machine;
    const std::string byId = machine.PlugUsb("ttyUSB0", m_usb.SlavePath(), kFtdi);
    PcPortSettings settings;
    LoadPortSettings(settings);
    EXPECT_EQ(PortDevicePath(1), byId);
}

TEST_F(PortEnumerationTest, StoredNumbersAbove16StandWhileThatPortIsPresent) {
    m_home.MapPort(200, m_usb.SlavePath());
    EXPECT_TRUE(IsKeptPortNumber(200));
    EXPECT_TRUE(IsKeptPortNumber(16));
    EXPECT_FALSE(IsKeptPortNumber(17));
    EXPECT_FALSE(IsKeptPortNumber(0));
}

}  // namespace
