#include "SimRadio.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "SimCommands.h"

namespace radiosim {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPollMs = 20;  // keeps Stop prompt
constexpr std::size_t kReadChunk = 256;
constexpr std::size_t kWriteChunk = 16;
constexpr int kWritePollMs = 50;
constexpr auto kWriteGiveUp = std::chrono::seconds(1);

struct RateSpeed {
    int baudRate;
    speed_t speed;
};
constexpr RateSpeed kRates[] = {{1200, B1200},   {2400, B2400},    {4800, B4800},
                                {9600, B9600},   {19200, B19200},  {38400, B38400},
                                {57600, B57600}, {115200, B115200}};

std::optional<speed_t> SpeedOf(int baudRate) {
    for (const RateSpeed& rate : kRates) {
        if (rate.baudRate == baudRate) {
            return rate.speed;
        }
    }
    return std::nullopt;
}

int BaudRateOf(speed_t speed) {
    for (const RateSpeed& rate : kRates) {
        if (rate.speed == speed) {
            return rate.baudRate;
        }
    }
    return 0;
}

// A pty keeps INPCK and PARODD but always clears PARENB, so the parity is read from
// the input check flags.
SimLineSettings LineOf(const termios& tty) {
    SimLineSettings line;
    line.baudRate = BaudRateOf(cfgetospeed(&tty));
    if ((tty.c_iflag & INPCK) == 0) {
        line.parity = 0;
    } else {
        line.parity = (tty.c_cflag & PARODD) != 0 ? 1 : 2;
    }
    return line;
}

// Raw at the radio's own settings, so a PC that opens the slave finds a sane line
// and the radio's replies are never echoed back to it.
void ConfigureSlave(int fd, const SimLineSettings& line) {
    termios tty{};
    if (tcgetattr(fd, &tty) != 0) {
        return;
    }
    cfmakeraw(&tty);
    tty.c_cflag |= CLOCAL | CREAD;
    if (const std::optional<speed_t> speed = SpeedOf(line.baudRate)) {
        cfsetspeed(&tty, *speed);
    }
    tty.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD);
    tty.c_iflag &= ~static_cast<tcflag_t>(INPCK);
    if (line.parity != 0) {
        tty.c_cflag |= PARENB | (line.parity == 1 ? PARODD : 0);
        tty.c_iflag |= INPCK;
    }
    tcsetattr(fd, TCSANOW, &tty);
}

std::chrono::microseconds WireTime(std::size_t byteCount, const SimLineSettings& line) {
    const long long bitsPerByte = line.parity == 0 ? 10 : 11;  // start, 8 data, [parity], stop
    const long long bits = bitsPerByte * static_cast<long long>(byteCount);
    return std::chrono::microseconds(bits * 1000000 / (line.baudRate > 0 ? line.baudRate : 9600));
}

std::string DescribeDelivery(const SimFaults& faults, std::size_t replySize) {
    std::string text;
    if (faults.replyDelayMs > 0) {
        text += ", delayed " + std::to_string(faults.replyDelayMs) + " ms";
    }
    if (!faults.garbageBefore.empty()) {
        text += ", " + std::to_string(faults.garbageBefore.size()) + " garbage bytes first";
    }
    if (faults.splitAt > 0 && static_cast<std::size_t>(faults.splitAt) < replySize) {
        text += ", split after " + std::to_string(faults.splitAt) + " bytes";
    }
    return text;
}

}  // namespace

CSimRadio::CSimRadio(SimRadioState initial) : m_state(std::move(initial)) {}

CSimRadio::~CSimRadio() {
    Stop();
}

bool CSimRadio::Start() {
    if (m_thread.joinable()) {
        return true;
    }
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        return false;
    }
    char name[128];
    if (grantpt(master) != 0 || unlockpt(master) != 0 ||
        ptsname_r(master, name, sizeof name) != 0) {
        close(master);
        return false;
    }
    // Holding the slave from the start means the pty never hangs up when the PC
    // closes its port, and line settings survive a close and reopen.
    const int slave = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0) {
        close(master);
        return false;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    const SimRadioState state = State();
    ConfigureSlave(slave, SimLineSettings{state.baudRate, state.parity});

    m_nMasterFd = master;
    m_nSlaveFd = slave;
    m_strSlavePath = name;
    m_finder = CSimFrameFinder();
    m_bStopping = false;
    m_thread = std::thread(&CSimRadio::Run, this);
    return true;
}

void CSimRadio::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopping = true;
    }
    m_wakeUp.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
    CloseDevice();
}

// For the PC a radio that stopped is a device that vanished: closing the master
// hangs up the slave.
void CSimRadio::Vanish() {
    Stop();
}

void CSimRadio::CloseDevice() {
    std::lock_guard<std::mutex> lock(m_writeMutex);
    if (m_nMasterFd >= 0) {
        close(m_nMasterFd);
        m_nMasterFd = -1;
    }
    if (m_nSlaveFd >= 0) {
        close(m_nSlaveFd);
        m_nSlaveFd = -1;
    }
}

SimRadioState CSimRadio::State() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_state;
}

void CSimRadio::SetState(const SimRadioState& state) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_state = state;
}

SimFaults CSimRadio::Faults() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_faults;
}

void CSimRadio::SetFaults(const SimFaults& faults) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults = faults;
}

std::vector<SimFrameRecord> CSimRadio::Frames() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frames;
}

void CSimRadio::ClearFrames() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frames.clear();
}

bool CSimRadio::WaitForFrames(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_framesChanged.wait_for(lock, timeout, [&] { return m_frames.size() >= count; });
}

void CSimRadio::SetFrameObserver(std::function<void(const SimFrameRecord&)> observer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frameObserver = std::move(observer);
}

void CSimRadio::SetNoteObserver(std::function<void(const std::string&)> observer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_noteObserver = std::move(observer);
}

void CSimRadio::Inject(const std::vector<std::uint8_t>& bytes) {
    SendPaced(bytes);
}

void CSimRadio::Run() {
    std::uint8_t buffer[kReadChunk];
    while (!m_bStopping) {
        pollfd readable{m_nMasterFd, POLLIN, 0};
        if (poll(&readable, 1, kPollMs) <= 0) {
            continue;
        }
        const ssize_t count = read(m_nMasterFd, buffer, sizeof buffer);
        if (count > 0) {
            TakeBytes(buffer, static_cast<std::size_t>(count));
        } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
            PauseFor(std::chrono::milliseconds(kPollMs));  // no busy loop on a broken pty
        }
    }
}

void CSimRadio::TakeBytes(const std::uint8_t* bytes, std::size_t count) {
    std::string mismatch;
    if (!LineMatches(mismatch)) {
        Note("ignored " + std::to_string(count) + " bytes: " + mismatch);
        return;
    }
    m_finder.Add(bytes, count);
    while (const std::optional<SimFoundFrame> found = m_finder.Next()) {
        if (found->skippedBefore > 0) {
            Note("skipped " + std::to_string(found->skippedBefore) + " bytes of garbage");
        }
        if (found->checkOk) {
            HandleFrame(found->frame);
        } else {
            Note("ignored " + HexText(found->frame.data(), found->frame.size()) +
                 ": bad check byte");
        }
    }
}

bool CSimRadio::LineMatches(std::string& mismatch) const {
    termios tty{};
    if (tcgetattr(m_nSlaveFd, &tty) != 0) {
        return true;  // nothing to judge by
    }
    const SimLineSettings pc = LineOf(tty);
    SimLineSettings own;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        own = SimLineSettings{m_state.baudRate, m_state.parity};
    }
    if (pc.baudRate == own.baudRate && pc.parity == own.parity) {
        return true;
    }
    mismatch = "the PC sends at " + DescribeLine(pc) + ", the radio works at " + DescribeLine(own);
    return false;
}

void CSimRadio::HandleFrame(const SimRequestFrame& frame) {
    SimFrameRecord record;
    record.when = Clock::now();
    record.frame = frame;
    SimFaults faults;
    SimAnswer answer;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        faults = m_faults;
        answer = AnswerWithFaults(m_state, faults, frame, m_frames.size() + 1);
    }
    record.reply = answer.reply;
    record.note = answer.note;
    if (!answer.reply.empty()) {
        record.note += DescribeDelivery(faults, answer.reply.size());
        SendReply(answer.reply, faults);
    }
    // The acknowledgement has gone out at the old settings; only now does the radio
    // listen at the new ones.
    std::function<void(const SimFrameRecord&)> observer;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (answer.newLine) {
            m_state.baudRate = answer.newLine->baudRate;
            m_state.parity = answer.newLine->parity;
        }
        m_frames.push_back(record);
        observer = m_frameObserver;
    }
    m_framesChanged.notify_all();
    if (observer) {
        observer(record);
    }
}

void CSimRadio::SendReply(const std::vector<std::uint8_t>& reply, const SimFaults& faults) {
    if (faults.replyDelayMs > 0 && !PauseFor(std::chrono::milliseconds(faults.replyDelayMs))) {
        return;
    }
    if (faults.vanishAfter > 0) {
        const std::size_t sent =
            std::min(static_cast<std::size_t>(faults.vanishAfter), reply.size());
        SendPaced(std::vector<std::uint8_t>(reply.begin(),
                                            reply.begin() + static_cast<std::ptrdiff_t>(sent)));
        CloseDevice();  // on the radio's own thread, so nothing reads the closed descriptor
        return;
    }
    const std::size_t splitAt = faults.splitAt > 0 ? static_cast<std::size_t>(faults.splitAt) : 0;
    const bool split = splitAt > 0 && splitAt < reply.size();
    const auto firstEnd =
        reply.begin() + static_cast<std::ptrdiff_t>(split ? splitAt : reply.size());
    std::vector<std::uint8_t> first = faults.garbageBefore;
    first.insert(first.end(), reply.begin(), firstEnd);
    if (!SendPaced(first) || !split) {
        return;
    }
    if (PauseFor(std::chrono::milliseconds(faults.splitPauseMs))) {
        SendPaced(std::vector<std::uint8_t>(firstEnd, reply.end()));
    }
}

// Bytes leave at the radio's line rate, so a long block takes as long as on a wire.
bool CSimRadio::SendPaced(const std::vector<std::uint8_t>& bytes) {
    std::lock_guard<std::mutex> writing(m_writeMutex);
    if (m_nMasterFd < 0) {
        return false;
    }
    SimLineSettings line;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        line = SimLineSettings{m_state.baudRate, m_state.parity};
    }
    for (std::size_t at = 0; at < bytes.size(); at += kWriteChunk) {
        const std::size_t count = std::min(kWriteChunk, bytes.size() - at);
        if (!PauseFor(WireTime(count, line)) || !WriteAll(bytes.data() + at, count)) {
            return false;
        }
    }
    return true;
}

// Gives up when the PC leaves the pty's buffer full for too long.
bool CSimRadio::WriteAll(const std::uint8_t* bytes, std::size_t count) {
    const Clock::time_point giveUp = Clock::now() + kWriteGiveUp;
    while (count > 0) {
        const ssize_t written = write(m_nMasterFd, bytes, count);
        if (written > 0) {
            bytes += written;
            count -= static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        if (m_bStopping || Clock::now() >= giveUp) {
            return false;
        }
        pollfd writable{m_nMasterFd, POLLOUT, 0};
        poll(&writable, 1, kWritePollMs);
    }
    return true;
}

bool CSimRadio::PauseFor(std::chrono::microseconds duration) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_wakeUp.wait_for(lock, duration, [this] { return m_bStopping.load(); });
}

void CSimRadio::Note(const std::string& text) {
    std::function<void(const std::string&)> observer;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        observer = m_noteObserver;
    }
    if (observer) {
        observer(text);
    }
}

}  // namespace radiosim
