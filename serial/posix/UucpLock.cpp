#include "UucpLock.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace radiosetup {

namespace {

constexpr const char* kDefaultFolder = "/var/lock";
constexpr const char* kFolderVariable = "RADIOSETUP_LOCK_DIR";
constexpr int kAttempts = 2;  // a stale lock is removed once, then taken

// /dev/ttyUSB0 gives LCK..ttyUSB0 and /dev/pts/3 gives LCK..pts_3. Links are followed
// first, so every name of one device (/dev/serial/by-id/...) shares its lock.
std::string LockFileName(const std::string& devicePath) {
    std::error_code error;
    std::string name = std::filesystem::canonical(devicePath, error).string();
    if (error) {
        name = devicePath;
    }
    const std::string devFolder = "/dev/";
    if (name.compare(0, devFolder.size(), devFolder) == 0) {
        name.erase(0, devFolder.size());
    }
    std::replace(name.begin(), name.end(), '/', '_');
    return "LCK.." + name;
}

// The PID a lock file names; 0 when it cannot be read or names none.
pid_t LockOwner(const std::string& lockFile) {
    const int fd = open(lockFile.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    char text[32] = {};
    const ssize_t got = read(fd, text, sizeof text - 1);
    close(fd);
    if (got <= 0) {
        return 0;
    }
    char* end = nullptr;
    const long pid = std::strtol(text, &end, 10);
    return end != text && pid > 0 && pid <= INT_MAX ? static_cast<pid_t>(pid) : 0;
}

bool IsAlive(pid_t pid) {
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

bool WriteOwner(int fd) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(getpid()));
    return write(fd, text, static_cast<size_t>(length)) == length;
}

std::string LockFilePath(const std::string& devicePath) {
    return UucpLockFolder() + "/" + LockFileName(devicePath);
}

}  // namespace

std::string UucpLockFolder() {
    const char* folder = std::getenv(kFolderVariable);
    return folder != nullptr && *folder != '\0' ? folder : kDefaultFolder;
}

int UucpLockHolder(const std::string& devicePath) {
    const pid_t owner = LockOwner(LockFilePath(devicePath));
    return IsAlive(owner) ? owner : 0;
}

std::optional<std::string> TakeUucpLock(const std::string& devicePath) {
    const std::string lockFile = LockFilePath(devicePath);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const int fd = open(lockFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const bool written = WriteOwner(fd);
            if (close(fd) == 0 && written) {
                return lockFile;
            }
            unlink(lockFile.c_str());
            return std::string();
        }
        if (errno != EEXIST) {
            return std::string();
        }
        if (IsAlive(LockOwner(lockFile))) {
            return std::nullopt;
        }
        if (unlink(lockFile.c_str()) != 0 && errno != ENOENT) {
            return std::string();  // a stale lock we may not remove stops nobody
        }
    }
    return std::nullopt;
}

void ReleaseUucpLock(const std::string& lockFile) {
    if (!lockFile.empty() && LockOwner(lockFile) == getpid()) {
        unlink(lockFile.c_str());
    }
}

}  // namespace radiosetup
