#pragma once

#include <fstream>
#include <optional>
#include <string>

namespace radiosetup {

// Whole text files as the command line reads and writes them, byte for byte.
class CTextFile {
public:
    // Nullopt when the path is no regular file (a FIFO could block) or cannot be read.
    static std::optional<std::string> Read(const std::string& path);
    // The same file to be read a piece at a time.
    static std::optional<std::ifstream> Open(const std::string& path);
    // Creates or replaces the file atomically; false when it could not be written whole
    // or has no write bit, and then the old file is as it was.
    static bool Write(const std::string& path, const std::string& text);
};

}  // namespace radiosetup
