#include "DeviceMachine.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

void WriteAttribute(const fs::path& folder, const std::string& name, const std::string& value) {
    fs::create_directories(folder);
    WriteWholeFile((folder / name).string(), value + "\n");
}

// /sys/class/tty/<tty>/device -> the device's folder, whose driver link names its driver.
void AddTtyEntry(const fs::path& root, const std::string& tty, const fs::path& deviceFolder,
                 const std::string& driver) {
    const fs::path entry = root / "sys/class/tty" / tty;
    fs::create_directories(entry);
    fs::create_directories(deviceFolder);
    fs::create_directories(root / "sys/bus/drivers" / driver);
    fs::create_symlink(root / "sys/bus/drivers" / driver, deviceFolder / "driver");
    fs::create_symlink(deviceFolder, entry / "device");
}

}  // namespace

CDeviceMachine::CDeviceMachine() : m_env("RADIOSETUP_DEVICE_ROOT", m_root.Path()) {
    fs::create_directories(m_root.File("dev/serial/by-id"));
    fs::create_directories(m_root.File("sys/class/tty"));
    // A virtual terminal: a tty entry without a device, which is no serial port.
    fs::create_directories(m_root.File("sys/class/tty/tty1"));
}

std::string CDeviceMachine::Dev(const std::string& tty) const {
    return m_root.File("dev/" + tty);
}

std::string CDeviceMachine::UsbDevice(const std::string& tty) const {
    return m_root.File("sys/devices/usb1/1-" + tty);
}

void CDeviceMachine::AddNode(const std::string& tty, const std::string& target) const {
    fs::create_symlink(target, Dev(tty));
}

std::string CDeviceMachine::PlugUsb(const std::string& tty, const std::string& target,
                                    const Usb& usb) {
    const fs::path usbDevice = UsbDevice(tty);
    WriteAttribute(usbDevice, "idVendor", "0403");
    WriteAttribute(usbDevice, "idProduct", "6001");
    WriteAttribute(usbDevice, "manufacturer", usb.manufacturer);
    WriteAttribute(usbDevice, "product", usb.product);
    WriteAttribute(usbDevice, "serial", usb.serial);
    AddTtyEntry(m_root.Path(), tty, usbDevice / "1-1:1.0" / tty, "usbserial");
    AddNode(tty, target);
    const std::string byId =
        m_root.File("dev/serial/by-id/usb-" + usb.manufacturer + "_" + usb.serial + "-if00-port0");
    fs::create_symlink("../../" + tty, byId);
    return byId;
}

void CDeviceMachine::AddUart(const std::string& tty, const std::string& target, bool hasUart) {
    AddTtyEntry(m_root.Path(), tty, m_root.File("sys/devices/platform/serial8250/" + tty),
                "serial8250");
    // 4 is a 16550A; 0 says no UART answered at the port's address.
    WriteAttribute(m_root.File("sys/class/tty/" + tty), "type", hasUart ? "4" : "0");
    AddNode(tty, target);
}

void CDeviceMachine::Unplug(const std::string& tty) {
    for (const auto& link : fs::directory_iterator(m_root.File("dev/serial/by-id"))) {
        if (fs::read_symlink(link.path()).filename() == tty) {
            fs::remove(link.path());
        }
    }
    fs::remove(Dev(tty));
    fs::remove_all(m_root.File("sys/class/tty/" + tty));
    fs::remove_all(UsbDevice(tty));
}
