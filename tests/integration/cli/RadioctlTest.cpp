// radioctl's commands against the simulated radio on a pseudo-terminal, as PC port 1.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Json.h"
#include "PortSettingsStore.h"
#include "Radioctl.h"
#include "SimRadio.h"
#include "TestSupport.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class Radioctl : public ::testing::Test {
protected:
    Radioctl() {
        EXPECT_TRUE(radio.Start());
        home.MapPort(1, radio.SlavePath());
    }

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
    CSimRadio radio;
};

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
    std::string error;
    const auto json = CJsonValue::Parse(query.out, error);
    ASSERT_TRUE(json) << error;
    const CJsonValue& p = json->Member("parameters");
    for (const auto& [key, value] : {std::pair{"rx_hz", 300750000LL},
                                     {"tx_hz", 400075000LL},
                                     {"ani", 4660LL},
                                     {"channel_total", 50LL},
                                     {"current_channel", 7LL},
                                     {"tx_time_limit_s", 30LL},
                                     {"rx_voice_gain", 2LL},
                                     {"tx_channel_gain", 5LL}}) {
        EXPECT_EQ(p.Member(key).Int(), value) << key;
    }
    for (const auto& [key, value] : {std::pair{"addressing", true},
                                     {"transparent", false},
                                     {"error_correction", true},
                                     {"encryption", true},
                                     {"compander", true},
                                     {"pre_emphasis", false}}) {
        EXPECT_EQ(p.Member(key).Bool(), value) << key;
    }
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

TEST_F(Radioctl, BackupRestoredOntoAnotherRadioMakesItTheSame) {
    radio.SetState(ChangedState());
    const std::string backup = files.File("radio.json");
    ASSERT_EQ(Run({"backup", backup}).status, 0);

    CSimRadio second;
    ASSERT_TRUE(second.Start());
    const Outcome restore =
        Run({"--device", second.SlavePath(), "restore", backup, "--keep-ani", "--verify"});
    EXPECT_EQ(restore.status, 0) << restore.err;
    SimRadioState expected = ChangedState();
    expected.ani = SimRadioState().ani;
    const SimRadioState restored = second.State();
    EXPECT_EQ(restored.rxWord, expected.rxWord);
    EXPECT_EQ(restored.txWord, expected.txWord);
    EXPECT_EQ(restored.ani, expected.ani);
    EXPECT_EQ(restored.channelTotal, expected.channelTotal);
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

TEST_F(Radioctl, DetectFindsTheRadioOnPortTwoAndSavesItOnlyWhenAsked) {
    SimRadioState state;
    state.baudRate = 4800;
    state.parity = 1;
    CSimRadio second(state);
    ASSERT_TRUE(second.Start());
    home.WriteSettings("[Ports]\nCOM1=" + files.File("no-such-port") +
                       "\nCOM2=" + second.SlavePath() + "\n");
    const Outcome found = Run({"detect"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "radio found on port 2, 4800 bit/s, odd parity\n");
    PcPortSettings stored;
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nPortNumber, 1);
    EXPECT_EQ(Run({"detect", "--ports", "2", "--save", "--json"}).out,
              "{\"port\": 2, \"baud_rate\": 4800, \"parity\": \"odd\"}\n");
    LoadPortSettings(stored);
    EXPECT_EQ(stored.m_nPortNumber, 2);
}

// Each failure has its status and a message naming the port and the operation; none hangs.
TEST_F(Radioctl, FailuresEndWithTheirStatusAndMessage) {
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
    SimFaults vanishing;
    vanishing.vanishAfter = 40;
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
        {"vanishing", vanishing, {"query"}, 3, "on port 1 (9600 bit/s, no parity): no reply"},
        {"no port", {}, {"--port", "3", "query"}, 2, "radioctl: open port 3 (9600 bit/s"},
        {"usage", {}, {"query", "extra"}, 1, "radioctl: query takes no arguments"},
        {"backup file", {}, {"restore", files.File("none.json")}, 1, "none.json"},
    };
    for (const Case& tried : cases) {
        SCOPED_TRACE(tried.name);
        radio.SetFaults(tried.faults);
        const Outcome outcome = Run(tried.words);
        EXPECT_EQ(outcome.status, tried.status);
        EXPECT_NE(outcome.err.find(tried.message), std::string::npos) << outcome.err;
    }
}

}  // namespace
