// radioctl's words: global options anywhere, everything else to the command.
#include <gtest/gtest.h>

#include <sstream>

#include "CommandLine.h"
#include "Radioctl.h"
#include "TestNamespaces.h"

namespace {

TEST(CommandLine, GlobalOptionsMayStandBeforeOrAfterTheCommand) {
    std::string error;
    const auto parsed = ParseCommandLine({"--json", "channels", "read", "--port", "200", "1", "-o",
                                          "x.csv", "--parity", "even", "--rate", "4800", "--trace"},
                                         error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->command, "channels");
    EXPECT_EQ(parsed->args, (std::vector<std::string>{"read", "1", "-o", "x.csv"}));
    EXPECT_EQ(parsed->port, 200);
    EXPECT_EQ(parsed->baudRate, 4800);
    EXPECT_EQ(parsed->parity, 2);
    EXPECT_TRUE(parsed->json && parsed->trace && !parsed->quiet);
}

TEST(CommandLine, BadWordsEndTheRunWithStatusOneAndSayWhy) {
    const struct {
        std::vector<std::string> words;
        int status;
        const char* said;
    } cases[] = {
        {{"--port", "256", "query"}, 1, "--port takes a port number from 1 to 255, not '256'"},
        {{"query", "--rate", "1200"}, 1, "--rate takes 2400, 4800, 9600 or 19200"},
        {{"query", "--parity"}, 1, "--parity needs a value"},
        {{"frobnicate"}, 1, "unknown command 'frobnicate'"},
        {{}, 1, "Usage: radioctl"},
        {{"--json"}, 1, "\"cause\": \"no COMMAND given\""},
        {{"--version", "--json"}, 0, "{\n  \"version\": \""},
        {{"--help"}, 0, "Exit status: 0 success"},
        {{"set", "--help"}, 0, "rx_voice_gain=1..8"},
        {{"ports", "--help"}, 0, "radioctl ports assign N DEVICE"},
        {{"ports", "extra"}, 1, "ports takes no arguments, or assign N DEVICE"},
        // An unset variable in a script never falls back to the stored port.
        {{"--device", "", "query"}, 1, "--device needs a value, not an empty word"},
        {{"query", "--port", ""}, 1, "--port needs a value, not an empty word"},
        {{"--rate", "", "query"}, 1, "--rate needs a value, not an empty word"},
        {{"--parity", "", "query"}, 1, "--parity needs a value, not an empty word"},
        {{"--ports", "1,2", "line", "9600", "none"}, 1, "--ports is not for line"},
        {{"--ports", "1-2", "--port", "3", "query"}, 1, "--ports names the ports itself"},
        {{"--ports", "3-1", "query"}, 1, "--ports takes numbers and ranges from 1 to 255"},
        // Radios would overwrite one another's backup.
        {{"--ports", "1-2", "backup", "x.json"}, 1, "each radio needs its own file"},
        {{"--ports", "1-2", "restore", "x.json"}, 1, "would give every radio the backup's ANI"},
        {{"--ports", "1-2", "restore", "x.json", "--ani-list", "none.csv"},
         1,
         "radioctl: none.csv: the file cannot be read\nTry"},
        {{"restore", "x.json", "--repeat"}, 1, "would give every radio the backup's ANI"},
        {{"restore", "x.json", "--repeat", "--ani-start", "x"}, 1, "--ani-start takes an ANI"},
        {{"restore", "x.json", "--ani-start", "5"}, 1, "give --repeat too"},
        {{"set", "ani=5", "--repeat"}, 1, "--repeat is for restore and channels write"},
        {{"channels", "write", "x.csv", "--repeat", "--dry-run"}, 1, "one radio after another"},
    };
    for (const auto& tried : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunRadioctl(tried.words, out, err), tried.status) << tried.said;
        EXPECT_NE((out.str() + err.str()).find(tried.said), std::string::npos)
            << out.str() << err.str();
    }
}

TEST(CommandLine, PortListsNameEachPortOnceAndDetectKeepsItsOwn) {
    const struct {
        const char* list;
        std::vector<int> ports;  // empty: refused
    } cases[] = {
        {"1,3-6", {1, 3, 4, 5, 6}},
        {"4,2,2-3", {2, 3, 4}},
        {"all", {2, 7}},
        {"255", {255}},
        {"0", {}},
        {"1-", {}},
        {"a", {}},
        {"", {}},
        {"2-256", {}},
    };
    for (const auto& tried : cases) {
        std::string error;
        const auto ports = PortNumbersNamed(
            tried.list,
            [] {
                return std::vector<int>{2, 7};
            },
            error);
        EXPECT_EQ(ports.value_or(std::vector<int>()), tried.ports) << tried.list;
        EXPECT_EQ(error.empty(), ports.has_value()) << tried.list;
    }
    std::string error;
    const auto detect = ParseCommandLine({"--ports", "1,3", "detect"}, error);
    ASSERT_TRUE(detect) << error;
    EXPECT_EQ(detect->args, (std::vector<std::string>{"--ports", "1,3"}));
    EXPECT_TRUE(detect->ports.empty());
}

}  // namespace
