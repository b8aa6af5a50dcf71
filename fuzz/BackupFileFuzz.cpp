// Any text as a backup and as set's parameters: a refusal says why, and a backup that is
// taken reads back the same once written.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "BackupFile.h"

using radiosetup::CBackupFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (!CBackupFile::ParseParameters(text, error) && error.empty()) {
        std::abort();
    }
    error.clear();
    const auto backup = CBackupFile::Parse(text, error);
    if (!backup) {
        if (error.empty()) {
            std::abort();
        }
        return 0;
    }
    const std::string written = CBackupFile::Format(*backup);
    const auto again = CBackupFile::Parse(written, error);
    if (!again || CBackupFile::Format(*again) != written) {
        std::abort();
    }
    return 0;
}
