#include "TextFile.h"

#include "AtomicFile.h"

#include <filesystem>
#include <iterator>

namespace radiosetup {

std::optional<std::string> CTextFile::Read(const std::string& path) {
    std::optional<std::ifstream> file = Open(path);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(*file), {});
}

std::optional<std::ifstream> CTextFile::Open(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return file;
}

bool CTextFile::Write(const std::string& path, const std::string& text) {
    return ReplaceFileAtomically(path, text) == ReplaceOutcome::Replaced;
}

}  // namespace radiosetup
