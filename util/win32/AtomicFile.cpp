#include "AtomicFile.h"

#include <windows.h>

#include <algorithm>

#include "win32/WideText.h"

namespace radiosetup {

namespace {

bool WriteWhole(HANDLE file, const std::string& content) {
    std::size_t written = 0;
    while (written < content.size()) {
        DWORD count = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - written, 1u << 20));
        // A full disk may first answer with a short write that reports success.
        if (!WriteFile(file, content.data() + written, chunk, &count, nullptr) || count == 0) {
            return false;
        }
        written += count;
    }
    return true;
}

}  // namespace

ReplaceOutcome ReplaceFileAtomically(const std::string& path, const std::string& content,
                                     int /*newFileMode*/) {
    const std::wstring target = Utf16(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return ReplaceOutcome::ReadOnly;
    }
    const std::wstring temporary = target + L".tmp" + std::to_wstring(GetCurrentProcessId());
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return ReplaceOutcome::Failed;
    }
    const bool written = WriteWhole(file, content) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file) != 0;
    if (!written || !closed ||
        !MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return ReplaceOutcome::Failed;
    }
    return ReplaceOutcome::Replaced;
}

}  // namespace radiosetup
