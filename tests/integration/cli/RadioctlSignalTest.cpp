// radioctl run as a program of its own and ended by a signal mid-run: the port is free
// for the next user and the message says what was written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "RadioctlChild.h"
#include "SimRadio.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::seconds;

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
        ASSERT_TRUE(radio.WaitForFrames(10, seconds(60)));  // a few channels in
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

// How many frames of the log from the first'th on carry command (0x02 sets the ANI, 0x04
// a receive frequency, 0x0B connects).
std::size_t Count(const std::vector<SimFrameRecord>& frames, std::uint8_t command,
                  std::size_t first = 0) {
    return static_cast<std::size_t>(std::count_if(
        frames.begin() + static_cast<std::ptrdiff_t>(std::min(first, frames.size())), frames.end(),
        [command](const SimFrameRecord& record) { return record.frame[2] == command; }));
}

// Waits until the radio holds the ANI and the plan's channel 9 and then has answered two
// connects of the wait for its silence: time enough to be written again if radioctl took
// it for a new radio.
void ExpectWrittenAndLeftOn(CSimRadio& radio, std::uint32_t ani, const CRadioctlChild& run) {
    const auto written = [&radio, ani] {
        return radio.State().ani == ani &&
               radio.State().rxWord[8] == SimRadioState::RxWordOf(2290125);
    };
    for (int waited = 0; !written() && waited < 600; ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(written()) << ani << run.Err();
    const std::size_t first = radio.Frames().size();
    for (int waited = 0; Count(radio.Frames(), 0x0B, first) < 2 && waited < 600; ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_GE(Count(radio.Frames(), 0x0B, first), 2u) << run.Err();
}

// One radio after another on one line, replaced twice: first on the same device (it falls
// silent, a factory-fresh one answers), then with its device (it goes, a new one comes
// under the same name).
TEST_F(RadioctlSignal, RepeatWritesEachNewRadioOnceAndASignalBetweenRadiosEndsWell) {
    CSimRadio radio;
    ASSERT_TRUE(radio.Start());
    const std::string link = files.File("radio");
    fs::create_symlink(radio.SlavePath(), link);
    WriteWholeFile(files.File("one.csv"), "channel,rx_mhz,tx_mhz\n9,229.0125,229\n");
    CRadioctlChild run({"--device", link, "channels", "write", files.File("one.csv"), "--verify",
                        "--repeat", "--ani-start", "700"});
    ExpectWrittenAndLeftOn(radio, 700, run);
    SimFaults takenOff;
    takenOff.silent = true;
    radio.SetFaults(takenOff);
    ASSERT_TRUE(radio.WaitForFrames(radio.Frames().size() + 1, seconds(60)));
    radio.SetState(SimRadioState());
    radio.SetFaults({});
    ExpectWrittenAndLeftOn(radio, 701, run);

    radio.Vanish();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // no device a while
    CSimRadio third;
    ASSERT_TRUE(third.Start());
    fs::remove(link);
    fs::create_symlink(third.SlavePath(), link);
    ExpectWrittenAndLeftOn(third, 702, run);
    run.Signal(SIGINT);
    EXPECT_EQ(run.Wait(), 0) << run.Err();
    EXPECT_NE(run.Err().find("radioctl: stopped by SIGINT between radios: 3 radios done\n"),
              std::string::npos)
        << run.Err();
    for (const auto& [held, radios] : {std::pair{&radio, 2u}, {&third, 1u}}) {
        EXPECT_EQ(Count(held->Frames(), 0x02), radios);
        EXPECT_EQ(Count(held->Frames(), 0x04), radios);
    }
}

// The radio hears every frame and answers none, so radioctl still waits when the signal
// comes.
class RadioctlSignalOnSilence : public RadioctlSignal {
protected:
    void SetUp() override {
        ASSERT_TRUE(radio.Start());
        SimFaults silent;
        silent.silent = true;
        radio.SetFaults(silent);
    }

    CSimRadio radio;
};

TEST_F(RadioctlSignalOnSilence, WhenNothingWasWrittenTheMessageSaysSo) {
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
TEST_F(RadioctlSignalOnSilence, ASecondSignalEndsAtOnceAndStillReleasesThePort) {
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
