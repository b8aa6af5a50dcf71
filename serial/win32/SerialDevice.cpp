#include "SerialDevice.h"

#include <windows.h>

#include "PcPortSettings.h"
#include "win32/WideText.h"

namespace radiosetup {

namespace {

constexpr DWORD kWriteWaitMs = 1000;
constexpr DWORD kReadWaitMs = 2000;
constexpr DWORD kWriteTotalTimeoutMs = 5000;
constexpr DWORD kQueueBytes = 10000;

// One overlapped record with its own manual-reset, unsignalled, unnamed event.
struct OverlappedRecord {
    OVERLAPPED record{};

    OverlappedRecord() { record.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr); }
    ~OverlappedRecord() {
        if (record.hEvent != nullptr) {
            CloseHandle(record.hEvent);
        }
    }
    OverlappedRecord(const OverlappedRecord&) = delete;
    OverlappedRecord& operator=(const OverlappedRecord&) = delete;

    // Each transfer starts from a clean record; the event is reset by the transfer.
    OVERLAPPED* Fresh() {
        const HANDLE event = record.hEvent;
        record = OVERLAPPED{};
        record.hEvent = event;
        return &record;
    }
};

bool IsKnownParity(int parity) {
    return parity == kParityNone || parity == kParityOdd || parity == kParityEven;
}

using Kind = PortFailure::Kind;

// No device behind the name: never there, or an adapter already unplugged.
bool IsMissingError(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
           error == ERROR_DEV_NOT_EXIST || error == ERROR_DEVICE_NOT_CONNECTED;
}

// Wine opens a port mapped to a file that is not there, and the handle then cannot even
// say what kind of file it is; a real device, serial or not, can.
bool LeadsNowhere(HANDLE device) {
    SetLastError(NO_ERROR);
    return GetFileType(device) == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR;
}

// Windows refuses a port another program holds with access denied, a file opened without
// sharing with a sharing violation.
Kind KindOfOpenError(DWORD error) {
    if (IsMissingError(error)) {
        return Kind::Absent;
    }
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) {
        return Kind::InUse;
    }
    return Kind::NotSerial;
}

// What an open port fails with once its device is gone: a closed far end breaks the pipe,
// an unplugged adapter no longer takes commands, is no longer connected or refuses the
// handle it gave, and its pending transfers end aborted.
bool IsGoneError(DWORD error) {
    switch (error) {
        case ERROR_BROKEN_PIPE:
        case ERROR_NOT_READY:
        case ERROR_BAD_COMMAND:
        case ERROR_ACCESS_DENIED:
        case ERROR_DEVICE_NOT_CONNECTED:
        case ERROR_DEVICE_REMOVED:
        case ERROR_OPERATION_ABORTED:
            return true;
        default:
            return false;
    }
}

// Reads return at once with what the driver already holds.
void SetImmediateReads(HANDLE device) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = kWriteTotalTimeoutMs;
    SetCommTimeouts(device, &timeouts);
}

// Stop bits, flow control and special characters stay as the driver has them. A device
// that cannot tell its line is no serial port.
bool ConfigureLine(HANDLE device, int baudRate, int parity, PortFailure& failure) {
    DCB line{};
    line.DCBlength = sizeof line;
    if (!GetCommState(device, &line)) {
        failure.kind = LeadsNowhere(device) ? Kind::Absent : Kind::NotSerial;
        return false;
    }
    line.BaudRate = static_cast<DWORD>(baudRate);
    line.ByteSize = 8;
    line.fParity = TRUE;
    line.Parity = static_cast<BYTE>(parity);
    failure.kind = Kind::SettingsRefused;
    return SetCommState(device, &line) && SetupComm(device, kQueueBytes, kQueueBytes);
}

// Waits for a started transfer; one still running after the wait is cancelled and
// collected, so its record and buffer are free when this returns. The bytes moved; gone
// is set when the transfer ended because the device went away (not by our cancelling).
DWORD FinishTransfer(HANDLE device, OVERLAPPED* overlapped, DWORD waitMs, bool& gone) {
    DWORD moved = 0;
    if (WaitForSingleObject(overlapped->hEvent, waitMs) == WAIT_OBJECT_0) {
        if (GetOverlappedResult(device, overlapped, &moved, FALSE)) {
            return moved;
        }
        gone |= IsGoneError(GetLastError());
    }
    CancelIoEx(device, overlapped);
    GetOverlappedResult(device, overlapped, &moved, TRUE);
    return 0;
}

}  // namespace

struct CSerialDevice::Handles {
    HANDLE device;
    OverlappedRecord read;
    OverlappedRecord write;
    bool vanished = false;

    explicit Handles(HANDLE opened) : device(opened) {}
    ~Handles() { CloseHandle(device); }
    Handles(const Handles&) = delete;
    Handles& operator=(const Handles&) = delete;
};

std::unique_ptr<CSerialDevice> CSerialDevice::Open(const std::string& devicePath, int baudRate,
                                                   int parity, PortFailure& failure) {
    failure = PortFailure{Kind::SettingsRefused, devicePath, {}, {}};
    if (baudRate <= 0 || !IsKnownParity(parity)) {
        return nullptr;
    }
    const HANDLE device =
        CreateFileW(Utf16(devicePath).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        failure.kind = KindOfOpenError(GetLastError());
        return nullptr;
    }
    auto handles = std::make_unique<Handles>(device);
    if (handles->read.record.hEvent == nullptr || handles->write.record.hEvent == nullptr) {
        failure.kind = Kind::NotSerial;
        return nullptr;
    }
    SetImmediateReads(device);
    if (!ConfigureLine(device, baudRate, parity, failure)) {
        return nullptr;
    }
    // A freshly opened port starts with an empty input queue.
    PurgeComm(device, PURGE_RXCLEAR);
    return std::unique_ptr<CSerialDevice>(new CSerialDevice(std::move(handles)));
}

CSerialDevice::CSerialDevice(std::unique_ptr<Handles> handles) : m_pHandles(std::move(handles)) {}

CSerialDevice::~CSerialDevice() = default;

void CSerialDevice::WriteByte(std::uint8_t value) {
    OVERLAPPED* overlapped = m_pHandles->write.Fresh();
    if (WriteFile(m_pHandles->device, &value, 1, nullptr, overlapped)) {
        return;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_IO_PENDING) {
        FinishTransfer(m_pHandles->device, overlapped, kWriteWaitMs, m_pHandles->vanished);
    } else {
        m_pHandles->vanished |= IsGoneError(error);
    }
}

int CSerialDevice::QueuedInput() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(m_pHandles->device, &errors, &status)) {
        m_pHandles->vanished |= IsGoneError(GetLastError());
        return 0;  // a vanished device has nothing queued
    }
    return static_cast<int>(status.cbInQue);
}

int CSerialDevice::ReadQueued(std::uint8_t* buffer, int count) {
    if (count <= 0) {
        return 0;
    }
    OVERLAPPED* overlapped = m_pHandles->read.Fresh();
    DWORD got = 0;
    if (ReadFile(m_pHandles->device, buffer, static_cast<DWORD>(count), &got, overlapped)) {
        return static_cast<int>(got);
    }
    const DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING) {
        m_pHandles->vanished |= IsGoneError(error);
        return 0;
    }
    return static_cast<int>(
        FinishTransfer(m_pHandles->device, overlapped, kReadWaitMs, m_pHandles->vanished));
}

bool CSerialDevice::HasVanished() const {
    return m_pHandles->vanished;
}

// Windows frees a handle and its sharing with the process; there are no lock files.
void CSerialDevice::ReleaseAllForExit() {}

}  // namespace radiosetup
