#include "DialogTemplate.h"

#include <gtest/gtest.h>

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

}  // namespace
