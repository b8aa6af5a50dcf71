#include "PcLine.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "TestNamespaces.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kReplyTimeout = std::chrono::milliseconds(3000);

speed_t SpeedOf(int baudRate) {
    switch (baudRate) {
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 19200:
            return B19200;
        default:
            return B9600;
    }
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

std::array<std::uint8_t, 8> FrameOf(const std::array<std::uint8_t, 5>& payload) {
    std::array<std::uint8_t, 8> frame{0x55, 0xAA};
    std::uint8_t check = 0;
    for (std::size_t i = 0; i < payload.size(); ++i) {
        frame[2 + i] = payload[i];
        check ^= payload[i];
    }
    frame[7] = check;
    return frame;
}

CPcLine::~CPcLine() {
    Close();
}

bool CPcLine::Open(const std::string& path, int baudRate, int parity) {
    Close();
    m_nFd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_nFd < 0) {
        return false;
    }
    termios tty{};
    tcgetattr(m_nFd, &tty);
    cfmakeraw(&tty);
    tty.c_cflag |= CLOCAL | CREAD;
    cfsetspeed(&tty, SpeedOf(baudRate));
    tty.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD);
    tty.c_iflag &= ~static_cast<tcflag_t>(INPCK);
    if (parity != 0) {
        tty.c_cflag |= PARENB | (parity == 1 ? PARODD : 0);
        tty.c_iflag |= INPCK;
    }
    tcsetattr(m_nFd, TCSANOW, &tty);
    tcflush(m_nFd, TCIFLUSH);
    return true;
}

void CPcLine::Close() {
    if (m_nFd >= 0) {
        close(m_nFd);
        m_nFd = -1;
    }
}

void CPcLine::SendFrame(const std::array<std::uint8_t, 5>& payload) {
    const std::array<std::uint8_t, 8> frame = FrameOf(payload);
    Write(std::vector<std::uint8_t>(frame.begin(), frame.end()));
}

void CPcLine::Write(const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(m_nFd, bytes.data() + done, bytes.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
        } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        } else {
            pollfd writable{m_nFd, POLLOUT, 0};
            poll(&writable, 1, 100);
        }
    }
}

std::vector<std::uint8_t> CPcLine::ReadUpTo(std::size_t count, std::chrono::milliseconds timeout) {
    std::vector<std::uint8_t> bytes;
    const Clock::time_point deadline = Clock::now() + timeout;
    while (bytes.size() < count) {
        pollfd readable{m_nFd, POLLIN, 0};
        if (poll(&readable, 1, MillisecondsLeft(deadline)) <= 0 ||
            (readable.revents & POLLIN) == 0) {
            break;
        }
        std::uint8_t buffer[256];
        const ssize_t got = read(m_nFd, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (got <= 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
}

std::vector<std::uint8_t> CPcLine::ReadFor(std::chrono::milliseconds duration) {
    return ReadUpTo(static_cast<std::size_t>(-1), duration);
}

std::vector<std::uint8_t> CPcLine::Exchange(const std::array<std::uint8_t, 5>& payload,
                                            std::size_t replySize) {
    SendFrame(payload);
    return ReadUpTo(replySize, kReplyTimeout);
}

bool CPcLine::SeesHangUp(std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    do {
        pollfd readable{m_nFd, POLLIN, 0};
        poll(&readable, 1, MillisecondsLeft(deadline));
        if ((readable.revents & (POLLHUP | POLLERR)) != 0) {
            return true;
        }
        std::uint8_t byte = 0;
        if (read(m_nFd, &byte, 1) < 0 && errno == EIO) {
            return true;
        }
    } while (MillisecondsLeft(deadline) > 0);
    return false;
}
