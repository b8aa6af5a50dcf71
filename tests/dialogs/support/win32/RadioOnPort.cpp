#include "RadioOnPort.h"

#include <cstdlib>
#include <stdexcept>

#include "DialogDriver.h"
#include "SerialLinks.h"
#include "Win32DialogTemplate.h"
#include "WinTestSupport.h"

namespace {

// The run's fixture script is a Linux program: Wine starts it but gives no handle to wait
// on, so it marks the end of a restart with a file.
void RestartRadio(RadioManner manner, int portNumber) {
    const std::string port = "com" + std::to_string(portNumber);
    const char* restart = std::getenv("RADIOSETUP_RADIO_RESTART");
    if (restart == nullptr) {
        throw std::runtime_error("RADIOSETUP_RADIO_RESTART names no restart command");
    }
    // The Win32 calls: std::filesystem of mingw-w64 sees no file on Wine's drive Z:.
    const std::wstring ready = Utf16(SharedScratch("radio-" + port + ".ready"));
    DeleteFileW(ready.c_str());
    std::wstring commandLine =
        Utf16(std::string("bash ") + restart + " COM" + std::to_string(portNumber));
    if (manner == RadioManner::Silent) {
        commandLine += L" --silent";
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\bash", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        throw std::runtime_error("the radio's restart could not be started");
    }
    for (const HANDLE handle : {process.hProcess, process.hThread}) {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
    const auto restarted = [&] {
        return GetFileAttributesW(ready.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    if (!RunUntil(restarted, std::chrono::seconds(10))) {
        throw std::runtime_error("the radio on " + port + " did not restart");
    }
}

}  // namespace

struct CRadioOnPort::Backend {
    CScopedRegistryRoots roots;
    CWinTempDir workFolder;
    CScopedWorkingFolder inWorkFolder{workFolder};
    std::string port;  // "com1": the fixture's name of the port
    CSerialPort mainPort;
};

CRadioOnPort::CRadioOnPort(RadioManner manner, int portNumber)
    : m_pBackend(std::make_unique<Backend>()) {
    m_pBackend->port = "com" + std::to_string(portNumber);
    RestartRadio(manner, portNumber);
}

CRadioOnPort::~CRadioOnPort() = default;

RadioLinks CRadioOnPort::Links() {
    return SerialLinks(m_pBackend->mainPort);
}

std::vector<std::string> CRadioOnPort::Frames() const {
    return RadioLogFrames("radio-" + m_pBackend->port + ".log");
}
