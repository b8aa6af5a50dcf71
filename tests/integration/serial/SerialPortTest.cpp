#include "SerialPort.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "PcPortSettings.h"
#include "PortNaming.h"
#include "PtyPair.h"
#include "TestNamespaces.h"
#include "TestSupport.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Clock = std::chrono::steady_clock;

constexpr int kPort = 3;
constexpr milliseconds kNothingMore{200};

std::vector<std::uint8_t> CountingBytes(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

using Kind = PortFailure::Kind;
constexpr uid_t kNobody = 65534;

// Tries the device from a second process, which holds nothing of this one's, optionally
// as an unprivileged user. 0 when it opened, else 1 + the failure's kind.
int OpenInChildProcess(const std::string& device, int baudRate, int parity, bool asNobody = false) {
    const pid_t child = fork();
    if (child == 0) {
        if (asNobody && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(100);
        }
        CSerialPort port;
        _exit(port.OpenDevice(device, baudRate, parity)
                  ? 0
                  : 1 + static_cast<int>(port.Failure()->kind));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

bool OpensInChildProcess(int portNumber, int baudRate, int parity) {
    return OpenInChildProcess(PortDevicePath(portNumber), baudRate, parity) == 0;
}

Kind FailureOf(const CSerialPort& port) {
    return port.Failure().value_or(PortFailure{Kind::Vanished, "no failure", {}, {}}).kind;
}

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override { m_home.MapPort(kPort, m_pty.SlavePath()); }

    bool OpenPort(int baudRate = kDefaultBaudRate, int parity = kParityNone) {
        return m_port.Open(kPort, baudRate, parity);
    }

    CScopedSettingsHome m_home;
    CPtyPair m_pty;
    CSerialPort m_port;
};

TEST_F(SerialPortTest, ReadTakesAtMostLimitAndLeavesTheRestQueued) {
    ASSERT_TRUE(OpenPort());
    const std::vector<std::uint8_t> sent = CountingBytes(200);
    m_pty.WriteToMaster(sent);
    ASSERT_EQ(m_port.PendingInput(), 200);

    std::vector<std::uint8_t> buffer(1024);
    ASSERT_EQ(m_port.Read(buffer.data(), 131), 131);
    EXPECT_EQ(m_port.PendingInput(), 69);
    ASSERT_EQ(m_port.Read(buffer.data() + 131, 1024), 69);
    buffer.resize(200);
    EXPECT_EQ(buffer, sent);
}

TEST_F(SerialPortTest, ReadNeverWaitsForData) {
    ASSERT_TRUE(OpenPort());
    std::uint8_t buffer[1024];
    const auto start = Clock::now();
    EXPECT_EQ(m_port.Read(buffer, 1024), 0);
    EXPECT_EQ(m_port.Read(buffer, 1), 0);
    EXPECT_LT(Clock::now() - start, seconds(1));

    m_pty.WriteToMaster({0x55, 0xAA, 0x00});
    EXPECT_EQ(m_port.Read(buffer, 0), 0);
    EXPECT_EQ(m_port.PendingInput(), 3);
}

TEST_F(SerialPortTest, OpenStartsWithAnEmptyInputQueue) {
    m_pty.WriteToMaster({1, 2, 3, 4});
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(m_port.PendingInput(), 0);
}

TEST_F(SerialPortTest, SendWritesEveryByteInOrder) {
    ASSERT_TRUE(OpenPort());
    const std::vector<std::uint8_t> sent = {0x55, 0xAA, 0x00, 0xFF, 0x11, 0x0D, 0x0A, 0x13};
    EXPECT_EQ(m_port.Send(sent.data(), 8), 8);
    EXPECT_EQ(m_pty.ReadFromMaster(9, kNothingMore), sent);
}

TEST_F(SerialPortTest, SendOfNothingWritesNothing) {
    ASSERT_TRUE(OpenPort());
    const std::uint8_t byte = 0x42;
    EXPECT_EQ(m_port.Send(&byte, 0), 0);
    EXPECT_EQ(m_port.Send(&byte, -1), 0);
    EXPECT_TRUE(m_pty.ReadFromMaster(1, kNothingMore).empty());
}

TEST_F(SerialPortTest, ClosedPortTouchesNothing) {
    const std::uint8_t frame[8] = {0x55, 0xAA, 0xCC, 0, 0, 0, 0, 0xCC};
    EXPECT_EQ(m_port.Send(frame, 8), 0);
    m_pty.WriteToMaster({1, 2, 3});
    std::uint8_t buffer[16];
    EXPECT_EQ(m_port.PendingInput(), 0);
    EXPECT_EQ(m_port.Read(buffer, 16), 0);
    EXPECT_TRUE(m_pty.ReadFromMaster(1, kNothingMore).empty());
    EXPECT_EQ(m_pty.SlaveQueuedInput(), 3);
}

TEST_F(SerialPortTest, SendReturnsFullLengthWhenThePeerNeverDrains) {
    ASSERT_TRUE(OpenPort());
    m_pty.StopSlaveOutput();
    const std::uint8_t header[2] = {0x55, 0xAA};
    const auto start = Clock::now();
    EXPECT_EQ(m_port.Send(header, 2), 2);
    // Each byte waits at most about a second.
    EXPECT_LT(Clock::now() - start, seconds(30));
    m_pty.ResumeSlaveOutput();
}

TEST_F(SerialPortTest, OpenOnAnOpenPortKeepsTheFirstSettings) {
    ASSERT_TRUE(OpenPort(19200, kParityOdd));
    EXPECT_TRUE(OpenPort(2400, kParityEven));
    EXPECT_TRUE(m_port.IsOpen());
    const CPtyPair::LineSettings line = m_pty.SlaveLineSettings();
    EXPECT_EQ(line.speed, B19200);
    EXPECT_TRUE(line.parityChecked);
    EXPECT_TRUE(line.oddParity);
}

TEST_F(SerialPortTest, CloseAlwaysSucceeds) {
    EXPECT_TRUE(m_port.Close());
    ASSERT_TRUE(OpenPort());
    EXPECT_TRUE(m_port.Close());
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_TRUE(m_port.Close());
}

TEST_F(SerialPortTest, ExclusiveWhileOpenAndReleasedOnClose) {
    ASSERT_TRUE(OpenPort());
    EXPECT_TRUE(m_pty.SlaveIsExclusive());
    m_port.Close();
    EXPECT_FALSE(m_pty.SlaveIsExclusive());
    EXPECT_TRUE(OpenPort(4800, kParityEven));
}

TEST_F(SerialPortTest, PortHeldInThisProcessCannotBeOpenedAgain) {
    ASSERT_TRUE(OpenPort());
    CSerialPort second;
    EXPECT_FALSE(second.Open(kPort, kDefaultBaudRate, kParityNone));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(FailureOf(second), Kind::InUse);
    EXPECT_EQ(second.Failure()->holder.pid, getpid());
    // The refused opener must not lift the holder's exclusivity.
    EXPECT_TRUE(m_pty.SlaveIsExclusive());

    m_port.Close();
    EXPECT_TRUE(second.Open(kPort, 19200, kParityEven));
    EXPECT_EQ(m_pty.SlaveLineSettings().speed, B19200);
}

TEST_F(SerialPortTest, PortHeldByAnotherProcessCannotBeOpened) {
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(OpenInChildProcess(m_pty.SlavePath(), kDefaultBaudRate, kParityNone),
              1 + static_cast<int>(Kind::InUse));
    m_port.Close();
    EXPECT_TRUE(OpensInChildProcess(kPort, 4800, kParityOdd));

    // A program that takes no lock file is named by the system's lock table.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        const int fd = open(m_pty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
        char byte = 1;
        if (fd >= 0 && flock(fd, LOCK_EX) == 0 && write(ready[1], &byte, 1) == 1) {
            pause();
        }
        _exit(1);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    EXPECT_FALSE(OpenPort());
    EXPECT_EQ(FailureOf(m_port), Kind::InUse);
    EXPECT_EQ(m_port.Failure()->holder.pid, holder);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
}

TEST_F(SerialPortTest, AUserWithoutPermissionIsToldSoWithTheDevicesGroup) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to become an unprivileged user";
    }
    ASSERT_EQ(chmod(m_pty.SlavePath().c_str(), 0660), 0);
    EXPECT_EQ(OpenInChildProcess(m_pty.SlavePath(), kDefaultBaudRate, kParityNone, true),
              1 + static_cast<int>(Kind::NoPermission));
}

// Terminal programs mark a port they hold with a lock file naming their PID.
TEST_F(SerialPortTest, LockFileKeepsOutWhileItsOwnerLives) {
    std::string deviceName = m_pty.SlavePath().substr(std::string("/dev/").size());
    std::replace(deviceName.begin(), deviceName.end(), '/', '_');  // pts/3 is LCK..pts_3
    const std::string lockFile = m_home.LockFolder() + "/LCK.." + deviceName;
    const auto lockFor = [](pid_t pid) {
        char text[16];
        std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(pid));
        return std::string(text);
    };

    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(ReadWholeFile(lockFile), lockFor(getpid()));
    EXPECT_FALSE(OpensInChildProcess(kPort, kDefaultBaudRate, kParityNone));
    m_port.Close();
    EXPECT_FALSE(std::filesystem::exists(lockFile));

    WriteWholeFile(lockFile, lockFor(getppid()));
    EXPECT_FALSE(OpenPort());
    EXPECT_EQ(FailureOf(m_port), Kind::InUse);
    EXPECT_EQ(m_port.Failure()->holder.pid, getppid());
    EXPECT_FALSE(m_port.Failure()->holder.program.empty());
    EXPECT_EQ(ReadWholeFile(lockFile), lockFor(getppid()));

    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    waitpid(gone, nullptr, 0);
    WriteWholeFile(lockFile, lockFor(gone));
    ASSERT_TRUE(OpenPort());
    EXPECT_EQ(ReadWholeFile(lockFile), lockFor(getpid()));
    m_port.Close();

    // Without a lock folder the port opens unmarked, as on systems that have none.
    std::filesystem::remove_all(m_home.LockFolder());
    EXPECT_TRUE(OpenPort());
}

TEST_F(SerialPortTest, MissingDeviceFailsAndLaterOpenSucceeds) {
    CTempDir folder;
    m_home.MapPort(kPort + 1, folder.File("no-such-device"));
    EXPECT_FALSE(m_port.Open(kPort + 1, kDefaultBaudRate, kParityNone));
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(FailureOf(m_port), Kind::Absent);
    EXPECT_EQ(m_port.Failure()->devicePath, folder.File("no-such-device"));
    EXPECT_TRUE(OpenPort(2400, kParityOdd));
    EXPECT_FALSE(m_port.Failure());
}

TEST_F(SerialPortTest, UnsupportedSettingsFailWithNothingHeld) {
    EXPECT_FALSE(OpenPort(12345, kParityNone));
    EXPECT_EQ(FailureOf(m_port), Kind::SettingsRefused);
    EXPECT_FALSE(OpenPort(kDefaultBaudRate, 3));
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_FALSE(m_pty.SlaveIsExclusive());
    EXPECT_TRUE(OpenPort(19200, kParityEven));
}

TEST_F(SerialPortTest, NonTerminalFailsAndLeavesItUnlocked) {
    CTempDir folder;
    const std::string path = folder.File("plain-file");
    std::ofstream(path) << "not a tty";
    m_home.MapPort(kPort + 1, path);
    EXPECT_FALSE(m_port.Open(kPort + 1, kDefaultBaudRate, kParityNone));
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(FailureOf(m_port), Kind::NotSerial);

    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    close(fd);
}

TEST_F(SerialPortTest, VanishedDeviceReadsAsNothingQueued) {
    ASSERT_TRUE(OpenPort());
    m_pty.WriteToMaster({0x55, 0xAA, 0x00});
    m_pty.CloseMaster();

    std::uint8_t buffer[16];
    EXPECT_EQ(m_port.PendingInput(), 0);
    EXPECT_EQ(m_port.Read(buffer, 16), 0);
    EXPECT_EQ(FailureOf(m_port), Kind::Vanished);
    const auto start = Clock::now();
    EXPECT_EQ(m_port.Send(buffer, 8), 8);
    EXPECT_LT(Clock::now() - start, seconds(30));

    EXPECT_TRUE(m_port.Close());
    EXPECT_FALSE(OpenPort());
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(FailureOf(m_port), Kind::Absent);

    CPtyPair replacement;
    m_home.MapPort(kPort + 1, replacement.SlavePath());
    EXPECT_TRUE(m_port.Open(kPort + 1, kDefaultBaudRate, kParityNone));
}

struct LineCase {
    const char* name;
    int baudRate;
    int parity;
    speed_t speed;
    bool parityChecked;
    bool oddParity;
};

class SerialPortLineTest : public SerialPortTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SerialPortLineTest, RateAndParityReachTheLine) {
    const LineCase& expected = GetParam();
    ASSERT_TRUE(OpenPort(expected.baudRate, expected.parity));
    const CPtyPair::LineSettings line = m_pty.SlaveLineSettings();
    EXPECT_EQ(line.speed, expected.speed);
    EXPECT_EQ(line.parityChecked, expected.parityChecked);
    EXPECT_EQ(line.oddParity, expected.oddParity);
}

// A pseudo-terminal drops PARENB, so a line already set to parity reads back different
// from what is asked; the second identical open must still succeed.
TEST_P(SerialPortLineTest, ReopensWithTheSameSettings) {
    const LineCase& expected = GetParam();
    ASSERT_TRUE(OpenPort(expected.baudRate, expected.parity));
    m_port.Close();
    ASSERT_TRUE(OpenPort(expected.baudRate, expected.parity));
    EXPECT_EQ(m_pty.SlaveLineSettings().oddParity, expected.oddParity);
}

INSTANTIATE_TEST_SUITE_P(
    SupportedRates, SerialPortLineTest,
    ::testing::Values(LineCase{"At2400None", 2400, kParityNone, B2400, false, false},
                      LineCase{"At4800Odd", 4800, kParityOdd, B4800, true, true},
                      LineCase{"At9600Even", 9600, kParityEven, B9600, true, false},
                      LineCase{"At19200None", 19200, kParityNone, B19200, false, false},
                      LineCase{"At19200Odd", 19200, kParityOdd, B19200, true, true},
                      LineCase{"At19200Even", 19200, kParityEven, B19200, true, false}),
    [](const ::testing::TestParamInfo<LineCase>& testCase) { return testCase.param.name; });

}  // namespace
