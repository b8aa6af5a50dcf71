#include "LockedFile.h"

#include <windows.h>

#include <string>

#include "win32/WideText.h"

namespace radiosetup {

namespace {

constexpr std::intptr_t kClosed = -1;  // INVALID_HANDLE_VALUE

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::string FullPathOf(const std::wstring& name) {
    const DWORD length = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return Utf8(name);
    }
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(name.c_str(), length, full.data(), nullptr));
    return Utf8(full);
}

// Windows refuses writing a read-only file by itself; asked first, it is refused the
// same way where the system would let an administrator through (Wine running as root).
bool IsReadOnly(const std::wstring& name) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

HANDLE OpenUnshared(const std::wstring& name, CLockedFile::Mode mode) {
    const bool reading = mode == CLockedFile::Mode::ReadExisting;
    if (!reading && IsReadOnly(name)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    const DWORD disposition =
        mode == CLockedFile::Mode::CreateEmpty ? CREATE_ALWAYS : OPEN_EXISTING;
    return CreateFileW(name.c_str(), reading ? GENERIC_READ : GENERIC_WRITE, 0, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

FileError ErrorKind(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return FileError::DiskFull;
        case ERROR_CRC:
        case ERROR_IO_DEVICE:
        case ERROR_SECTOR_NOT_FOUND:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
            return FileError::HardwareIo;
        default:
            return FileError::Other;
    }
}

}  // namespace

CLockedFile::~CLockedFile() {
    Close();
}

// Share mode 0 keeps every other opener out, this program included, until Close.
bool CLockedFile::Open(const std::string& name, Mode mode) {
    Close();
    const std::wstring wideName = Utf16(name);
    const HANDLE file = OpenUnshared(wideName, mode);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    // A device or a pipe under the name is no channel file.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return false;
    }
    m_hFile = reinterpret_cast<std::intptr_t>(file);
    m_strFullPath = FullPathOf(wideName);
    m_lastError = FileError::None;
    return true;
}

bool CLockedFile::Close() {
    if (m_hFile == kClosed) {
        return true;
    }
    const HANDLE file = AsHandle(m_hFile);
    m_hFile = kClosed;
    return CloseHandle(file) || Failed();
}

bool CLockedFile::Failed() {
    m_lastError = ErrorKind(GetLastError());
    return false;
}

bool CLockedFile::Seek(std::int64_t offset) {
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    return SetFilePointerEx(AsHandle(m_hFile), distance, nullptr, FILE_BEGIN) || Failed();
}

int CLockedFile::Read(std::uint8_t* buffer, int count) {
    int total = 0;
    while (total < count) {
        DWORD got = 0;
        if (!ReadFile(AsHandle(m_hFile), buffer + total, static_cast<DWORD>(count - total), &got,
                      nullptr)) {
            Failed();
            return -1;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<int>(got);
    }
    return total;
}

// A full disk first takes part of a write and reports success: anything short is a
// failure, counted as a full disk when the system names no other cause.
bool CLockedFile::Write(const std::uint8_t* bytes, int count) {
    DWORD put = 0;
    if (!WriteFile(AsHandle(m_hFile), bytes, static_cast<DWORD>(count), &put, nullptr)) {
        return Failed();
    }
    if (put < static_cast<DWORD>(count)) {
        m_lastError = FileError::DiskFull;
        return false;
    }
    return true;
}

}  // namespace radiosetup
