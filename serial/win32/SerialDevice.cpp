#include "SerialDevice.h"

#include <windows.h>

#include "PcPortSettings.h"

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

// Reads return at once with what the driver already holds.
void SetImmediateReads(HANDLE device) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = kWriteTotalTimeoutMs;
    SetCommTimeouts(device, &timeouts);
}

// Stop bits, flow control and special characters stay as the driver has them.
bool ConfigureLine(HANDLE device, int baudRate, int parity) {
    DCB line{};
    line.DCBlength = sizeof line;
    if (!GetCommState(device, &line)) {
        return false;
    }
    line.BaudRate = static_cast<DWORD>(baudRate);
    line.ByteSize = 8;
    line.fParity = TRUE;
    line.Parity = static_cast<BYTE>(parity);
    return SetCommState(device, &line) && SetupComm(device, kQueueBytes, kQueueBytes);
}

// Waits for a started transfer; one still running after the wait is cancelled and
// collected, so its record and buffer are free when this returns. The bytes moved.
DWORD FinishTransfer(HANDLE device, OVERLAPPED* overlapped, DWORD waitMs) {
    DWORD moved = 0;
    if (WaitForSingleObject(overlapped->hEvent, waitMs) == WAIT_OBJECT_0 &&
        GetOverlappedResult(device, overlapped, &moved, FALSE)) {
        return moved;
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

    explicit Handles(HANDLE opened) : device(opened) {}
    ~Handles() { CloseHandle(device); }
    Handles(const Handles&) = delete;
    Handles& operator=(const Handles&) = delete;
};

std::unique_ptr<CSerialDevice> CSerialDevice::Open(const std::string& devicePath, int baudRate,
                                                   int parity) {
    if (baudRate <= 0 || !IsKnownParity(parity)) {
        return nullptr;
    }
    const HANDLE device =
        CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    auto handles = std::make_unique<Handles>(device);
    SetImmediateReads(device);
    if (handles->read.record.hEvent == nullptr || handles->write.record.hEvent == nullptr ||
        !ConfigureLine(device, baudRate, parity)) {
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
    if (!WriteFile(m_pHandles->device, &value, 1, nullptr, overlapped) &&
        GetLastError() == ERROR_IO_PENDING) {
        FinishTransfer(m_pHandles->device, overlapped, kWriteWaitMs);
    }
}

int CSerialDevice::QueuedInput() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(m_pHandles->device, &errors, &status)) {
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
    if (GetLastError() != ERROR_IO_PENDING) {
        return 0;
    }
    return static_cast<int>(FinishTransfer(m_pHandles->device, overlapped, kReadWaitMs));
}

}  // namespace radiosetup
