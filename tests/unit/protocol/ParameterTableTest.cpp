#include "ParameterTable.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "TestNamespaces.h"
#include "WorkedParameterBlock.h"

namespace {

struct Expected {
    std::string key;
    std::optional<unsigned> field;         // none: no field of its own in the block
    std::optional<std::int32_t> reported;  // none: the radio does not report it
    RadioPayload restored;                 // the request for the reported value
};

// The audio request carries the levels and all four flags, encryption too.
constexpr RadioPayload kAudio{0x11, 0x0F, 0xF5, 0x3C, 0xF9};

const Expected kExpected[] = {
    {"ani", 12345, 12345, {0x02, 0x39, 0x30, 0x00, 0x00}},
    {"channel_total", 50, 50, {0x03, 0x32, 0x00, 0x00, 0x00}},
    {"current_channel", 0, 1, {0x07, 0x00, 0x00, 0x00, 0x00}},
    {"rx_hz", std::nullopt, 2290000, {0x04, 0x00, 0x40, 0xE0, 0x00}},
    {"tx_hz", std::nullopt, 2290000, {0x05, 0x00, 0x47, 0x90, 0x00}},
    {"tx_time_limit_s", 200, 200, {0x06, 0xC8, 0x00, 0x00, 0x00}},
    {"mode", std::nullopt, std::nullopt, {}},
    {"addressing", 0x0F, 0, {0x18, 0x0F, 0x00, 0x00, 0x00}},
    {"transparent", 0, 0, {0x15, 0x0F, 0x00, 0x00, 0x00}},
    {"relay", std::nullopt, std::nullopt, {}},
    {"error_correction", 1, 0, {0x0A, 0x00, 0x00, 0x00, 0x00}},
    {"encryption", 1, 1, {0x13, 0x01, 0x00, 0x00, 0x00}},
    {"compander", 1, 1, kAudio},
    {"pre_emphasis", 1, 1, kAudio},
    {"rx_channel_gain", 9, 10, kAudio},
    {"rx_voice_gain", 5, 6, kAudio},
    {"tx_channel_gain", 3, 4, kAudio},
    {"tx_voice_gain", 12, 13, kAudio},
};

}  // namespace

TEST(ParameterTable, EveryRowReadsTheWorkedBlockAndWritesItBack) {
    const auto block = WorkedParameterBlock();
    CParameterSet queried;
    DecodeParameterBlock(block.data(), queried);
    const std::vector<ParameterRow>& table = ParameterTable();
    ASSERT_EQ(table.size(), std::size(kExpected));
    for (std::size_t index = 0; index < table.size(); ++index) {
        const ParameterRow& row = table[index];
        const Expected& expected = kExpected[index];
        SCOPED_TRACE(expected.key);
        EXPECT_EQ(row.names.key, expected.key);
        EXPECT_EQ(row.field.has_value(), expected.field.has_value());
        if (row.field && expected.field) {
            EXPECT_EQ(ReadField(block.data(), *row.field), *expected.field);
        }
        EXPECT_EQ(row.access.reported != nullptr, expected.reported.has_value());
        if (row.access.reported != nullptr && expected.reported) {
            const std::int32_t value = row.access.reported(queried);
            EXPECT_EQ(value, *expected.reported);
            CParameterSet restoring = queried;
            row.access.apply(restoring, value);
            EXPECT_EQ(row.request.payload(restoring), expected.restored);
        }
    }
}
