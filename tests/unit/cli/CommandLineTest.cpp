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
        {{"--help"}, 0, "Exit status: 0 success"},
        {{"set", "--help"}, 0, "rx_voice_gain=1..8"},
        {{"ports", "--help"}, 0, "radioctl ports assign N DEVICE"},
        {{"ports", "extra"}, 1, "ports takes no arguments, or assign N DEVICE"},
        // An unset variable in a script never falls back to the stored port.
        {{"--device", "", "query"}, 1, "--device needs a value, not an empty word"},
        {{"query", "--port", ""}, 1, "--port needs a value, not an empty word"},
        {{"--rate", "", "query"}, 1, "--rate needs a value, not an empty word"},
        {{"--parity", "", "query"}, 1, "--parity needs a value, not an empty word"},
    };
    for (const auto& tried : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunRadioctl(tried.words, out, err), tried.status) << tried.said;
        EXPECT_NE((out.str() + err.str()).find(tried.said), std::string::npos)
            << out.str() << err.str();
    }
}

}  // namespace
