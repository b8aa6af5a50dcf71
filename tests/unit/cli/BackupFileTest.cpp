#include "BackupFile.h"

#include <gtest/gtest.h>

#include <map>

#include "TestNamespaces.h"

namespace {

// Every value away from its default, channel n at 229.0125 MHz + (n - 1) steps.
RadioBackup SampleBackup() {
    RadioBackup backup;
    backup.rxFrequency = 2290125;
    backup.txFrequency = 5999875;
    backup.ani = 1193046;
    backup.channelTotal = 20;
    backup.currentChannel = 7;
    backup.txTimeLimit = 255;
    backup.rxChannelGain = 16;
    backup.rxVoiceGain = 4;
    backup.txChannelGain = 1;
    backup.txVoiceGain = 9;
    backup.encryption = true;
    backup.preEmphasis = true;
    for (std::size_t index = 0; index < backup.channels.size(); ++index) {
        const auto step = static_cast<std::int32_t>(index) * 125;
        backup.channels[index] = {2290125 + step, 2300000 + step};
    }
    return backup;
}

const std::string kSample = CBackupFile::Format(SampleBackup());

std::string Replaced(const std::string& from, const std::string& to) {
    std::string text = kSample;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(BackupFile, WritesTheDocumentedLayoutAndReadsItBack) {
    const std::string start =
        "{\n  \"format\": \"radioctl-backup\",\n  \"version\": 1,\n  \"parameters\": {\n"
        "    \"rx_hz\": 229012500,\n";
    EXPECT_EQ(kSample.substr(0, start.size()), start);
    EXPECT_NE(kSample.find("    {\"channel\": 100, \"rx_hz\": 230250000, \"tx_hz\": 231237500}\n"),
              std::string::npos);
    std::string error;
    const auto read = CBackupFile::Parse(kSample, error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->ani, 1193046);
    EXPECT_EQ(read->channels[99].txFreq, 2312375);
    EXPECT_EQ(CBackupFile::Format(*read), kSample);
}

struct Refusal {
    std::string text;
    std::string error;
};

TEST(BackupFile, RefusesWithOneMessageNamingTheKey) {
    const Refusal cases[] = {
        {"{\"format\": ",
         "not JSON: syntax error while parsing value - unexpected end of input; expected '[', "
         "'{', or a literal at offset 12"},
        {"[1]", "format: not a radioctl backup (expected \"radioctl-backup\")"},
        {Replaced("radioctl-backup", "radioctl-plan"),
         "format: not a radioctl backup (expected \"radioctl-backup\")"},
        {Replaced("\"version\": 1", "\"version\": 2"), "version: expected 1, found 2"},
        {Replaced("\"version\": 1", "\"version\": \"1\""), "version: must be a whole number"},
        {Replaced("\"parameters\": {", "\"parameters\": [], \"p\": {"),
         "parameters: must be an object"},
        {Replaced("\"ani\"", "\"an1\""), "parameters.ani: missing"},
        {Replaced("\"ani\": 1193046", "\"ani\": 16777216"),
         "parameters.ani: 16777216 is outside 0..16777215"},
        {Replaced("\"rx_voice_gain\": 4", "\"rx_voice_gain\": 0"),
         "parameters.rx_voice_gain: 0 is outside 1..8"},
        {Replaced("\"encryption\": true", "\"encryption\": 1"),
         "parameters.encryption: must be true or false"},
        {Replaced("229012500", "229010000"),
         "parameters.rx_hz: 229010000 Hz is not on a 12.5 kHz step"},
        {Replaced("229012500", "229012550"),
         "parameters.rx_hz: 229012550 Hz is not a multiple of 100 Hz"},
        {Replaced("231237500", "600012500"),
         "channels[99].tx_hz: 600012500 Hz is outside 100..600 MHz"},
        {Replaced("\"channels\": [", "\"channels\": [1, "),
         "channels: must be an array of 100 channels"},
        {Replaced("{\"channel\": 1, \"rx_hz\": 229012500, \"tx_hz\": 230000000}", "[]"),
         "channels[0]: must be an object"},
        {Replaced("{\"channel\": 5,", "{\"channel\": 6,"),
         "channels[4].channel: expected 5, found 6"},
        {Replaced("\"tx_time_limit_s\": 255", "\"tx_time_limit_s\": 40.0"),
         "parameters.tx_time_limit_s: must be a whole number, not 40.0"},
        {Replaced("231237500", "2.312375e8"),
         "channels[99].tx_hz: must be a whole number, not 2.312375e8"},
        {Replaced("\"ani\": 1193046", "\"ani\": 1e400"),
         "parameters.ani: must be a whole number, not 1e400"},
        {Replaced("\"ani\": 1193046", "\"ani\": " + std::string(30, '1')),
         "parameters.ani: " + std::string(30, '1') + " is too large"},
    };
    for (const Refusal& c : cases) {
        std::string error;
        EXPECT_FALSE(CBackupFile::Parse(c.text, error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

// set --from-json: any of the table's keys, each in the form a backup holds it.
TEST(BackupFile, ParametersForSetAreReadByTheirKeysAlone) {
    std::string error;
    const auto values = CBackupFile::ParseParameters(
        R"({"port": 1, "parameters": {"ani": 5, "mode": "data", "rx_hz": 229012500}})", error);
    ASSERT_TRUE(values) << error;
    std::map<std::string, std::int32_t> byKey;
    for (const auto& [row, value] : *values) {
        byKey[row->names.key] = value;
    }
    EXPECT_EQ(byKey,
              (std::map<std::string, std::int32_t>{{"ani", 5}, {"mode", 1}, {"rx_hz", 2290125}}));
    const Refusal cases[] = {
        {"[1]", "not an object holding \"parameters\""},
        {R"({"parameters": {"volume": 3}})", "parameters.volume: no such parameter"},
        {R"({"parameters": {"ecc": true}})", "parameters.ecc: no such parameter"},
        {R"({"parameters": {"relay": "maybe"}})",
         "parameters.relay: must be one of \"off\", \"on\", \"rx-end\", not \"maybe\""},
        {R"({"parameters": {"rx_hz": 229010000}})",
         "parameters.rx_hz: 229010000 Hz is not on a 12.5 kHz step"},
    };
    for (const Refusal& c : cases) {
        EXPECT_FALSE(CBackupFile::ParseParameters(c.text, error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
