#include "PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "TestNamespaces.h"

namespace {

constexpr std::chrono::seconds kDeliveryTimeout{5};

void Fail(const std::string& what) {
    throw std::runtime_error(what + " failed");
}

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

CPtyPair::CPtyPair() {
    m_nMasterFd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_nMasterFd < 0) {
        Fail("posix_openpt");
    }
    char name[128];
    if (grantpt(m_nMasterFd) != 0 || unlockpt(m_nMasterFd) != 0 ||
        ptsname_r(m_nMasterFd, name, sizeof name) != 0) {
        close(m_nMasterFd);
        Fail("grantpt/unlockpt/ptsname_r");
    }
    m_strSlavePath = name;
    m_nSlaveFd = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios settings{};
    if (m_nSlaveFd < 0 || tcgetattr(m_nSlaveFd, &settings) != 0) {
        close(m_nSlaveFd);
        close(m_nMasterFd);
        Fail("opening the slave");
    }
    // Bytes sent before the port under test configures the line must pass untouched.
    cfmakeraw(&settings);
    tcsetattr(m_nSlaveFd, TCSANOW, &settings);
}

CPtyPair::~CPtyPair() {
    CloseMaster();
    close(m_nSlaveFd);
}

std::vector<std::uint8_t> CPtyPair::ReadFromMaster(std::size_t expectedCount,
                                                   std::chrono::milliseconds timeout) {
    std::vector<std::uint8_t> received;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (m_nMasterFd >= 0 && received.size() < expectedCount) {
        pollfd watch{m_nMasterFd, POLLIN, 0};
        if (poll(&watch, 1, RemainingMs(deadline)) <= 0 || (watch.revents & POLLIN) == 0) {
            break;
        }
        std::uint8_t chunk[256];
        const std::size_t wanted = std::min(sizeof chunk, expectedCount - received.size());
        const ssize_t got = read(m_nMasterFd, chunk, wanted);
        if (got <= 0) {
            break;
        }
        received.insert(received.end(), chunk, chunk + got);
    }
    return received;
}

void CPtyPair::WriteToMaster(const std::vector<std::uint8_t>& bytes) {
    const int queuedBefore = SlaveQueuedInput();
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t done = write(m_nMasterFd, bytes.data() + written, bytes.size() - written);
        if (done < 0 && errno != EAGAIN) {
            Fail("writing to the master");
        }
        if (done < 0) {
            pollfd watch{m_nMasterFd, POLLOUT, 0};
            poll(&watch, 1, 100);
            continue;
        }
        written += static_cast<std::size_t>(done);
    }
    // The pty hands bytes on to the slave's queue asynchronously.
    const int queuedAfter = queuedBefore + static_cast<int>(bytes.size());
    const auto deadline = std::chrono::steady_clock::now() + kDeliveryTimeout;
    while (SlaveQueuedInput() < queuedAfter && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void CPtyPair::CloseMaster() {
    if (m_nMasterFd >= 0) {
        close(m_nMasterFd);
        m_nMasterFd = -1;
    }
}

void CPtyPair::StopSlaveOutput() {
    tcflow(m_nSlaveFd, TCOOFF);
}

void CPtyPair::ResumeSlaveOutput() {
    tcflow(m_nSlaveFd, TCOON);
}

CPtyPair::LineSettings CPtyPair::SlaveLineSettings() const {
    termios settings{};
    if (tcgetattr(m_nSlaveFd, &settings) != 0) {
        Fail("tcgetattr on the slave");
    }
    return {cfgetospeed(&settings), (settings.c_iflag & INPCK) != 0,
            (settings.c_cflag & PARODD) != 0};
}

bool CPtyPair::SlaveIsExclusive() const {
    int exclusive = 0;
    if (ioctl(m_nSlaveFd, TIOCGEXCL, &exclusive) != 0) {
        Fail("TIOCGEXCL on the slave");
    }
    return exclusive != 0;
}

int CPtyPair::SlaveQueuedInput() const {
    int count = 0;
    return ioctl(m_nSlaveFd, FIONREAD, &count) == 0 ? count : 0;
}
