// initguid first: the device class GUIDs are defined here, not taken from a library.
#include <initguid.h>

#include <windows.h>

#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "PortNaming.h"
#include "SerialPortInfo.h"
#include "win32/ComPortName.h"
#include "win32/WideText.h"

namespace radiosetup {

namespace {

// Every serial port driver lists its ports here: value name the driver's device, data COMn.
constexpr const wchar_t* kSerialCommKey = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// "COM3" -> "USB Serial Port (COM3)", keyed in upper case.
using FriendlyNames = std::map<std::wstring, std::wstring>;

std::wstring Upper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// A REG_SZ value as stored, without the terminators it may or may not carry.
std::wstring Trimmed(std::wstring text) {
    text.erase(std::find(text.begin(), text.end(), L'\0'), text.end());
    return text;
}

std::wstring StringValue(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return Trimmed(text);
}

std::wstring PortNameOf(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    const HKEY key =
        SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::wstring name = StringValue(key, L"PortName");
    RegCloseKey(key);
    return name;
}

std::wstring DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
    DWORD size = 0;
    SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr, nullptr, 0, &size);
    if (size == 0) {
        return {};
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                           reinterpret_cast<BYTE*>(text.data()), size, nullptr)) {
        return {};
    }
    return Trimmed(text);
}

// The names Device Manager shows, for ports of the Ports class and for the others that
// offer the COM port interface (modems, some virtual ports).
FriendlyNames PresentFriendlyNames() {
    FriendlyNames names;
    const std::pair<const GUID*, DWORD> sets[] = {
        {&GUID_DEVCLASS_PORTS, DIGCF_PRESENT},
        {&GUID_DEVINTERFACE_COMPORT, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE},
    };
    for (const auto& [guid, flags] : sets) {
        const HDEVINFO devices = SetupDiGetClassDevsW(guid, nullptr, nullptr, flags);
        if (devices == INVALID_HANDLE_VALUE) {
            continue;
        }
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
            const std::wstring port = PortNameOf(devices, device);
            std::wstring text = DeviceProperty(devices, device, SPDRP_FRIENDLYNAME);
            if (text.empty()) {
                text = DeviceProperty(devices, device, SPDRP_DEVICEDESC);
            }
            if (!port.empty() && !text.empty()) {
                names.emplace(Upper(port), text);
            }
        }
        SetupDiDestroyDeviceInfoList(devices);
    }
    return names;
}

// Opened as the port opens it, and closed at once. Windows answers access denied for a
// port another program holds; any other refusal (a driver whose device is off or gone, a
// Bluetooth port without its partner) means nothing can be reached there now. Wine opens
// a port mapped to a missing file, but the handle cannot even say what kind of file it is.
PortState ProbeState(const std::wstring& devicePath) {
    const HANDLE device = CreateFileW(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? PortState::InUse
                                                                                : PortState::Absent;
    }
    SetLastError(NO_ERROR);
    const bool nowhere = GetFileType(device) == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR;
    CloseHandle(device);
    return nowhere ? PortState::Absent : PortState::Free;
}

struct ListedPort {
    std::wstring deviceName;  // the value's name, such as \Device\Serial0
    std::wstring portName;    // its data, such as COM1
};

std::vector<ListedPort> SerialCommValues() {
    std::vector<ListedPort> listed;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return listed;
    }
    DWORD longestName = 0;
    DWORD largestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &longestName, &largestData, nullptr, nullptr) == ERROR_SUCCESS) {
        std::wstring name(longestName + 1, L'\0');
        std::wstring data(largestData / sizeof(wchar_t) + 1, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = longestName + 1;
            DWORD dataSize = largestData;
            DWORD type = 0;
            const LONG result = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                              reinterpret_cast<BYTE*>(data.data()), &dataSize);
            if (result == ERROR_NO_MORE_ITEMS) {
                break;
            }
            if (result == ERROR_SUCCESS && type == REG_SZ) {
                const std::wstring port = Trimmed(data.substr(0, dataSize / sizeof(wchar_t)));
                if (!port.empty()) {
                    listed.push_back({name.substr(0, nameLength), port});
                }
            }
        }
    }
    RegCloseKey(key);
    return listed;
}

// COM ports by number, then any others by name.
bool ComesBefore(const SerialPortInfo& a, const SerialPortInfo& b) {
    const int numberA = ComPortNumber(a.stableName);
    const int numberB = ComPortNumber(b.stableName);
    return std::make_tuple(numberA == 0, numberA, a.stableName) <
           std::make_tuple(numberB == 0, numberB, b.stableName);
}

}  // namespace

std::vector<SerialPortInfo> EnumerateSerialPorts() {
    const std::vector<ListedPort> listed = SerialCommValues();
    const FriendlyNames friendly = listed.empty() ? FriendlyNames() : PresentFriendlyNames();
    std::vector<SerialPortInfo> ports;
    for (const ListedPort& entry : listed) {
        SerialPortInfo port;
        const std::string name = Utf8(entry.portName);
        const int number = ComPortNumber(name);
        port.stableName = number > 0 ? "COM" + std::to_string(number) : name;
        port.devicePath = number > 0 ? PortDevicePath(number) : "\\\\.\\" + name;
        const auto known = friendly.find(Upper(entry.portName));
        port.description = Utf8(known != friendly.end() ? known->second : entry.deviceName);
        port.state = ProbeState(Utf16(port.devicePath));
        ports.push_back(std::move(port));
    }
    std::sort(ports.begin(), ports.end(), ComesBefore);
    return ports;
}

}  // namespace radiosetup
