#include "Json.h"

#include <gtest/gtest.h>

#include "TestNamespaces.h"

namespace {

struct JsonCase {
    const char* text;
    bool valid;
    std::string firstString;  // of a valid array's first item
};

TEST(Json, TakesWhatTheTemplatesUseAndRefusesTheRest) {
    const JsonCase cases[] = {
        {R"(["a\"b\\c\/\n\t"])", true, "a\"b\\c/\n\t"},
        {R"(["\u4E2D\u00e9"])", true, "中é"},
        {R"(["\uD83D\uDE00"])", true, "\xF0\x9F\x98\x80"},
        {R"(["\uD83D"])", false, ""},
        {R"(["open)", false, ""},
        {"[\"tab\there\"]", false, ""},
        {"[1.5]", false, ""},
        {"[1e3]", false, ""},
        {"[99999999999999999999]", false, ""},
        {"[1] 2", false, ""},
        {"[1,]", false, ""},
        {"{\"a\" 1}", false, ""},
        {R"([{"a": "x", "a": "y"}])", false, ""},
        {"nul", false, ""},
        {"", false, ""},
    };
    for (const JsonCase& c : cases) {
        std::string error;
        const auto value = CJsonValue::Parse(c.text, error);
        ASSERT_EQ(value.has_value(), c.valid) << c.text << ": " << error;
        if (value) {
            EXPECT_EQ(value->Array().at(0).String(), c.firstString) << c.text;
        } else {
            EXPECT_FALSE(error.empty()) << c.text;
        }
    }
}

TEST(Json, NumbersAndNestingHaveTheirLimits) {
    std::string error;
    const auto numbers = CJsonValue::Parse(R"({"n": -42, "t": true, "z": null})", error);
    ASSERT_TRUE(numbers);
    EXPECT_EQ(numbers->Member("n").Int(), -42);
    EXPECT_EQ(numbers->Member("t").Int(7), 7);  // not a number: the fallback
    EXPECT_TRUE(numbers->Member("t").Bool());
    EXPECT_TRUE(numbers->Member("n").Bool(true));  // not true or false: the fallback
    EXPECT_EQ(numbers->Member("missing").GetKind(), CJsonValue::Kind::Null);
    EXPECT_TRUE(CJsonValue::Parse(std::string(64, '[') + std::string(64, ']'), error));
    EXPECT_FALSE(CJsonValue::Parse(std::string(100000, '['), error));
}

TEST(Json, QuotedTextReadsBackAsItWas) {
    for (const std::string text : {"plain", "a \"b\" \\c", "tab\there\n", "串口1", ""}) {
        std::string error;
        const auto value = CJsonValue::Parse(CJsonValue::Quote(text), error);
        ASSERT_TRUE(value) << error;
        EXPECT_EQ(value->String(), text);
    }
}

}  // namespace
