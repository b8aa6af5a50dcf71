#include "Json.h"

#include <gtest/gtest.h>

#include "TestNamespaces.h"

namespace {

struct JsonCase {
    std::string text;
    std::string firstString;  // of a valid array's first item
    std::string fault;        // in the refusal's text
};

TEST(Json, TakesWhatTheTemplatesUseAndRefusesTheRestNamingTheKey) {
    const JsonCase cases[] = {
        {R"(["a\"b\\c\/\n\t"])", "a\"b\\c/\n\t", ""},
        {R"(["\u4E2D\u00e9"])", "中é", ""},
        {R"(["\uD83D\uDE00"])", "\xF0\x9F\x98\x80", ""},
        {std::string(64, '[') + std::string(64, ']'), "", ""},
        {R"(["\uD83D"])", "", "not JSON: syntax error"},
        {R"(["open)", "", "not JSON: syntax error"},
        {"[\"tab\there\"]", "", "not JSON: syntax error"},
        {"[1] 2", "", "not JSON: syntax error"},
        {"[1,]", "", "not JSON: syntax error"},
        {"{\"a\" 1}", "", "not JSON: syntax error"},
        {"nul", "", "not JSON: syntax error"},
        {"", "", "not JSON: syntax error"},
        {std::string(100000, '['), "", "…: nested more than 64 deep"},
        {R"([{"a": "x", "b": {"c": 1, "c": 2}}])", "", "[0].b.c: named twice"},
        {R"({"a": [0, 1.5]})", "", "a[1]: must be a whole number, not 1.5"},
        {R"({"a": {"e": 1e3}})", "", "a.e: must be a whole number, not 1e3"},
        {R"([-1e400])", "", "[0]: must be a whole number, not -1e400"},
        {R"([9223372036854775808])", "", "[0]: 9223372036854775808 is too large"},
        {R"([-99999999999999999999])", "", "[0]: -99999999999999999999 is too large"},
    };
    for (const JsonCase& c : cases) {
        JsonFault fault;
        const auto value = ParseJson(c.text, fault);
        const std::string shown = c.text.substr(0, 80);
        ASSERT_EQ(value.has_value(), c.fault.empty()) << shown << ": " << fault.Text();
        if (value && !c.firstString.empty()) {
            EXPECT_EQ(JsonString((*value)[0]), c.firstString) << shown;
        } else if (!value) {
            EXPECT_NE(fault.Text().find(c.fault), std::string::npos)
                << shown << ": " << fault.Text();
        }
    }
}

TEST(Json, ReadsWithFallbacksAndNeverThrows) {
    JsonFault fault;
    const auto read = ParseJson(R"({"n": -42, "t": true, "s": "x", "a": [1]})", fault);
    ASSERT_TRUE(read);
    EXPECT_EQ(JsonInt(JsonMember(*read, "n")), -42);
    EXPECT_EQ(JsonInt(JsonMember(*read, "t"), 7), 7);
    EXPECT_EQ(JsonString(JsonMember(*read, "n")), "");
    EXPECT_TRUE(JsonMember(*read, "missing").is_null());
    EXPECT_TRUE(JsonMember(JsonMember(*read, "a"), "n").is_null());
    EXPECT_EQ(JsonItems(JsonMember(*read, "s")).size(), 0U);
    EXPECT_EQ(JsonItems(JsonMember(*read, "a")).size(), 1U);
}

TEST(Json, WritesRowsOnALineEachAndAnyTextReadsBack) {
    JsonDocument document{{"z", 1}, {"list", {{{"b", 2}, {"a", "x"}}, {{"b", 3}, {"a", "y"}}}}};
    document["empty"] = JsonDocument::array();
    document["numbers"] = {1, 2};
    EXPECT_EQ(JsonText(document),
              "{\n  \"z\": 1,\n  \"list\": [\n    {\"b\": 2, \"a\": \"x\"},\n"
              "    {\"b\": 3, \"a\": \"y\"}\n  ],\n  \"empty\": [],\n  \"numbers\": [1, 2]\n}\n");
    for (const std::string text : {"a \"b\" \\c", "tab\there\n", "串口1", "", "bad \xff"}) {
        JsonFault fault;
        const auto read = ParseJson(JsonText(JsonDocument{text}), fault);
        ASSERT_TRUE(read) << fault.Text();
        EXPECT_EQ(JsonString((*read)[0]), text == "bad \xff" ? "bad \xEF\xBF\xBD" : text);
    }
}

}  // namespace
