#include "WinTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

HKEY CreateTestKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create the test key " + path);
    }
    return key;
}

}  // namespace

std::string WinePath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string SharedScratch(const std::string& name) {
    const char* folder = std::getenv("RADIOSETUP_TEST_SCRATCH");
    if (folder == nullptr || *folder == '\0') {
        return {};
    }
    return WinePath(std::string(folder) + "/" + name);
}

// One line per frame: "<time>  <frame>  ->  <reply>  [note]".
std::vector<std::string> RadioLogFrames(const std::string& logName) {
    std::ifstream log(SharedScratch(logName));
    std::vector<std::string> frames;
    const std::size_t kFrameText = 23;  // eight bytes as "55 AA ..."
    for (std::string line; std::getline(log, line);) {
        const std::size_t arrow = line.find("  ->  ");
        if (arrow != std::string::npos && arrow >= kFrameText) {
            frames.push_back(line.substr(arrow - kFrameText, kFrameText));
        }
    }
    return frames;
}

CWinTempDir::CWinTempDir() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    const std::string stem = "radiosetup-" + std::to_string(GetCurrentProcessId()) + "-";
    for (int attempt = 0;; ++attempt) {
        const std::filesystem::path candidate = base / (stem + std::to_string(attempt));
        if (std::filesystem::create_directory(candidate)) {
            m_strPath = candidate.string();
            return;
        }
    }
}

CWinTempDir::~CWinTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_strPath, ignored);
}

CScopedWorkingFolder::CScopedWorkingFolder(const CWinTempDir& folder)
    : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(folder.Path());
}

CScopedWorkingFolder::~CScopedWorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
}

CScopedRegistryRoots::CScopedRegistryRoots()
    : m_strTestKey("Software\\RadiosetupTests\\" + std::to_string(GetCurrentProcessId())) {
    m_hMachine = CreateTestKey(m_strTestKey + "\\Machine");
    m_hUser = CreateTestKey(m_strTestKey + "\\User");
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_hMachine);
    RegOverridePredefKey(HKEY_CURRENT_USER, m_hUser);
    ListSerialPorts({{L"\\Device\\Serial0", L"COM1"}, {L"\\Device\\Serial11", L"COM12"}});
}

void CScopedRegistryRoots::ListSerialPorts(const std::vector<ListedSerialPort>& ports) {
    const wchar_t* const path = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
    RegDeleteTreeW(m_hMachine, path);
    HKEY key = nullptr;
    if (RegCreateKeyExW(m_hMachine, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create the test's serial port list");
    }
    for (const ListedSerialPort& port : ports) {
        RegSetValueExW(key, port.deviceName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(port.portName.c_str()),
                       static_cast<DWORD>((port.portName.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
}

CScopedRegistryRoots::~CScopedRegistryRoots() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(m_hUser);
    RegCloseKey(m_hMachine);
    RegDeleteTreeA(HKEY_CURRENT_USER, m_strTestKey.c_str());
}
