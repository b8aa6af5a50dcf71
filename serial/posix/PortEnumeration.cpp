#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "SerialPortInfo.h"
#include "posix/DeviceRoot.h"
#include "posix/PortHolders.h"

namespace radiosetup {

namespace fs = std::filesystem;

namespace {

// How far above the tty the USB device sits: ttyUSB0 <- interface <- device.
constexpr int kUsbDeviceLevels = 3;
// The port type of an 8250-type port with no UART behind it.
constexpr const char* kUnknownPortType = "0";

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::optional<fs::path> Canonical(const fs::path& path) {
    std::error_code error;
    fs::path resolved = fs::canonical(path, error);
    return error ? std::nullopt : std::optional<fs::path>(resolved);
}

// The USB device above a tty's device folder: the first folder with a vendor id.
std::optional<fs::path> UsbDeviceOf(const fs::path& deviceFolder) {
    fs::path folder = deviceFolder;
    for (int level = 0; level < kUsbDeviceLevels && folder.has_relative_path(); ++level) {
        if (fs::exists(folder / "idVendor")) {
            return folder;
        }
        folder = folder.parent_path();
    }
    return std::nullopt;
}

// "FTDI FT232R USB UART (A50285BI)", from what the adapter says of itself.
std::string UsbDescription(const fs::path& usbDevice) {
    std::string text = FirstLine(usbDevice / "manufacturer");
    const std::string product = FirstLine(usbDevice / "product");
    if (!product.empty()) {
        text += (text.empty() ? "" : " ") + product;
    }
    if (text.empty()) {
        text =
            "USB " + FirstLine(usbDevice / "idVendor") + ":" + FirstLine(usbDevice / "idProduct");
    }
    const std::string serial = FirstLine(usbDevice / "serial");
    return serial.empty() ? text : text + " (" + serial + ")";
}

std::string DriverOf(const fs::path& deviceFolder) {
    std::error_code error;
    const fs::path driver = fs::read_symlink(deviceFolder / "driver", error);
    return error ? std::string() : driver.filename().string();
}

// The by-id links, each with the device it leads to.
std::vector<std::pair<fs::path, fs::path>> ByIdLinks() {
    std::vector<std::pair<fs::path, fs::path>> links;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(UnderDeviceRoot("/dev/serial/by-id"), error)) {
        if (const auto target = Canonical(entry.path())) {
            links.emplace_back(entry.path(), *target);
        }
    }
    std::sort(links.begin(), links.end());
    return links;
}

std::string StableName(const fs::path& devicePath,
                       const std::vector<std::pair<fs::path, fs::path>>& byId) {
    const auto target = Canonical(devicePath);
    for (const auto& [link, linkTarget] : byId) {
        if (target && *target == linkTarget) {
            return link.string();
        }
    }
    return devicePath.string();
}

// A tty with a device behind it, leaving out 8250-type ports whose UART is unknown.
std::optional<SerialPortInfo> PortOf(const fs::path& ttyFolder,
                                     const std::vector<std::pair<fs::path, fs::path>>& byId) {
    const auto deviceFolder = Canonical(ttyFolder / "device");
    if (!deviceFolder || FirstLine(ttyFolder / "type") == kUnknownPortType) {
        return std::nullopt;
    }
    SerialPortInfo port;
    port.devicePath = UnderDeviceRoot("/dev/" + ttyFolder.filename().string());
    port.stableName = StableName(port.devicePath, byId);
    const auto usbDevice = UsbDeviceOf(*deviceFolder);
    port.isAdapter = usbDevice.has_value();
    port.description = usbDevice ? UsbDescription(*usbDevice) : DriverOf(*deviceFolder);
    port.state = ProbePortState(port.devicePath, port.holder);
    return port;
}

}  // namespace

std::vector<SerialPortInfo> EnumerateSerialPorts() {
    const auto byId = ByIdLinks();
    std::vector<fs::path> ttys;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(UnderDeviceRoot("/sys/class/tty"), error)) {
        ttys.push_back(entry.path());
    }
    std::sort(ttys.begin(), ttys.end());
    std::vector<SerialPortInfo> ports;
    for (const fs::path& tty : ttys) {
        if (auto port = PortOf(tty, byId)) {
            ports.push_back(std::move(*port));
        }
    }
    return ports;
}

}  // namespace radiosetup
