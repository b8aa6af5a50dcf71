#include "TextFile.h"

#include "AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace radiosetup {

std::optional<std::string> CTextFile::Read(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool CTextFile::Write(const std::string& path, const std::string& text) {
    return ReplaceFileAtomically(path, text) == ReplaceOutcome::Replaced;
}

}  // namespace radiosetup
