#include <gtest/gtest.h>

#include "PortNaming.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

class PortNamingTest : public ::testing::Test {
protected:
    CScopedSettingsHome m_home;
};

TEST_F(PortNamingTest, WithoutSettingsFilePortsAreTheBuiltInSerialDevices) {
    EXPECT_EQ(PortDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath(16), "/dev/ttyS15");
}

TEST_F(PortNamingTest, MapEntryNamesTheDeviceOthersKeepTheBuiltInOnes) {
    m_home.WriteSettings("[Version3.0/SystemParam]\nPc Com Port=3\n");
    m_home.MapPort(3, "/dev/ttyUSB0");

    EXPECT_EQ(PortDevicePath(3), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(2), "/dev/ttyS1");
}

TEST_F(PortNamingTest, ByIdPathIsTakenWhole) {
    const std::string byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    m_home.MapPort(1, byId);

    EXPECT_EQ(PortDevicePath(1), byId);
}

TEST_F(PortNamingTest, TenIsNotMistakenForOne) {
    m_home.MapPort(10, "/dev/ttyUSB9");
    EXPECT_EQ(PortDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath(10), "/dev/ttyUSB9");

    m_home.WriteSettings("");
    m_home.MapPort(1, "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(10), "/dev/ttyS9");
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

    EXPECT_EQ(PortDevicePath(4), "/dev/ttyS3");
}

}  // namespace
