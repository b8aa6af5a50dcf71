#include "PlanConvert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "TestNamespaces.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder of the test's own, removed with everything in it.
class PlanConvertTest : public ::testing::Test {
protected:
    PlanConvertTest()
        : m_folder(fs::temp_directory_path() /
                   ("radioctl-test-" + std::to_string(std::random_device()()))) {
        fs::create_directories(m_folder);
    }
    ~PlanConvertTest() override { fs::remove_all(m_folder); }

    std::string File(const char* name) const { return (m_folder / name).string(); }

    void Write(const char* name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }

    std::string Read(const char* name) const {
        std::ifstream file(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    fs::path m_folder;
};

// Channel file records, little-endian receive then transmit.
std::string Records(const std::vector<std::int32_t>& values) {
    std::string bytes;
    for (const std::int32_t value : values) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>((static_cast<std::uint32_t>(value) >> shift) & 0xFF);
        }
    }
    return bytes;
}

TEST_F(PlanConvertTest, CsvNamingSomeChannelsGivesAWholeChannelFile) {
    Write("plan.csv", "channel,rx_mhz,tx_mhz\n2,229.0125,435.5\n");
    ASSERT_EQ(CPlanConvert::Convert(File("plan.csv"), File("ChanPara.txt")),
              std::vector<std::string>{});

    const std::string written = Read("ChanPara.txt");
    ASSERT_EQ(written.size(), 800u);
    EXPECT_EQ(written.substr(0, 24),
              Records({2300000, 2300000, 2290125, 4355000, 2300000, 2300000}));
    EXPECT_EQ(written.substr(792), Records({2300000, 2300000}));
}

TEST_F(PlanConvertTest, ShortChannelFileGivesACsvOfAllChannels) {
    Write("ChanPara.txt", Records({2290125, 4355000, 1000000, 6000000}));
    ASSERT_EQ(CPlanConvert::Convert(File("ChanPara.txt"), File("plan.CSV")),
              std::vector<std::string>{});

    const std::string csv = Read("plan.CSV");
    const std::string start =
        "channel,rx_mhz,tx_mhz\n1,229.0125,435.5000\n2,100.0000,600.0000\n3,230.0000,";
    EXPECT_EQ(csv.substr(0, start.size()), start);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 101);
}

TEST_F(PlanConvertTest, BadInputIsReportedAndNothingIsWritten) {
    Write("bad.txt", Records({2290100, 2300000, 2300000, 7000000}));
    Write("bad.csv", "channel,rx_mhz,tx_mhz\n101,229,229\n");
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"bad.txt",
         {File("bad.txt") + ": channel 1: rx 229.0100 MHz is not on a 12.5 kHz step",
          File("bad.txt") + ": channel 2: tx 700.0000 MHz is outside 100..600 MHz"}},
        {"bad.csv", {File("bad.csv") + ":2: channel 101 is outside 1..100"}},
        {"none.csv", {File("none.csv") + ": cannot read it (missing, unreadable, or not a file)"}},
    };
    for (const auto& [in, errors] : cases) {
        const char* out = in == "bad.txt" ? "out.csv" : "out.txt";
        EXPECT_EQ(CPlanConvert::Convert(File(in.c_str()), File(out)), errors);
        EXPECT_FALSE(fs::exists(File(out))) << in;
    }
    EXPECT_EQ(CPlanConvert::Convert("a.csv", "b.csv"),
              std::vector<std::string>{"plan convert takes IN.txt OUT.csv or IN.csv OUT.txt, not "
                                       "a.csv b.csv"});
}

}  // namespace
