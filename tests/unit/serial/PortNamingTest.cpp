#include <gtest/gtest.h>

#include <cstdlib>

#include "PortNaming.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

// Built-in UARTs are looked for under the device root the settings home moved.
std::string Uart(int index) {
    return std::string(std::getenv("RADIOSETUP_DEVICE_ROOT")) + "/dev/ttyS" + std::to_string(index);
}

class PortNamingTest : public ::testing::Test {
protected:
    CScopedSettingsHome m_home;
};

TEST_F(PortNamingTest, WithoutSettingsFilePortsAreTheBuiltInSerialDevices) {
    EXPECT_EQ(PortDevicePath(1), Uart(0));
    EXPECT_EQ(PortDevicePath(16), Uart(15));
    CScopedEnv realMachine("RADIOSETUP_DEVICE_ROOT", "/");
    EXPECT_EQ(PortDevicePath(1), "/dev/ttyS0");
}

TEST_F(PortNamingTest, MapEntryNamesTheDeviceOthersKeepTheBuiltInOnes) {
    m_home.WriteSettings("[Version3.0/SystemParam]\nPc Com Port=3\n");
    m_home.MapPort(3, "/dev/ttyUSB0");

    EXPECT_EQ(PortDevicePath(3), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(2), Uart(1));
}

TEST_F(PortNamingTest, ByIdPathIsTakenWhole) {
    const std::string byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    m_home.MapPort(1, byId);

    EXPECT_EQ(PortDevicePath(1), byId);
}

TEST_F(PortNamingTest, TenIsNotMistakenForOne) {
    m_home.MapPort(10, "/dev/ttyUSB9");
    EXPECT_EQ(PortDevicePath(1), Uart(0));
    EXPECT_EQ(PortDevicePath(10), "/dev/ttyUSB9");

    m_home.WriteSettings("");
    m_home.MapPort(1, "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(10), Uart(9));
    EXPECT_EQ(PortDevicePath(1), "/dev/ttyUSB0");
}

TEST_F(PortNamingTest, ChangedMapIsSeenAtTheNextCall) {
    m_home.MapPort(2, "/dev/pts/7");
    EXPECT_EQ(PortDevicePath(2), "/dev/pts/7");

    m_home.WriteSettings("[Ports]\nCOM2=/dev/pts/9\n");
    EXPECT_EQ(PortDevicePath(2), "/dev/pts/9");
}

TEST_F(PortNamingTest, EntryOutsideThePortMapIsIgnored) {
    m_home.WriteSettings("[Other]\nCOM4=/dev/ttyUSB3\n");

    EXPECT_EQ(PortDevicePath(4), Uart(3));
}

}  // namespace
