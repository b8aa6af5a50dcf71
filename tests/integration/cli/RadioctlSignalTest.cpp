// radioctl run as a program of its own and ended by a signal mid-run: the port is free
// for the next user and the message says what was written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "SimRadio.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

constexpr uid_t kNobody = 65534;

// Beside this test program's folder: build/test/tests/.. /cli/radioctl.
std::string RadioctlProgram() {
    return (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "cli" / "radioctl")
        .string();
}

// Starts radioctl with words; stderr is collected. uid other than 0 runs it as that user.
class CRadioctlChild {
public:
    explicit CRadioctlChild(const std::vector<std::string>& words, uid_t uid = 0) {
        if (pipe(m_errFds) != 0) {
            throw std::runtime_error("pipe failed");
        }
        const std::string program = RadioctlProgram();
        std::vector<std::string> all = {program};
        all.insert(all.end(), words.begin(), words.end());
        std::vector<char*> argv;
        for (std::string& word : all) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        m_pid = fork();
        if (m_pid == 0) {
            dup2(m_errFds[1], STDERR_FILENO);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            if (uid != 0 && (setgroups(0, nullptr) != 0 || setgid(uid) != 0 || setuid(uid) != 0)) {
                _exit(100);
            }
            execv(program.c_str(), argv.data());
            _exit(101);
        }
        close(m_errFds[1]);
    }
    ~CRadioctlChild() {
        if (m_pid > 0 && !m_bWaited) {
            kill(m_pid, SIGKILL);
            Wait();
        }
        close(m_errFds[0]);
    }
    CRadioctlChild(const CRadioctlChild&) = delete;
    CRadioctlChild& operator=(const CRadioctlChild&) = delete;

    void Signal(int signal) const { kill(m_pid, signal); }
    bool HasEnded() {
        m_bWaited = m_bWaited || waitpid(m_pid, &m_status, WNOHANG) == m_pid;
        return m_bWaited;
    }
    // The exit status (-1 when a signal ended it); Err() is complete afterwards.
    int Wait() {
        char chunk[256];
        for (ssize_t got; (got = read(m_errFds[0], chunk, sizeof chunk)) > 0;) {
            m_err.append(chunk, static_cast<std::size_t>(got));
        }
        if (!m_bWaited) {
            waitpid(m_pid, &m_status, 0);
            m_bWaited = true;
        }
        return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
    }
    const std::string& Err() const { return m_err; }

private:
    int m_errFds[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_bWaited = false;
    int m_status = 0;
    std::string m_err;
};

bool IsExclusive(const std::string& tty) {
    const int fd = open(tty.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    int exclusive = -1;
    if (fd >= 0) {
        ioctl(fd, TIOCGEXCL, &exclusive);
        close(fd);
    }
    return exclusive != 0;
}

class RadioctlSignal : public ::testing::Test {
protected:
    std::vector<std::string> LockFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(home.LockFolder())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    // What a later user finds: no lock file, no exclusive flag, and a query that works
    // for someone who is not root (as root, TIOCEXCL would not stop it).
    void ExpectPortFree(const CSimRadio& radio) const {
        EXPECT_EQ(LockFiles(), std::vector<std::string>());
        EXPECT_FALSE(IsExclusive(radio.SlavePath()));
        if (geteuid() != 0) {
            return;
        }
        ASSERT_EQ(chmod(radio.SlavePath().c_str(), 0666), 0);
        CRadioctlChild next({"--device", radio.SlavePath(), "query"}, kNobody);
        EXPECT_EQ(next.Wait(), 0) << next.Err();
    }

    CScopedSettingsHome home;
    CTempDir files;
};

TEST_F(RadioctlSignal, ASignalMidWriteReleasesThePortAndSaysWhatWasWritten) {
    std::string plan = "channel,rx_mhz,tx_mhz\n";
    for (int channel = 1; channel <= 100; ++channel) {
        plan += std::to_string(channel) + ",450.0000,460.0000\n";
    }
    WriteWholeFile(files.File("plan.csv"), plan);
    const struct {
        int signal;
        int status;
        const char* name;
    } cases[] = {{SIGINT, 130, "SIGINT"}, {SIGTERM, 143, "SIGTERM"}, {SIGHUP, 129, "SIGHUP"}};
    for (const auto& tried : cases) {
        SCOPED_TRACE(tried.name);
        CSimRadio radio;
        ASSERT_TRUE(radio.Start());
        SimFaults slow;
        slow.replyDelayMs = 5;
        radio.SetFaults(slow);
        CRadioctlChild run(
            {"--device", radio.SlavePath(), "channels", "write", files.File("plan.csv")});
        ASSERT_TRUE(radio.WaitForFrames(30, seconds(60)));
        run.Signal(tried.signal);
        EXPECT_EQ(run.Wait(), tried.status);

        std::smatch said;
        ASSERT_TRUE(
            std::regex_search(run.Err(), said,
                              std::regex("interrupted after channels 1-([0-9]+) of 100 by " +
                                         std::string(tried.name) +
                                         "; channel ([0-9]+) and those after it were "
                                         "not written\n$")))
            << run.Err();
        const int written = std::stoi(said[1]);
        EXPECT_EQ(std::stoi(said[2]), written + 1);
        // Each channel the message names holds both frequencies; none after it was touched.
        const SimRadioState state = radio.State();
        const SimRadioState factory;
        for (int i = 0; i < SimRadioState::kChannels; ++i) {
            const bool done = i < written;
            EXPECT_EQ(state.rxWord[i], done ? SimRadioState::RxWordOf(4500000) : factory.rxWord[i]);
            EXPECT_EQ(state.txWord[i], done ? SimRadioState::TxWordOf(4600000) : factory.txWord[i]);
        }
        ExpectPortFree(radio);
    }
}

TEST_F(RadioctlSignal, WhenNothingWasWrittenTheMessageSaysSo) {
    CSimRadio radio;
    ASSERT_TRUE(radio.Start());
    SimFaults silent;
    silent.silent = true;
    radio.SetFaults(silent);
    CRadioctlChild run({"--device", radio.SlavePath(), "set", "ani=7"});
    ASSERT_TRUE(radio.WaitForFrames(1, seconds(60)));
    run.Signal(SIGTERM);
    EXPECT_EQ(run.Wait(), 143);
    EXPECT_EQ(run.Err(), "radioctl: connect on " + radio.SlavePath() +
                             " (9600 bit/s, no parity): interrupted by SIGTERM; nothing was "
                             "written\n");
    EXPECT_EQ(radio.Frames().size(), 1u);
    radio.SetFaults({});
    ExpectPortFree(radio);
}

// The first signal waits for the silent radio's answer; the second does not.
TEST_F(RadioctlSignal, ASecondSignalEndsAtOnceAndStillReleasesThePort) {
    CSimRadio radio;
    ASSERT_TRUE(radio.Start());
    SimFaults silent;
    silent.silent = true;
    radio.SetFaults(silent);
    CRadioctlChild run({"--device", radio.SlavePath(), "query"});
    ASSERT_TRUE(radio.WaitForFrames(1, seconds(60)));
    // Signals of one kind sent together may arrive as one: repeat until it has ended.
    run.Signal(SIGINT);
    for (int sent = 1; !run.HasEnded() && sent < 300; ++sent) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        run.Signal(SIGINT);
    }
    EXPECT_EQ(run.Wait(), 130);
    EXPECT_EQ(run.Err(), "radioctl: interrupted again: ending at once; the port is released\n");
    radio.SetFaults({});
    ExpectPortFree(radio);
}

}  // namespace
