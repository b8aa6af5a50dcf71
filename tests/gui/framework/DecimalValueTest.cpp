#include "DecimalValue.h"

#include <gtest/gtest.h>

#include "TestNamespaces.h"

TEST(DecimalValue, ReadsDigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(DecimalValue("2290000"), 2290000);
    EXPECT_EQ(DecimalValue("007"), 7);
    EXPECT_EQ(DecimalValue("12a3"), 12);
    EXPECT_EQ(DecimalValue("1 2"), 1);
}

TEST(DecimalValue, SkipsLeadingBlanksAndTakesOneSign) {
    EXPECT_EQ(DecimalValue("  \t42"), 42);
    EXPECT_EQ(DecimalValue("-5"), -5);
    EXPECT_EQ(DecimalValue("+5"), 5);
    EXPECT_EQ(DecimalValue(" -017x"), -17);
    EXPECT_EQ(DecimalValue("--5"), 0);
    EXPECT_EQ(DecimalValue("- 5"), 0);
}

TEST(DecimalValue, TextWithoutDigitsIsZero) {
    EXPECT_EQ(DecimalValue(""), 0);
    EXPECT_EQ(DecimalValue("   "), 0);
    EXPECT_EQ(DecimalValue("abc"), 0);
    EXPECT_EQ(DecimalValue("-"), 0);
}

TEST(DecimalValue, OnlyAsciiDigitsCount) {
    EXPECT_EQ(DecimalValue("1２3"), 1);  // full-width two
    EXPECT_EQ(DecimalValue("٣"), 0);     // Arabic-Indic three
}

TEST(DecimalValue, SaturatesBeyondThe32BitRange) {
    EXPECT_EQ(DecimalValue("2147483647"), 2147483647);
    EXPECT_EQ(DecimalValue("99999999999"), 2147483647);
    EXPECT_EQ(DecimalValue("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(DecimalValue("-99999999999"), -2147483647 - 1);
}
