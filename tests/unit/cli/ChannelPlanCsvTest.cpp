#include "ChannelPlanCsv.h"

#include <gtest/gtest.h>

#include "TestNamespaces.h"

namespace {

const std::string kHeader = "channel,rx_mhz,tx_mhz\n";

std::string TwentyFiveBadRows() {
    std::string rows;
    for (int channel = 1; channel <= 25; ++channel) {
        rows += std::to_string(channel) + ",229\n";
    }
    return rows;
}

std::vector<std::string> TwentyFaultsAndFiveMore() {
    std::vector<std::string> errors;
    for (int line = 2; line <= 21; ++line) {
        errors.push_back("p.csv:" + std::to_string(line) +
                         ": expected 3 fields (channel,rx_mhz,tx_mhz), found 2");
    }
    errors.push_back("p.csv: and 5 more");
    return errors;
}

struct FaultCase {
    std::string text;
    std::vector<std::string> errors;
};

TEST(ChannelPlanCsv, ReportsEveryFaultyRowAndKeepsNoRows) {
    const FaultCase cases[] = {
        {kHeader + "0,229,229\n101,229,229\n99999999999,229,229\n1,229,229\n",
         {"p.csv:2: channel 0 is outside 1..100", "p.csv:3: channel 101 is outside 1..100",
          "p.csv:4: channel 99999999999 is outside 1..100"}},
        {kHeader + "1,229.0100,99.9875\n2,600.0125,99999999999999.5\n",
         {"p.csv:2: rx 229.0100 MHz is not on a 12.5 kHz step",
          "p.csv:2: tx 99.9875 MHz is outside 100..600 MHz",
          "p.csv:3: rx 600.0125 MHz is outside 100..600 MHz",
          "p.csv:3: tx 99999999999999.5 MHz is outside 100..600 MHz"}},
        {kHeader + "7,229,229\n# again\n7,230,230\n7,231,231\n",
         {"p.csv:4: channel 7 appears twice (first on line 2)",
          "p.csv:5: channel 7 appears twice (first on line 2)"}},
        {kHeader + "1,229\n2,229,229,229\n",
         {"p.csv:2: expected 3 fields (channel,rx_mhz,tx_mhz), found 2",
          "p.csv:3: expected 3 fields (channel,rx_mhz,tx_mhz), found 4"}},
        {kHeader + "x,229.,.5\n+2,-229,2 29\n",
         {"p.csv:2: channel \"x\" is not a whole number",
          "p.csv:2: rx \"229.\" is not a frequency in MHz",
          "p.csv:2: tx \".5\" is not a frequency in MHz",
          "p.csv:3: channel \"+2\" is not a whole number",
          "p.csv:3: rx \"-229\" is not a frequency in MHz",
          "p.csv:3: tx \"2 29\" is not a frequency in MHz"}},
        {kHeader + "1,229.01250,229\n", {"p.csv:2: rx 229.01250 has more than four decimals"}},
        {",channel,rx_mhz,tx_mhz\n", {"p.csv:1: missing the header line channel,rx_mhz,tx_mhz"}},
        {"# plan\n1,229,229\n2,229,229\n",
         {"p.csv:2: missing the header line channel,rx_mhz,tx_mhz"}},
        {"", {"p.csv:1: missing the header line channel,rx_mhz,tx_mhz"}},
        {kHeader + "\x01" + std::string(50, '1') + ",229,229\n",
         {"p.csv:2: channel \"\\x01" + std::string(39, '1') + "…\" is not a whole number"}},
        {kHeader + TwentyFiveBadRows(), TwentyFaultsAndFiveMore()},
        {kHeader + "1,229," + std::string(CChannelPlanCsv::kLongestLine, '9') + "\n",
         {"p.csv:2: longer than 1048576 bytes, which no row is"}},
    };
    for (const FaultCase& c : cases) {
        const CChannelPlanCsv::Plan plan = CChannelPlanCsv::Parse(c.text, "p.csv");
        EXPECT_EQ(plan.errors, c.errors) << c.text;
        EXPECT_TRUE(plan.rows.empty()) << c.text;
    }
}

TEST(ChannelPlanCsv, ReadsWhatSpreadsheetsWriteAndWritesItSorted) {
    const std::string messy =
        "\xEF\xBB\xBF# exported\r\n channel , rx_mhz , tx_mhz \r\n\r\n"
        "100, 600 ,100.0125\r\n  # spare\r\n1,229.0125,229.5\r\n#" +
        std::string(CChannelPlanCsv::kLongestLine, '#') + "\n";
    const CChannelPlanCsv::Plan plan = CChannelPlanCsv::Parse(messy, "p.csv");
    ASSERT_TRUE(plan.errors.empty()) << plan.errors.front();
    ASSERT_EQ(plan.rows.size(), 2u);
    EXPECT_EQ(plan.rows[1].freq.rxFreq, 2290125);
    EXPECT_EQ(plan.rows[1].freq.txFreq, 2295000);

    const std::string written = CChannelPlanCsv::Format(plan.rows);
    EXPECT_EQ(written, kHeader + "1,229.0125,229.5000\n100,600.0000,100.0125\n");
    EXPECT_EQ(CChannelPlanCsv::Format(CChannelPlanCsv::Parse(written, "p.csv").rows), written);
}

}  // namespace
