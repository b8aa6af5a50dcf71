#pragma once

#include <cstdint>
#include <string>

namespace radiosetup {

// Why an access inside an open file failed.
enum class FileError { None, DiskFull, HardwareIo, Other };

// A file opened without sharing: while it is open, every other opening of it fails
// instead of waiting. Implemented once per platform (posix/, win32/).
class CLockedFile {
public:
    enum class Mode {
        ReadExisting,   // reading; the file must exist
        WriteExisting,  // writing; the file must exist and keeps its content
        CreateEmpty,    // writing; a new empty file replaces any file of that name
    };

    CLockedFile() = default;
    ~CLockedFile();
    CLockedFile(const CLockedFile&) = delete;
    CLockedFile& operator=(const CLockedFile&) = delete;

    // A relative name is resolved against the working directory. False when the file
    // is missing, held by another opener (flock or record lock), read-only for writing,
    // or not a regular file. Opening never waits.
    bool Open(const std::string& name, Mode mode);
    // False, with LastError() set, when closing reported an error; closed all the same.
    bool Close();
    // The full path the file was opened under.
    const std::string& FullPath() const { return m_strFullPath; }

    // Each of these is false (or -1) on an error, whose kind LastError() then tells.
    bool Seek(std::int64_t offset);
    // Reads up to count bytes; fewer, or none, at the end of the file.
    int Read(std::uint8_t* buffer, int count);
    bool Write(const std::uint8_t* bytes, int count);
    FileError LastError() const { return m_lastError; }

private:
    bool Failed();

    std::intptr_t m_hFile = -1;  // file descriptor or Windows handle
    std::string m_strFullPath;
    FileError m_lastError = FileError::None;
};

}  // namespace radiosetup
