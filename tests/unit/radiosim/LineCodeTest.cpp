#include <gtest/gtest.h>

#include "SimCommands.h"
#include "TestNamespaces.h"

TEST(SimLineCode, RateInTheLowBitsParityInTheTopTwo) {
    const struct {
        std::uint8_t code;
        int baudRate;
        int parity;
    } cases[] = {{0x07, 9600, 0},  {0x47, 9600, 1}, {0xC7, 9600, 2},
                 {0xC8, 19200, 2}, {0x45, 2400, 1}, {0x06, 4800, 0}};
    for (const auto& expected : cases) {
        const std::optional<SimLineSettings> line = DecodeLineCode(expected.code);
        ASSERT_TRUE(line.has_value()) << int(expected.code);
        EXPECT_EQ(line->baudRate, expected.baudRate);
        EXPECT_EQ(line->parity, expected.parity);
    }
    EXPECT_FALSE(DecodeLineCode(0x04).has_value());  // no rate code 4
    EXPECT_FALSE(DecodeLineCode(0x09).has_value());
    EXPECT_FALSE(DecodeLineCode(0x87).has_value());  // parity bits 10
}
