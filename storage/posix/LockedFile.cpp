#include "LockedFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace radiosetup {

namespace {

constexpr std::intptr_t kClosed = -1;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

int OpenFlags(CLockedFile::Mode mode) {
    switch (mode) {
        case CLockedFile::Mode::ReadExisting:
            return O_RDONLY;
        case CLockedFile::Mode::WriteExisting:
            return O_WRONLY;
        case CLockedFile::Mode::CreateEmpty:
            break;
    }
    return O_WRONLY | O_CREAT;
}

// Only a regular file is taken: a FIFO or a device in its place could block, or act on
// something that is no channel file. A regular file without any write permission is
// read-only for everyone, root included, as a read-only file is on Windows.
bool IsRefused(int fd, CLockedFile::Mode mode) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return true;
    }
    const bool writing = mode != CLockedFile::Mode::ReadExisting;
    return writing && (info.st_mode & kAnyWrite) == 0;
}

// flock holds against every flock user, root included. Programs that lock with fcntl or
// lockf never see it, so a whole-file record lock on the open file description keeps
// them out as well. A write lock needs a writable descriptor: a reader takes a read lock
// once it knows that nobody else holds a record lock of either kind.
bool TakeLocks(int fd, CLockedFile::Mode mode) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return false;
    }
    struct flock wholeFile {};
    wholeFile.l_type = F_WRLCK;
    wholeFile.l_whence = SEEK_SET;
    if (mode == CLockedFile::Mode::ReadExisting) {
        if (fcntl(fd, F_OFD_GETLK, &wholeFile) != 0 || wholeFile.l_type != F_UNLCK) {
            return false;
        }
        wholeFile.l_type = F_RDLCK;
    }
    return fcntl(fd, F_OFD_SETLK, &wholeFile) == 0;
}

std::string AbsolutePath(const std::string& name) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(name, error);
    return error ? name : path.string();
}

FileError ErrorKind(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileError::DiskFull;
        case EIO:
            return FileError::HardwareIo;
        default:
            return FileError::Other;
    }
}

}  // namespace

CLockedFile::~CLockedFile() {
    Close();
}

bool CLockedFile::Open(const std::string& name, Mode mode) {
    Close();
    // Non-blocking, so that a FIFO in the file's place cannot hang the opening; a regular
    // file, the only kind kept, is unaffected by the flag.
    const int fd = ::open(name.c_str(), OpenFlags(mode) | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    // The locks are taken before anything is truncated, so a file that another opener
    // holds is left intact.
    const bool usable = !IsRefused(fd, mode) && TakeLocks(fd, mode) &&
                        (mode != Mode::CreateEmpty || ftruncate(fd, 0) == 0);
    if (!usable) {
        ::close(fd);
        return false;
    }
    m_hFile = fd;
    m_strFullPath = AbsolutePath(name);
    m_lastError = FileError::None;
    return true;
}

bool CLockedFile::Close() {
    if (m_hFile == kClosed) {
        return true;
    }
    const int fd = static_cast<int>(m_hFile);
    m_hFile = kClosed;
    // The descriptor is gone even when close fails, so it is never closed twice; the
    // failure can mean written data that the file system could not store.
    return ::close(fd) == 0 || Failed();
}

bool CLockedFile::Failed() {
    m_lastError = ErrorKind(errno);
    return false;
}

bool CLockedFile::Seek(std::int64_t offset) {
    if (lseek(static_cast<int>(m_hFile), static_cast<off_t>(offset), SEEK_SET) < 0) {
        return Failed();
    }
    return true;
}

int CLockedFile::Read(std::uint8_t* buffer, int count) {
    int total = 0;
    while (total < count) {
        const ssize_t got = ::read(static_cast<int>(m_hFile), buffer + total,
                                   static_cast<std::size_t>(count - total));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
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

bool CLockedFile::Write(const std::uint8_t* bytes, int count) {
    int total = 0;
    while (total < count) {
        const ssize_t put = ::write(static_cast<int>(m_hFile), bytes + total,
                                    static_cast<std::size_t>(count - total));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            // A device that takes nothing more without an error has no room left.
            if (put == 0) {
                errno = ENOSPC;
            }
            return Failed();
        }
        total += static_cast<int>(put);
    }
    return true;
}

}  // namespace radiosetup
