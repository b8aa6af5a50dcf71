#include "DialogTemplate.h"

#include <gtest/gtest.h>

#include "Json.h"
#include "TestNamespaces.h"

namespace {

TEST(DialogTemplates, EveryDialogsTemplateIsBuiltInAndWhole) {
    for (const int id : {100, 102, 129, 145, 147, 149}) {
        const DialogTemplate loaded = DialogTemplate::Load(id);
        EXPECT_TRUE(loaded.faults.empty()) << id << ": " << loaded.faults.front();
        EXPECT_EQ(loaded.id, id);
        EXPECT_FALSE(loaded.controls.empty()) << id;
    }
    EXPECT_EQ(TemplateText(101), "");
    EXPECT_EQ(DialogTemplate::Load(101).faults, std::vector<std::string>{"no template 101"});
}

TEST(DialogTemplates, FaultsOfTheTextAreCollected) {
    EXPECT_EQ(DialogTemplate::Parse(R"({"id": 5, "controls": [)").faults.size(), 1u);
    EXPECT_EQ(DialogTemplate::Parse("[1, 2]").faults,
              std::vector<std::string>{"not a template: no object"});
    const DialogTemplate oddKind =
        DialogTemplate::Parse(R"({"id": 6, "controls": [{"kind": "spinner", "id": 7}]})");
    ASSERT_EQ(oddKind.controls.size(), 1u);
    EXPECT_EQ(oddKind.faults, std::vector<std::string>{R"(unknown control kind "spinner")"});
}

TEST(DialogTemplates, ReadsEveryFieldOfAControl) {
    const DialogTemplate dialog = DialogTemplate::Parse(R"({
        "id": 9, "caption": "\u8BBE\u7F6E", "size": [237, 86],
        "font": {"face": "System", "points": 10}, "style": ["caption", "sysmenu"],
        "controls": [
            {"kind": "static", "rect": [25, 27], "text": "端口"},
            {"kind": "droplist", "id": 1058, "rect": [44, 25, 35, 68], "style": ["vscroll"],
             "items": ["Port1", "Port2"]},
            {"kind": "picture", "rect": [1, 2, 3, 4], "bitmap": 144}]})");
    ASSERT_TRUE(dialog.faults.empty());
    EXPECT_EQ(dialog.caption, "设置");
    EXPECT_EQ(dialog.width, 237);
    EXPECT_EQ(dialog.height, 86);
    EXPECT_EQ(dialog.fontFace, "System");
    EXPECT_EQ(dialog.fontPoints, 10);
    EXPECT_TRUE(dialog.Has("sysmenu"));
    ASSERT_EQ(dialog.controls.size(), 3u);
    EXPECT_EQ(dialog.controls[0].id, -1);
    EXPECT_EQ(dialog.controls[0].rect.width, 0);
    EXPECT_EQ(dialog.controls[1].items, (std::vector<std::string>{"Port1", "Port2"}));
    EXPECT_EQ(dialog.controls[1].rect.height, 68);
    EXPECT_TRUE(dialog.controls[1].Has("vscroll"));
    EXPECT_EQ(dialog.controls[2].bitmap, 144);
}

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
    EXPECT_EQ(numbers->Member("missing").GetKind(), CJsonValue::Kind::Null);
    EXPECT_TRUE(CJsonValue::Parse(std::string(64, '[') + std::string(64, ']'), error));
    EXPECT_FALSE(CJsonValue::Parse(std::string(100000, '['), error));
}

}  // namespace
