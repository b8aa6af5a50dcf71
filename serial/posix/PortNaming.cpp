#include "PortNaming.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

#include "PcPortSettings.h"
#include "posix/ConfFile.h"
#include "posix/DeviceRoot.h"
#include "posix/PortHolders.h"

namespace radiosetup {

namespace {

constexpr const char* kPortsSection = "Ports";
constexpr const char* kKeyPrefix = "COM";
constexpr const char* kUartPrefix = "ttyS";

using PortLines = std::map<int, std::string>;  // number -> device path

// "COM12" gives 12; anything else nothing.
std::optional<int> NumberOfKey(const std::string& key, const std::string& prefix) {
    if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0 ||
        key.size() > prefix.size() + 3) {
        return std::nullopt;
    }
    int number = 0;
    for (std::size_t i = prefix.size(); i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9') {
            return std::nullopt;
        }
        number = number * 10 + (key[i] - '0');
    }
    return number;
}

// Read afresh each time: the map may change while the program runs.
CConfFile LoadedSettings() {
    CConfFile settings(CConfFile::DefaultPath());
    settings.Load();
    return settings;
}

PortLines LinesOf(const CConfFile& settings) {
    PortLines lines;
    for (const auto& [key, value] : settings.Entries(kPortsSection)) {
        const auto number = NumberOfKey(key, kKeyPrefix);
        if (number && *number >= 1 && !value.empty() && lines.count(*number) == 0) {
            lines.emplace(*number, value);
        }
    }
    return lines;
}

std::string BuiltInUart(int number) {
    return UnderDeviceRoot("/dev/" + std::string(kUartPrefix) + std::to_string(number - 1));
}

// The number a built-in UART has when no line gives it away: ttyS0 is port 1.
std::optional<int> UartNumber(const SerialPortInfo& port) {
    const std::string name = std::filesystem::path(port.devicePath).filename().string();
    const auto index = NumberOfKey(name, kUartPrefix);
    if (port.isAdapter || !index || port.devicePath != BuiltInUart(*index + 1)) {
        return std::nullopt;
    }
    return *index + 1;
}

bool SameDevice(const std::string& path, const SerialPortInfo& port) {
    if (path == port.devicePath || path == port.stableName) {
        return true;
    }
    std::error_code error, otherError;
    const auto resolved = std::filesystem::canonical(path, error);
    return !error && resolved == std::filesystem::canonical(port.devicePath, otherError);
}

bool IsNamed(const PortLines& lines, const SerialPortInfo& port) {
    return std::any_of(lines.begin(), lines.end(),
                       [&port](const auto& line) { return SameDevice(line.second, port); });
}

// Free: no line names it and no present UART holds it by default.
int LowestFreeNumber(const PortLines& lines, const std::vector<SerialPortInfo>& ports) {
    for (int number = 1; number < kHighestNumberedPort; ++number) {
        const bool heldByUart = std::any_of(ports.begin(), ports.end(), [number](const auto& p) {
            return UartNumber(p) == number;
        });
        if (lines.count(number) == 0 && !heldByUart) {
            return number;
        }
    }
    return kHighestNumberedPort;
}

SerialPortInfo MappedPort(const std::string& path, const std::vector<SerialPortInfo>& ports) {
    const auto found = std::find_if(ports.begin(), ports.end(),
                                    [&path](const auto& port) { return SameDevice(path, port); });
    if (found != ports.end()) {
        return *found;
    }
    SerialPortInfo port;
    port.devicePath = path;
    port.stableName = path;
    port.state = ProbePortState(path, port.holder);
    return port;
}

std::string KeyOf(int number) {
    return kKeyPrefix + std::to_string(number);
}

}  // namespace

std::string PortDevicePath(int portNumber) {
    const PortLines lines = LinesOf(LoadedSettings());
    const auto mapped = lines.find(portNumber);
    return mapped != lines.end() ? mapped->second : BuiltInUart(portNumber);
}

void NumberNewAdapters() {
    CConfFile settings = LoadedSettings();
    PortLines lines = LinesOf(settings);
    const std::vector<SerialPortInfo> ports = EnumerateSerialPorts();
    bool numbered = false;
    for (const SerialPortInfo& port : ports) {
        if (port.isAdapter && !IsNamed(lines, port)) {
            const int number = LowestFreeNumber(lines, ports);
            lines.emplace(number, port.stableName);
            settings.SetValue(kPortsSection, KeyOf(number), port.stableName);
            numbered = true;
        }
    }
    // An unwritable file leaves the numbers for this run; the next run gives them again.
    if (numbered) {
        settings.Save();
    }
}

std::vector<NumberedPort> ListPorts() {
    const PortLines lines = LinesOf(LoadedSettings());
    const std::vector<SerialPortInfo> ports = EnumerateSerialPorts();
    std::vector<NumberedPort> listed;
    for (const auto& [number, path] : lines) {
        listed.push_back({number, MappedPort(path, ports)});
    }
    for (const SerialPortInfo& port : ports) {
        if (!IsNamed(lines, port)) {
            const auto uart = UartNumber(port);
            listed.push_back({uart && lines.count(*uart) == 0 ? *uart : 0, port});
        }
    }
    std::stable_sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) {
        return (a.number == 0 ? kHighestNumberedPort + 1 : a.number) <
               (b.number == 0 ? kHighestNumberedPort + 1 : b.number);
    });
    return listed;
}

bool AssignPortNumber(int portNumber, const std::string& devicePath, std::string& reason) {
    if (portNumber < 1 || portNumber > kHighestNumberedPort || devicePath.empty()) {
        reason =
            "a port number is 1.." + std::to_string(kHighestNumberedPort) + " and needs a device";
        return false;
    }
    CConfFile settings(CConfFile::DefaultPath());
    if (settings.Load() == CConfFile::LoadResult::Unreadable) {
        reason = settings.Path() + " cannot be read";
        return false;
    }
    SerialPortInfo device;
    device.devicePath = devicePath;
    for (const auto& [number, path] : LinesOf(settings)) {
        if (SameDevice(path, device)) {
            settings.RemoveValue(kPortsSection, KeyOf(number));
        }
    }
    settings.SetValue(kPortsSection, KeyOf(portNumber), devicePath);
    if (!settings.Save()) {
        reason = settings.Path() + " cannot be written";
        return false;
    }
    return true;
}

}  // namespace radiosetup
