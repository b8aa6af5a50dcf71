#include "SerialDevice.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "PcPortSettings.h"
#include "posix/PortHolders.h"
#include "posix/UucpLock.h"

namespace radiosetup {

namespace {

constexpr int kWriteWaitMs = 1000;

struct SpeedEntry {
    int baudRate;
    speed_t speed;
};

constexpr SpeedEntry kSpeeds[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},     {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400},
};

// Rates without a termios speed are rejected, as a driver rejects a rate it cannot set.
std::optional<speed_t> SpeedFor(int baudRate) {
    for (const SpeedEntry& entry : kSpeeds) {
        if (entry.baudRate == baudRate) {
            return entry.speed;
        }
    }
    return std::nullopt;
}

bool IsKnownParity(int parity) {
    return parity == kParityNone || parity == kParityOdd || parity == kParityEven;
}

// Parity checking goes with parity: with none there is nothing to check.
void SetParity(termios& settings, int parity) {
    settings.c_cflag &= ~(PARENB | PARODD);
    settings.c_iflag &= ~INPCK;
    if (parity != kParityNone) {
        settings.c_cflag |= PARENB;
        settings.c_iflag |= INPCK;
    }
    if (parity == kParityOdd) {
        settings.c_cflag |= PARODD;
    }
}

// Pseudo-terminals drop PARENB (keeping INPCK and PARODD), and tcsetattr then reports
// EINVAL once the line already holds the asked settings. The line is as good as the
// device allows when everything else reads back as asked; a refused rate still fails.
bool HoldsAllButParity(int fd, const termios& wanted) {
    termios held{};
    if (tcgetattr(fd, &held) != 0) {
        return false;
    }
    return held.c_iflag == wanted.c_iflag && held.c_oflag == wanted.c_oflag &&
           (held.c_cflag & ~PARENB) == (wanted.c_cflag & ~PARENB) &&
           held.c_lflag == wanted.c_lflag && held.c_cc[VMIN] == wanted.c_cc[VMIN] &&
           held.c_cc[VTIME] == wanted.c_cc[VTIME] && cfgetispeed(&held) == cfgetispeed(&wanted) &&
           cfgetospeed(&held) == cfgetospeed(&wanted);
}

bool ConfigureLine(int fd, speed_t speed, int parity) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag &= ~CSIZE;
    settings.c_cflag |= CLOCAL | CREAD | CS8;
    SetParity(settings, parity);
    // Reads return at once with whatever has arrived.
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (cfsetspeed(&settings, speed) != 0) {
        return false;
    }
    return tcsetattr(fd, TCSANOW, &settings) == 0 || HoldsAllButParity(fd, settings);
}

using Kind = PortFailure::Kind;

std::string GroupOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return {};
    }
    const group* owner = getgrgid(info.st_gid);
    return owner != nullptr ? owner->gr_name : std::string();
}

// What a failed open(2) says of the device.
void DescribeOpenError(int error, PortFailure& failure) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            failure.kind = Kind::Absent;
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            failure.kind = Kind::NoPermission;
            failure.group = GroupOf(failure.devicePath);
            break;
        case EBUSY:
            failure.kind = Kind::InUse;
            break;
        default:
            failure.kind = Kind::NotSerial;
            break;
    }
}

// A port is never shared: flock keeps out every other opener, root included; TIOCEXCL
// also stops programs that do not take the lock. The UUCP lock file covers those that
// opened it first.
int OpenExclusive(PortFailure& failure) {
    const int fd = open(failure.devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        DescribeOpenError(errno, failure);
        return -1;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) {
        failure.kind = Kind::NotSerial;
    } else if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        failure.kind = Kind::InUse;
    } else if (ioctl(fd, TIOCEXCL) != 0) {
        failure.kind = Kind::NotSerial;
    } else {
        return fd;
    }
    close(fd);
    return -1;
}

// What a signal handler needs to give up an open device: no allocation, no lock.
struct ReleaseSlot {
    std::atomic<int> fd{-1};  // -1 free, -2 being filled
    char lockFile[PATH_MAX] = {};
};
constexpr int kReleaseSlots = 16;
ReleaseSlot g_releaseSlots[kReleaseSlots];

int RegisterForRelease(int fd, const std::string& lockFile) {
    for (int i = 0; i < kReleaseSlots; ++i) {
        int expected = -1;
        ReleaseSlot& slot = g_releaseSlots[i];
        if (slot.fd.compare_exchange_strong(expected, -2)) {
            const bool fits = lockFile.size() < sizeof slot.lockFile;
            std::memcpy(slot.lockFile, lockFile.c_str(), fits ? lockFile.size() + 1 : 1);
            slot.lockFile[fits ? lockFile.size() : 0] = '\0';
            slot.fd.store(fd);
            return i;
        }
    }
    return -1;  // more open devices than slots: these are released only by a clean end
}

bool WriteOne(int fd, std::uint8_t value) {
    return write(fd, &value, 1) == 1;
}

bool WaitWritable(int fd) {
    pollfd watch{fd, POLLOUT, 0};
    return poll(&watch, 1, kWriteWaitMs) == 1 && (watch.revents & POLLOUT) != 0;
}

// A vanished device fails with EIO or ENXIO.
bool IsGoneError(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

}  // namespace

struct CSerialDevice::Handles {
    int fd;
    std::string lockFile;  // the lock file taken for the device
    bool vanished = false;
    int releaseSlot = -1;
};

std::unique_ptr<CSerialDevice> CSerialDevice::Open(const std::string& devicePath, int baudRate,
                                                   int parity, PortFailure& failure) {
    failure = PortFailure{Kind::SettingsRefused, devicePath, {}, {}};
    const std::optional<speed_t> speed = SpeedFor(baudRate);
    if (!speed || !IsKnownParity(parity)) {
        return nullptr;
    }
    const std::optional<std::string> lockFile = TakeUucpLock(devicePath);
    if (!lockFile) {
        failure.kind = Kind::InUse;
        failure.holder = HolderOf(devicePath);
        return nullptr;
    }
    const int fd = OpenExclusive(failure);
    if (fd < 0) {
        ReleaseUucpLock(*lockFile);
        if (failure.kind == Kind::InUse) {
            failure.holder = HolderOf(devicePath);  // our own lock file is gone by now
        }
        return nullptr;
    }
    std::unique_ptr<CSerialDevice> device(new CSerialDevice(std::make_unique<Handles>(
        Handles{fd, *lockFile, false, RegisterForRelease(fd, *lockFile)})));
    if (!ConfigureLine(fd, *speed, parity)) {
        failure.kind = Kind::SettingsRefused;
        return nullptr;
    }
    // A freshly opened port starts with an empty input queue.
    tcflush(fd, TCIFLUSH);
    return device;
}

CSerialDevice::CSerialDevice(std::unique_ptr<Handles> handles) : m_pHandles(std::move(handles)) {}

CSerialDevice::~CSerialDevice() {
    const int fd = m_pHandles->fd;
    // The exclusive flag belongs to the tty, which another process may keep open.
    ioctl(fd, TIOCNXCL);
    close(fd);
    ReleaseUucpLock(m_pHandles->lockFile);
    // Only now: a signal before this point still finds what to release.
    if (m_pHandles->releaseSlot >= 0) {
        g_releaseSlots[m_pHandles->releaseSlot].fd.store(-1);
    }
}

void CSerialDevice::ReleaseAllForExit() {
    for (ReleaseSlot& slot : g_releaseSlots) {
        const int fd = slot.fd.load();
        if (fd >= 0) {
            ioctl(fd, TIOCNXCL);
            if (slot.lockFile[0] != '\0') {
                unlink(slot.lockFile);
            }
        }
    }
}

void CSerialDevice::WriteByte(std::uint8_t value) {
    const int fd = m_pHandles->fd;
    if (WriteOne(fd, value) || (errno != EAGAIN && errno != EWOULDBLOCK)) {
        m_pHandles->vanished |= IsGoneError(errno);
        return;
    }
    if (WaitWritable(fd)) {
        WriteOne(fd, value);
    }
}

int CSerialDevice::QueuedInput() {
    int count = 0;
    if (ioctl(m_pHandles->fd, FIONREAD, &count) != 0 || count < 0) {
        m_pHandles->vanished |= IsGoneError(errno);
        return 0;
    }
    if (count == 0) {
        // A hung-up line still counts 0 bytes; only poll tells.
        pollfd watch{m_pHandles->fd, POLLIN, 0};
        m_pHandles->vanished |=
            poll(&watch, 1, 0) == 1 && (watch.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    }
    return count;
}

int CSerialDevice::ReadQueued(std::uint8_t* buffer, int count) {
    int total = 0;
    while (total < count) {
        const ssize_t got =
            read(m_pHandles->fd, buffer + total, static_cast<size_t>(count - total));
        if (got <= 0) {
            // 0 after readiness is a vanished device; EAGAIN means nothing more yet
            m_pHandles->vanished |= got == 0 || IsGoneError(errno);
            break;
        }
        total += static_cast<int>(got);
    }
    return total;
}

bool CSerialDevice::HasVanished() const {
    return m_pHandles->vanished;
}

}  // namespace radiosetup
