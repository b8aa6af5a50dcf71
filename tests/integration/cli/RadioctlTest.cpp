// radioctl's commands against the simulated radio on a pseudo-terminal, as PC port 1,
// and its ports on a machine of the test's own.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "DeviceMachine.h"
#include "Json.h"
#include "OperationExchange.h"
#include "PortSettingsStore.h"
#include "PtyPair.h"
#include "Radioctl.h"
#include "RadioctlChild.h"
#include "SerialPort.h"
#include "SimLink.h"
#include "SimRadio.h"
#include "TestSupport.h"
#include "VirtualClock.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// Settings of the test's own and no radio: forking stays safe without its thread.
class RadioctlRun : public ::testing::Test {
protected:
    Outcome Run(std::vector<std::string> words) const {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunRadioctl(words, out, err);
        return {status, out.str(), err.str()};
    }

    std::string WriteFile(const std::string& name, const std::string& text) const {
        WriteWholeFile(files.File(name), text);
        return files.File(name);
    }

    CScopedSettingsHome home;
    CTempDir files;
};

class Radioctl : public RadioctlRun {
protected:
    Radioctl() {
        EXPECT_TRUE(radio.Start());
        home.MapPort(1, radio.SlavePath());
    }

    CSimRadio radio;
};

using RadioctlPorts = RadioctlRun;

// The simulated radio in virtual time, for what the conversation decides: no waits.
class RadioctlInTime : public RadioctlRun {
protected:
    Outcome Run(const std::vector<std::string>& words) { return RunOn(radio, words); }
    Outcome RunOn(CSimLink& on, const std::vector<std::string>& words) {
        std::ostringstream out;
        std::ostringstream err;
        const GivenRadio given{on.Link(), clock};
        std::istringstream in;
        const int status = RunRadioctl(words, out, err, in, &given);
        return {status, out.str(), err.str()};
    }

    CVirtualClock clock;
    CSimLink radio{clock};
};

std::string DeviceRoot() {
    return std::getenv("RADIOSETUP_DEVICE_ROOT");
}

// The name the kernel gives a process, as a holder is named.
std::string ProgramName(pid_t pid) {
    std::string name;
    std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/comm"), name);
    return name;
}

SimRadioState ChangedState() {
    SimRadioState state;
    state.ani = 4660;
    state.channelTotal = 50;
    state.currentChannel = 7;
    state.txTimeLimit = 30;
    state.addressing = 0x00;
    state.transparent = false;
    state.eccUsed = true;
    state.encryption = true;
    state.compander = true;
    state.rxVoiceGain = 2;
    state.txChannelGain = 5;
    for (std::size_t i = 0; i < SimRadioState::kChannels; ++i) {
        state.rxWord[i] = SimRadioState::RxWordOf(static_cast<std::uint32_t>(3000000 + 1250 * i));
        state.txWord[i] = SimRadioState::TxWordOf(static_cast<std::uint32_t>(4000000 + 125 * i));
    }
    return state;
}

TEST_F(Radioctl, QueryJsonShowsTheRadiosState) {
    radio.SetState(ChangedState());
    const Outcome query = Run({"query", "--json"});
    ASSERT_EQ(query.status, 0) << query.err;
    JsonFault fault;
    const auto json = ParseJson(query.out, fault);
    ASSERT_TRUE(json) << fault.Text();
    const JsonValue& p = JsonMember(*json, "parameters");
    for (const auto& [key, value] : {std::pair{"rx_hz", 300750000LL},
                                     {"tx_hz", 400075000LL},
                                     {"ani", 4660LL},
                                     {"channel_total", 50LL},
                                     {"current_channel", 7LL},
                                     {"tx_time_limit_s", 30LL},
                                     {"rx_voice_gain", 2LL},
                                     {"tx_channel_gain", 5LL}}) {
        EXPECT_EQ(JsonInt(JsonMember(p, key)), value) << key;
    }
    for (const auto& [key, value] : {std::pair{"addressing", true},
                                     {"transparent", false},
                                     {"error_correction", true},
                                     {"encryption", true},
                                     {"compander", true},
                                     {"pre_emphasis", false}}) {
        EXPECT_EQ(JsonMember(p, key), value) << key;
    }
}

// Connect, parameter query and channel query: the frames that change nothing.
bool OnlyReads(const std::vector<SimFrameRecord>& frames) {
    return std::all_of(frames.begin(), frames.end(), [](const SimFrameRecord& record) {
        const std::uint8_t command = record.frame[2];
        return command == 0x0B || command == 0xCC || command == 0x1D;
    });
}

TEST_F(RadioctlInTime, DiffNamesEachChangeAndADryRunShowsItWithoutWriting) {
    radio.SetState(ChangedState());
    const std::string backup = files.File("radio.json");
    ASSERT_EQ(Run({"backup", backup}).status, 0);
    radio.SetState(SimRadioState());
    ASSERT_EQ(Run({"restore", backup}).status, 0);
    const Outcome same = Run({"diff", backup});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");

    SimRadioState changed = ChangedState();
    changed.rxWord[6] = SimRadioState::RxWordOf(2290125);
    changed.txTimeLimit = 0;
    radio.SetState(changed);
    const std::string plan = WriteFile("plan.csv", "channel,rx_mhz,tx_mhz\n7,300.75,400.075\n");
    const std::string channel = "channel 7 rx: 229.0125 → 300.7500\n";
    const std::string all = "rx_hz: 229012500 → 300750000\ntx_time_limit_s: 0 → 30\n" + channel;
    const struct {
        std::vector<std::string> words;
        int status;
        std::string out;
    } cases[] = {
        {{"diff", backup}, 5, all},
        {{"restore", backup, "--dry-run"}, 0, all},
        {{"diff", plan}, 5, channel},
        {{"channels", "write", plan, "--dry-run"}, 0, channel},
    };
    for (const auto& tried : cases) {
        SCOPED_TRACE(tried.words[0] + " " + tried.words[1]);
        radio.ClearFrames();
        const Outcome outcome = Run(tried.words);
        EXPECT_EQ(outcome.status, tried.status) << outcome.err;
        EXPECT_EQ(outcome.out, tried.out);
        EXPECT_FALSE(radio.Frames().empty());
        EXPECT_TRUE(OnlyReads(radio.Frames()));
    }
    JsonFault fault;
    const auto json = ParseJson(Run({"--json", "channels", "write", plan, "--dry-run"}).out, fault);
    ASSERT_TRUE(json) << fault.Text();
    EXPECT_EQ(JsonMember(*json, "dry_run"), true);
    EXPECT_EQ(JsonMember(*json, "differences"), JsonValue::parse(R"([
        {"channel": 7, "key": "rx_hz", "radio": 229012500, "file": 300750000}])"));
}

TEST_F(Radioctl, SetChangesExactlyWhatItNames) {
    const Outcome set =
        Run({"set", "channel=5", "rx=229.0125", "relay=rx-end", "tx-voice-gain=16"});
    ASSERT_EQ(set.status, 0) << set.err;
    SimRadioState expected;
    expected.currentChannel = 5;
    expected.rxWord[4] = SimRadioState::RxWordOf(2290125);
    expected.rxEndRelay = true;
    expected.txVoiceGain = 16;
    const SimRadioState state = radio.State();
    EXPECT_EQ(state.currentChannel, expected.currentChannel);
    EXPECT_EQ(state.rxWord, expected.rxWord);
    EXPECT_EQ(state.txWord, expected.txWord);
    EXPECT_EQ(state.rxEndRelay, expected.rxEndRelay);
    EXPECT_EQ(state.txVoiceGain, expected.txVoiceGain);
    EXPECT_EQ(state.ani, expected.ani);
    EXPECT_EQ(state.compander, expected.compander);

    // Every value is checked before anything goes out.
    radio.ClearFrames();
    EXPECT_EQ(Run({"set", "ani=5", "rx=229.01"}).status, 1);
    EXPECT_EQ(Run({"set", "volume=3"}).status, 1);
    EXPECT_TRUE(radio.Frames().empty());
}

// A --json document that parses and holds exactly the keys its help and man page list
// (of a list, its first item's).
void ExpectDocumentedKeys(const Outcome& outcome, const std::vector<std::string>& keys) {
    JsonFault fault;
    const auto json = ParseJson(outcome.out, fault);
    ASSERT_TRUE(json) << fault.Text() << "\n" << outcome.out;
    const JsonValue& document = json->is_array() ? (*json)[0] : *json;
    for (const std::string& key : keys) {
        EXPECT_TRUE(document.contains(key)) << key << " in\n" << outcome.out;
    }
    EXPECT_EQ(document.size(), keys.size()) << outcome.out;
}

TEST_F(RadioctlInTime, BackupRestoredOntoAnotherRadioMakesItTheSame) {
    radio.SetState(ChangedState());
    const std::string backup = files.File("radio.json");
    const Outcome saved = Run({"backup", backup, "--json"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    ExpectDocumentedKeys(saved, {"port", "baud_rate", "parity", "file", "parameters", "channels"});

    CSimLink second(clock);
    EXPECT_EQ(RunOn(second, {"restore", backup, "--set", "rx_hz=229012500"}).status, 1);
    EXPECT_EQ(RunOn(second, {"restore", backup, "--set", "current_channel=99"}).status, 1);
    EXPECT_TRUE(second.Frames().empty());
    const Outcome restore = RunOn(second, {"restore", backup, "--keep-ani", "--verify", "--json",
                                           "--set", "tx_time_limit_s=45"});
    EXPECT_EQ(restore.status, 0) << restore.err;
    ExpectDocumentedKeys(restore,
                         {"port", "baud_rate", "parity", "file", "written", "differences"});
    SimRadioState expected = ChangedState();
    expected.ani = SimRadioState().ani;
    expected.txTimeLimit = 45;
    const SimRadioState restored = second.State();
    EXPECT_EQ(restored.rxWord, expected.rxWord);
    EXPECT_EQ(restored.txWord, expected.txWord);
    EXPECT_EQ(restored.ani, expected.ani);
    EXPECT_EQ(restored.channelTotal, expected.channelTotal);
    EXPECT_EQ(restored.txTimeLimit, expected.txTimeLimit);
    EXPECT_EQ(restored.currentChannel, expected.currentChannel);
    EXPECT_EQ(restored.addressing, expected.addressing);
    EXPECT_EQ(restored.transparent, expected.transparent);
    EXPECT_EQ(restored.eccUsed, expected.eccUsed);
    EXPECT_EQ(restored.rxVoiceGain, expected.rxVoiceGain);

    // A channel never set (word 0, 21.4 MHz) could not be restored: no backup is written.
    SimRadioState unset = ChangedState();
    unset.rxWord[2] = 0;
    radio.SetState(unset);
    const Outcome refused = Run({"backup", files.File("unset.json")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("channel 3: rx 21.4000 MHz"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::ifstream(files.File("unset.json")).good());
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(RadioctlInTime, AnAniAboveSixteenBitsIsNotedOnceAndVerifiesByWhatTheRadioReports) {
    const std::string note =
        "note: the radio reports only the low 16 bits of ani: 1193046 "
        "reads back as 13398\n";
    const Outcome set = Run({"set", "ani=1193046"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(Count(set.err, note), 1u) << set.err;

    const std::string backup = files.File("radio.json");
    ASSERT_EQ(Run({"backup", backup}).status, 0);
    const std::string reported = "\"ani\": 13398";
    std::string text = ReadWholeFile(backup);
    WriteFile("radio.json", text.replace(text.find(reported), reported.size(), "\"ani\": 1193046"));
    const Outcome restore = Run({"restore", backup, "--verify"});
    EXPECT_EQ(restore.status, 0) << restore.err;
    EXPECT_EQ(Count(restore.err, note), 1u) << restore.err;
}

TEST_F(RadioctlInTime, AVerifyReportShowsOnlyWhatWasSentAndWhatTheRadioAnswered) {
    radio.SetState(ChangedState());
    const std::string backup = files.File("radio.json");
    ASSERT_EQ(Run({"backup", backup}).status, 0);
    // The radio acknowledges the time limit but keeps its own.
    CSimLink second(clock);
    SimFaults keepsTimeLimit;
    keepsTimeLimit.replyFor[0x06] = {0x55, 0xAA, 0x00};
    second.SetFaults(keepsTimeLimit);
    const Outcome restore = RunOn(second, {"restore", backup, "--keep-ani", "--verify"});
    EXPECT_EQ(restore.status, 5);
    EXPECT_NE(restore.err.find("parameters.tx_time_limit_s: 30 was written, the radio reports 0\n"),
              std::string::npos)
        << restore.err;
    EXPECT_EQ(restore.err.find("ani"), std::string::npos) << restore.err;
}

// Four simulated radios on pseudo-terminals of their own, as ports 1 to 4, each with its
// own ANI (100 + its port).
class RadioctlFleet : public RadioctlRun {
protected:
    RadioctlFleet() {
        for (int port = 1; port <= 4; ++port) {
            Radio(port).SetState(OwnState(port));
            EXPECT_TRUE(Radio(port).Start());
            home.MapPort(port, Radio(port).SlavePath());
        }
    }

    CSimRadio& Radio(int port) { return radios[static_cast<std::size_t>(port - 1)]; }
    static SimRadioState OwnState(int port) {
        SimRadioState state;
        state.ani = 100 + port;
        return state;
    }

    // The plan every radio gets: the backup of a radio holding ChangedState, taken on a
    // fleet of one, its file named by port and ANI.
    std::string Plan() {
        Radio(1).SetState(ChangedState());
        const Outcome backup =
            Run({"backup", files.File("plan-{port}-{ani}.json"), "--ports", "1"});
        EXPECT_EQ(backup.status, 0) << backup.err;
        Radio(1).SetState(OwnState(1));
        return files.File("plan-1-4660.json");
    }

    std::array<CSimRadio, 4> radios;
};

TEST_F(RadioctlFleet, RestoreOntoFourRadiosLeavesEachWithThePlanAndItsListedAni) {
    const std::string report = files.File("rollout.csv");
    const std::string anis = WriteFile("anis.csv", "port,ani\n1,501\n2,502\n3,503\n4,504\n");
    const Outcome restore = Run(
        {"restore", Plan(), "--ani-list", anis, "--verify", "--ports", "1-4", "--report", report});
    ASSERT_EQ(restore.status, 0) << restore.err;
    const std::string rows = ReadWholeFile(report);
    EXPECT_EQ(rows.rfind("time,port,device,ani_before,ani_after,operation,result,differences\n", 0),
              0u)
        << rows;
    for (int port = 1; port <= 4; ++port) {
        const SimRadioState held = Radio(port).State();
        EXPECT_EQ(held.rxWord, ChangedState().rxWord) << port;
        EXPECT_EQ(held.txWord, ChangedState().txWord) << port;
        EXPECT_EQ(held.channelTotal, ChangedState().channelTotal) << port;
        EXPECT_EQ(held.ani, 500 + port) << port;
        const std::string number = std::to_string(port);
        const std::string device = Radio(port).SlavePath();
        EXPECT_NE(restore.err.find("port " + number + ": backup " + files.File("plan-1-4660.json") +
                                   " written to the radio on port " + number),
                  std::string::npos)
            << restore.err;
        EXPECT_NE(restore.out.find("\n" + number + "     " + device), std::string::npos)
            << restore.out;
        const std::string aniColumns =
            std::to_string(OwnState(port).ani) + "," + std::to_string(500 + port);
        EXPECT_NE(rows.find("," + number + "," + device + "," + aniColumns + ",restore,ok,0\n"),
                  std::string::npos)
            << rows;
    }
    EXPECT_EQ(restore.out.rfind("port  device", 0), 0u) << restore.out;
}

TEST_F(RadioctlFleet, OneSilentRadioAmongFourFailsAloneAndTheReportSaysSo) {
    SimFaults silent;
    silent.silent = true;
    Radio(3).SetFaults(silent);
    const std::string report = files.File("rollout.jsonl");
    const Outcome write = Run({"--json", "channels", "write",
                               WriteFile("one.csv", "channel,rx_mhz,tx_mhz\n9,229.0125,229\n"),
                               "--verify", "--ports", "1-4", "--report", report});
    EXPECT_EQ(write.status, 3) << write.err;
    JsonFault fault;
    const auto json = ParseJson(write.out, fault);
    ASSERT_TRUE(json) << fault.Text();
    std::map<long long, std::string> results;
    std::istringstream lines(ReadWholeFile(report));
    for (std::string line; std::getline(lines, line);) {
        const auto row = ParseJson(line, fault);
        ASSERT_TRUE(row) << fault.Text();
        results[JsonInt(JsonMember(*row, "port"))] = JsonString(JsonMember(*row, "result"));
    }
    for (int port = 1; port <= 4; ++port) {
        const JsonValue& entry = JsonItems(JsonMember(*json, "radios"))[port - 1];
        const bool fails = port == 3;
        EXPECT_EQ(JsonInt(JsonMember(entry, "status")), fails ? 3 : 0) << port;
        EXPECT_EQ(JsonInt(JsonMember(JsonMember(JsonMember(entry, "output"), "error"), "status")),
                  fails ? 3 : 0)
            << port;
        EXPECT_EQ(results[port], fails ? "no reply from the radio" : "ok") << port;
        EXPECT_EQ(Radio(port).State().rxWord[8] == SimRadioState::RxWordOf(2290125), !fails)
            << port;
    }
}

// On a terminal the table of the radios is redrawn in place while they work, each line
// ending with the radio's result.
TEST_F(RadioctlFleet, OnATerminalALiveTableFollowsEachRadio) {
    CPtyPair terminal;
    const CScopedEnv term("TERM", "xterm");  // whatever the machine's is
    CRadioctlChild run({"--ports", "1-2", "channels", "write",
                        WriteFile("one.csv", "channel,rx_mhz,tx_mhz\n9,229.0125,229\n")},
                       0, terminal.SlavePath());
    EXPECT_EQ(run.Wait(), 0);
    std::string shown;
    for (std::vector<std::uint8_t> got;
         !(got = terminal.ReadFromMaster(4096, std::chrono::milliseconds(500))).empty();) {
        shown.append(got.begin(), got.end());
    }
    EXPECT_NE(shown.find("\033[3F\033[2Kport  device"), std::string::npos) << shown;
    for (int port = 1; port <= 2; ++port) {
        EXPECT_NE(shown.find(std::to_string(port) + "     " + Radio(port).SlavePath()),
                  std::string::npos)
            << shown;
    }
    EXPECT_NE(shown.rfind("done                    1/1       ok"), std::string::npos) << shown;
}

// Each port searched at once; the first radio found is the one --save would store.
TEST_F(RadioctlFleet, DetectFindsEveryRadioOfTheFleetAtItsOwnSettings) {
    SimRadioState odd = OwnState(3);
    odd.baudRate = 4800;
    odd.parity = 2;
    Radio(3).SetState(odd);
    const Outcome found = Run({"--json", "--ports", "1-4", "detect"});
    EXPECT_EQ(found.status, 0) << found.err;
    JsonFault fault;
    const auto json = ParseJson(found.out, fault);
    ASSERT_TRUE(json) << fault.Text();
    EXPECT_EQ(JsonInt(JsonMember(*json, "port")), 1);
    for (int port = 1; port <= 4; ++port) {
        const JsonValue& entry = JsonItems(JsonMember(*json, "radios"))[port - 1];
        EXPECT_EQ(JsonString(JsonMember(entry, "device")), Radio(port).SlavePath());
        EXPECT_EQ(JsonInt(JsonMember(JsonMember(entry, "output"), "baud_rate")),
                  port == 3 ? 4800 : 9600);
    }
    EXPECT_EQ(Run({"detect", "--ports", "3,4"})
                  .out.rfind("radio found on port 3, 4800 bit/s, even parity\n"
                             "radio found on port 4, 9600 bit/s, no parity\nport  device",
                             0),
              0u);
}

TEST_F(Radioctl, MessagesSayEachPointOnceInGoodEnglish) {
    EXPECT_EQ(Run({"set", "rx=229.01"}).err,
              "radioctl: set: rx 229.01 MHz is not on a 12.5 kHz step\n"
              "Try 'radioctl set --help'.\n");
    const Outcome one =
        Run({"channels", "write", WriteFile("one.csv", "channel,rx_mhz,tx_mhz\n3,229,229\n")});
    EXPECT_NE(one.err.find("1 channel written to "), std::string::npos) << one.err;
}

TEST_F(Radioctl, ChannelsWriteVerifiesAndAPlanWithFaultsSendsNothing) {
    const std::string good = WriteFile("good.csv",
                                       "# two blocks\nchannel,rx_mhz,tx_mhz\n"
                                       "9,229.0125,229.0250\n\n12,450,460.5\n");
    const Outcome written = Run({"channels", "write", good, "--verify"});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(radio.State().rxWord[8], SimRadioState::RxWordOf(2290125));
    EXPECT_EQ(radio.State().txWord[11], SimRadioState::TxWordOf(4605000));
    EXPECT_EQ(Run({"channels", "read", "9", "12"}).out,
              "channel,rx_mhz,tx_mhz\n9,229.0125,229.0250\n10,230.0000,230.0000\n"
              "11,230.0000,230.0000\n12,450.0000,460.5000\n");

    // The radio acknowledges transmit frequencies but keeps them: verification finds it.
    SimFaults keepsTx;
    keepsTx.replyFor[0x05] = {0x55, 0xAA, 0x00};
    radio.SetFaults(keepsTx);
    const Outcome differs = Run({"channels", "write",
                                 WriteFile("tx.csv",
                                           "channel,rx_mhz,tx_mhz\n"
                                           "3,229,300\n"),
                                 "--verify"});
    EXPECT_EQ(differs.status, 5);
    EXPECT_NE(differs.err.find("channel 3: tx 300.0000 MHz was written"), std::string::npos)
        << differs.err;

    radio.ClearFrames();
    const Outcome bad = Run({"channels", "write",
                             WriteFile("bad.csv",
                                       "channel,rx_mhz,tx_mhz\n1,700,229\n2,229.01,229\n"
                                       "1,229,229\n4,229\n")});
    EXPECT_EQ(bad.status, 1);
    for (const char* line : {":2: ", ":3: ", ":4: ", ":5: "}) {
        EXPECT_NE(bad.err.find("bad.csv" + std::string(line)), std::string::npos) << bad.err;
    }
    EXPECT_TRUE(radio.Frames().empty());
}

TEST_F(Radioctl, LineChangesTheRadioThenQueryWorksAtTheNewSettings) {
    ASSERT_EQ(Run({"line", "19200", "even"}).status, 0);
    PcPortSettings stored;
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nBaudRate, 19200);
    EXPECT_EQ(stored.m_nParity, 2);
    EXPECT_EQ(Run({"query"}).status, 0);
}

// The stored PC settings belong to a port number: a device without one changes none.
TEST_F(Radioctl, LineWithADeviceStoresOnlyUnderThatDevicesPortNumber) {
    CSimRadio unnumbered;
    ASSERT_TRUE(unnumbered.Start());
    const Outcome elsewhere = Run({"--device", unnumbered.SlavePath(), "line", "4800", "odd"});
    EXPECT_EQ(elsewhere.status, 0) << elsewhere.err;
    EXPECT_EQ(elsewhere.err, "the radio now uses 4800 bit/s, odd parity; " +
                                 unnumbered.SlavePath() +
                                 " has no port number, so no PC settings were stored "
                                 "(radioctl ports assign gives it one)\n");
    EXPECT_EQ(unnumbered.State().baudRate, 4800);
    PcPortSettings stored;
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nBaudRate, 9600);
    EXPECT_EQ(stored.m_nParity, 0);
    EXPECT_EQ(Run({"query"}).status, 0);

    const Outcome numbered = Run({"--device", radio.SlavePath(), "line", "19200", "even"});
    EXPECT_EQ(numbered.status, 0) << numbered.err;
    EXPECT_NE(numbered.err.find("stored as the PC settings of port 1"), std::string::npos);
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nPortNumber, 1);
    EXPECT_EQ(stored.m_nBaudRate, 19200);
    EXPECT_EQ(Run({"query"}).status, 0);

    // An empty device is no device: nothing is sent to the stored port's radio.
    radio.ClearFrames();
    EXPECT_EQ(Run({"--device", "", "set", "ani=7"}).status, 1);
    EXPECT_TRUE(radio.Frames().empty());
}

// The order of the probes is the search's own; here the second probe finds the radio.
TEST_F(Radioctl, DetectFindsTheRadioOnPortTwoAndSavesItOnlyWhenAsked) {
    SimRadioState state;
    state.baudRate = 19200;
    state.parity = 1;
    CSimRadio second(state);
    ASSERT_TRUE(second.Start());
    home.WriteSettings("[Ports]\nCOM1=" + files.File("no-such-port") +
                       "\nCOM2=" + second.SlavePath() + "\n");
    const Outcome found = Run({"detect"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "radio found on port 2, 19200 bit/s, odd parity\n");
    PcPortSettings stored;
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nPortNumber, 1);
    EXPECT_EQ(Run({"detect", "--ports", "2", "--save", "--json"}).out,
              "{\n  \"port\": 2,\n  \"baud_rate\": 19200,\n  \"parity\": \"odd\",\n  \"saved\": "
              "true\n}\n");
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nPortNumber, 2);
}

// Each failure has its status and a message naming the port and the operation; none hangs.
// With --json the same failure is an error object on stdout, the message still on stderr.
TEST_F(RadioctlInTime, FailuresEndWithTheirStatusAndMessage) {
    struct Case {
        const char* name;
        SimFaults faults;
        std::vector<std::string> words;
        int status;
        const char* message;
    };
    SimFaults silent;
    silent.silent = true;
    SimFaults refusing;
    refusing.statusFor[0x02] = 0xFF;
    const Case cases[] = {
        {"silent",
         silent,
         {"query"},
         3,
         "radioctl: connect on port 1 (9600 bit/s, no parity): no reply from the radio"},
        {"refusing",
         refusing,
         {"set", "ani=7"},
         4,
         "radioctl: set ani on port 1 (9600 bit/s, no parity): refused by the radio"},
        {"usage", {}, {"query", "extra"}, 1, "radioctl: query takes no arguments"},
        {"empty file", {}, {"channels", "read", "-o", ""}, 1, "-o needs a FILE"},
        {"empty ports", {}, {"detect", "--ports", ""}, 1, "--ports takes port numbers"},
        {"backup file", {}, {"restore", files.File("none.json")}, 1, "none.json"},
        {"dry run verified", {}, {"restore", "x.json", "--dry-run", "--verify"}, 1, "--verify"},
        {"plan to compare",
         {},
         {"diff", WriteFile("x.csv", "1,229,229\n")},
         1,
         "radioctl: diff: nothing was compared"},
    };
    for (const Case& tried : cases) {
        SCOPED_TRACE(tried.name);
        radio.SetFaults(tried.faults);
        std::vector<std::string> words = tried.words;
        words.push_back("--json");
        const Outcome outcome = Run(words);
        EXPECT_EQ(outcome.status, tried.status);
        EXPECT_NE(outcome.err.find(tried.message), std::string::npos) << outcome.err;
        JsonFault fault;
        const auto json = ParseJson(outcome.out, fault);
        ASSERT_TRUE(json) << fault.Text() << "\n" << outcome.out;
        const JsonValue& error = JsonMember(*json, "error");
        EXPECT_EQ(JsonInt(JsonMember(error, "status")), tried.status);
        EXPECT_EQ(JsonInt(JsonMember(error, "port")), 1);
        EXPECT_FALSE(JsonString(JsonMember(error, "operation")).empty());
        EXPECT_NE(outcome.err.find(JsonString(JsonMember(error, "cause"))), std::string::npos);
    }
}

// The requests the radio logged, once it has logged count (each after its reply).
std::vector<SimRequestFrame> Requests(const CSimRadio& radio, std::size_t count) {
    radio.WaitForFrames(count, std::chrono::seconds(2));
    std::vector<SimRequestFrame> requests;
    for (const SimFrameRecord& record : radio.Frames()) {
        requests.push_back(record.frame);
    }
    return requests;
}

// What a query prints, set takes: on the same radio it finds nothing to write.
TEST_F(Radioctl, QueryJsonPipedIntoSetSendsOnlyReads) {
    radio.SetState(ChangedState());
    const Outcome query = Run({"query", "--json"});
    ASSERT_EQ(query.status, 0) << query.err;
    const std::vector<SimRequestFrame> reads = Requests(radio, 2);  // connect, query
    radio.ClearFrames();
    std::istringstream piped(query.out);
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunRadioctl({"set", "--from-json", "-", "--json"}, out, err, piped), 0) << err.str();
    // Time for a write the radio has answered but not logged yet to show.
    radio.WaitForFrames(reads.size() + 1, std::chrono::milliseconds(300));
    EXPECT_EQ(Requests(radio, reads.size()), reads);
    JsonFault fault;
    const auto set = ParseJson(out.str(), fault);
    ASSERT_TRUE(set) << fault.Text();
    EXPECT_TRUE(JsonMember(JsonMember(*set, "written"), "parameters").empty());
    EXPECT_EQ(JsonItems(JsonMember(*set, "unchanged")).size(), 16U);
}

// Every other command's --json document (backup and restore above).
TEST_F(Radioctl, EachCommandsJsonCarriesItsDocumentedKeys) {
    const std::string plan = WriteFile("plan.csv", "channel,rx_mhz,tx_mhz\n3,229,230\n");
    const std::vector<std::string> where = {"port", "baud_rate", "parity"};
    const auto with = [&where](std::vector<std::string> keys) {
        keys.insert(keys.begin(), where.begin(), where.end());
        return keys;
    };
    const struct {
        std::vector<std::string> words;
        std::vector<std::string> keys;
    } cases[] = {
        {{"query"}, with({"parameters"})},
        {{"set", "ani=5", "rx=229.0125"}, with({"written", "unchanged"})},
        {{"channels", "read", "1", "2"}, {"channel", "rx_hz", "tx_hz"}},
        {{"channels", "read", "-o", files.File("c.json")}, with({"file", "channels"})},
        {{"channels", "write", plan, "--verify"}, with({"file", "written", "differences"})},
        {{"line", "9600", "none"}, with({"radio", "stored_port"})},
        {{"detect", "--ports", "1"}, with({"saved"})},
        {{"plan", "convert", plan, files.File("ChanPara.txt")}, {"input", "output"}},
    };
    for (const auto& tried : cases) {
        SCOPED_TRACE(tried.words[0]);
        std::vector<std::string> words = tried.words;
        words.push_back("--json");
        const Outcome outcome = Run(words);
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        ExpectDocumentedKeys(outcome, tried.keys);
    }
}

// The device goes while the radio is asked: radioctl says so at once, and runs again
// once the device is back under the same name.
TEST_F(Radioctl, ADeviceThatGoesMidQueryIsNamedAtOnceAndTheNextRunWorks) {
    const std::string link = files.File("radio");
    fs::create_symlink(radio.SlavePath(), link);
    SimFaults silentQuery;
    silentQuery.silentCommands = {0xCC};
    radio.SetFaults(silentQuery);
    std::thread unplug([this] {
        radio.WaitForFrames(2, std::chrono::seconds(30));  // connect, then the query
        radio.Vanish();
    });
    const auto start = std::chrono::steady_clock::now();
    const Outcome gone = Run({"--device", link, "query"});
    const auto took = std::chrono::steady_clock::now() - start;
    unplug.join();
    EXPECT_EQ(gone.status, 3);
    EXPECT_EQ(gone.err, "radioctl: query on " + link +
                            " (9600 bit/s, no parity): no reply from the radio (the device went "
                            "away: " +
                            link + " closed; plug it back in and run the command again)\n");
    EXPECT_LT(took, COperationExchange::kQueryDeadline);

    CSimRadio back;
    ASSERT_TRUE(back.Start());
    fs::remove(link);
    fs::create_symlink(back.SlavePath(), link);
    const Outcome again = Run({"--device", link, "query"});
    EXPECT_EQ(again.status, 0) << again.err;
}

TEST_F(Radioctl, DetectNamesAbsentPortsOnceAndProbesTheOthers) {
    const Outcome found = Run({"detect", "--ports", "4,1,200"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "radio found on port 1, 9600 bit/s, no parity\n");
    for (const auto& [port, uart] : {std::pair{"4", "ttyS3"}, {"200", "ttyS199"}}) {
        const std::string absent = "port " + std::string(port) + " (" + DeviceRoot() + "/dev/" +
                                   uart + ") is absent; not probed\n";
        const auto at = found.err.find(absent);
        EXPECT_NE(at, std::string::npos) << found.err;
        EXPECT_EQ(found.err.find(absent, at + 1), std::string::npos) << found.err;
        EXPECT_EQ(found.err.find("probing port " + std::string(port)), std::string::npos);
    }

    const Outcome none = Run({"detect", "--ports", "5,6"});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err, "radioctl: detect: every port to search is absent: port 5 (" +
                            DeviceRoot() + "/dev/ttyS4), port 6 (" + DeviceRoot() +
                            "/dev/ttyS5); plug the radio in or choose other ports (radioctl "
                            "ports lists them)\n");
    EXPECT_EQ(Run({"detect", "--ports", "256"}).status, 1);
}

// Each cause of a port that does not open is named, with what to do, and status 2.
TEST_F(RadioctlPorts, OpenFailuresNameTheirCause) {
    CPtyPair lockedByFile, heldByPort;
    const pid_t lockOwner = getppid();  // alive while the test runs
    std::string lockName = lockedByFile.SlavePath().substr(std::string("/dev/").size());
    std::replace(lockName.begin(), lockName.end(), '/', '_');
    char lockText[16];
    std::snprintf(lockText, sizeof lockText, "%10d\n", static_cast<int>(lockOwner));
    WriteWholeFile(home.LockFolder() + "/LCK.." + lockName, lockText);
    CSerialPort holder;
    ASSERT_TRUE(holder.OpenDevice(heldByPort.SlavePath(), 9600, 0));
    const std::string plain = WriteFile("plain", "");
    const std::string absentUart = DeviceRoot() + "/dev/ttyS2";

    const struct {
        const char* name;
        std::string device;  // empty: port 3
        std::string cause;
    } cases[] = {
        {"absent device", "/nonexistent",
         "/nonexistent is not there (unplugged?); plug it in or choose another port "
         "(radioctl ports lists them)"},
        {"absent port", "",
         absentUart +
             " is not there (unplugged?); plug it in or choose another port (radioctl ports "
             "lists them)"},
        {"lock file", lockedByFile.SlavePath(),
         lockedByFile.SlavePath() + " is in use by " + ProgramName(lockOwner) + " (PID " +
             std::to_string(lockOwner) + ")"},
        {"second opener", heldByPort.SlavePath(),
         heldByPort.SlavePath() + " is in use by " + ProgramName(getpid()) + " (PID " +
             std::to_string(getpid()) + ")"},
        {"plain file", plain, plain + " is not a serial device"},
    };
    for (const auto& tried : cases) {
        SCOPED_TRACE(tried.name);
        const Outcome outcome =
            Run(tried.device.empty() ? std::vector<std::string>{"--port", "3", "query"}
                                     : std::vector<std::string>{"--device", tried.device, "query"});
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err, "radioctl: open " +
                                   (tried.device.empty() ? "port 3" : tried.device) +
                                   " (9600 bit/s, no parity): " + tried.cause + "\n");
    }
}

TEST_F(RadioctlPorts, AUserWithoutPermissionIsToldWhichGroupToJoin) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to become an unprivileged user";
    }
    const group* dialout = getgrnam("dialout");
    ASSERT_NE(dialout, nullptr);
    CPtyPair pty;
    ASSERT_EQ(chown(pty.SlavePath().c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(chmod(pty.SlavePath().c_str(), 0660), 0);
    CRadioctlChild run({"--device", pty.SlavePath(), "query"}, kNobody);
    EXPECT_EQ(run.Wait(), 2);
    EXPECT_EQ(run.Err(), "radioctl: open " + pty.SlavePath() +
                             " (9600 bit/s, no parity): you may not open " + pty.SlavePath() +
                             "; add your user to the group `dialout` and log in again\n");
}

// A USB adapter, an ACM device and two UARTs, one without a number; a numbered port
// that is absent; one port in use.
TEST_F(RadioctlPorts, PortsListsNumbersDevicesAndStatesAsTableAndJson) {
    home.MapPort(2, "/nonexistent");
    CDeviceMachine machine;
    CPtyPair usb, acm, uart0, uart1;
    const std::string usbById =
        machine.PlugUsb("ttyUSB0", usb.SlavePath(), {"FTDI", "FT232R USB UART", "A50285BI"});
    const std::string acmById =
        machine.PlugUsb("ttyACM0", acm.SlavePath(), {"Arduino", "Uno", "7543"});
    machine.AddUart("ttyS0", uart0.SlavePath(), true);
    machine.AddUart("ttyS1", uart1.SlavePath(), true);
    CSerialPort holder;
    ASSERT_TRUE(holder.OpenDevice(machine.Dev("ttyACM0"), 9600, 0));

    const struct {
        const char* number;  // "-": none
        std::string device, stableName, description, state, jsonState;
        int pid;
    } expected[] = {
        {"1", machine.Dev("ttyS0"), machine.Dev("ttyS0"), "serial8250", "free", "free", 0},
        {"2", "/nonexistent", "/nonexistent", "", "absent", "absent", 0},
        {"3", machine.Dev("ttyACM0"), acmById, "Arduino Uno (7543)",
         "in use by " + ProgramName(getpid()) + " (PID " + std::to_string(getpid()) + ")", "in_use",
         getpid()},
        {"4", machine.Dev("ttyUSB0"), usbById, "FTDI FT232R USB UART (A50285BI)", "free", "free",
         0},
        {"-", machine.Dev("ttyS1"), machine.Dev("ttyS1"), "serial8250", "free", "free", 0},
    };

    const Outcome table = Run({"ports"});
    ASSERT_EQ(table.status, 0) << table.err;
    std::istringstream lines(table.out);
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(header.substr(0, 4), "PORT");
    // Each column starts where its heading does.
    const std::size_t starts[] = {0, header.find("DEVICE"), header.find("STABLE NAME"),
                                  header.find("DESCRIPTION"), header.find("STATE")};
    for (const auto& port : expected) {
        const std::string fields[] = {port.number, port.device, port.stableName,
                                      port.description.empty() ? "-" : port.description,
                                      port.state};
        std::string wanted;
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            wanted.resize(starts[i], ' ');
            wanted += fields[i];
        }
        std::string line;
        std::getline(lines, line);
        EXPECT_EQ(line, wanted);
    }
    EXPECT_FALSE(std::getline(lines, header));
    EXPECT_NE(home.ReadSettings().find("COM4=" + usbById), std::string::npos);

    const Outcome json = Run({"ports", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    JsonFault fault;
    const auto parsed = ParseJson(json.out, fault);
    ASSERT_TRUE(parsed) << fault.Text();
    ASSERT_EQ(JsonItems(*parsed).size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const JsonValue& port = (*parsed)[i];
        const auto& want = expected[i];
        SCOPED_TRACE(want.device);
        const JsonValue& number = JsonMember(port, "number");
        EXPECT_EQ(number.is_null() ? "-" : std::to_string(JsonInt(number)), want.number);
        EXPECT_EQ(JsonString(JsonMember(port, "device")), want.device);
        EXPECT_EQ(JsonString(JsonMember(port, "stable_name")), want.stableName);
        EXPECT_EQ(JsonString(JsonMember(port, "description")), want.description);
        EXPECT_EQ(JsonString(JsonMember(port, "state")), want.jsonState);
        EXPECT_EQ(JsonInt(JsonMember(port, "pid")), want.pid);
        EXPECT_EQ(JsonString(JsonMember(port, "program")),
                  want.pid != 0 ? ProgramName(getpid()) : "");
    }
}

TEST_F(RadioctlPorts, PortsAssignGivesADeviceItsNumberOrSaysWhyNot) {
    const Outcome assigned = Run({"ports", "assign", "9", "/dev/ttyUSB7"});
    EXPECT_EQ(assigned.status, 0) << assigned.err;
    EXPECT_EQ(assigned.out, "port 9 is now /dev/ttyUSB7\n");
    EXPECT_NE(home.ReadSettings().find("COM9=/dev/ttyUSB7"), std::string::npos);

    EXPECT_EQ(Run({"ports", "assign", "256", "/dev/ttyUSB7"}).status, 1);
    CFileSizeLimit full;
    const Outcome refused = Run({"ports", "assign", "12", "/dev/ttyUSB7"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "radioctl: ports assign 12 /dev/ttyUSB7: " + home.SettingsFile() +
                               " cannot be written\n");
}

}  // namespace
