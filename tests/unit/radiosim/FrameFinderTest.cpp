#include <gtest/gtest.h>

#include <vector>

#include "SimFrameFinder.h"
#include "TestNamespaces.h"

namespace {

const SimRequestFrame kConnect = {0x55, 0xAA, 0x0B, 0x07, 0x00, 0x00, 0x00, 0x0C};

void Add(CSimFrameFinder& finder, const std::vector<std::uint8_t>& bytes) {
    finder.Add(bytes.data(), bytes.size());
}

void AddFrame(CSimFrameFinder& finder, const SimRequestFrame& frame) {
    finder.Add(frame.data(), frame.size());
}

}  // namespace

TEST(SimFrameFinder, WaitsForAWholeFrame) {
    CSimFrameFinder finder;
    finder.Add(kConnect.data(), 5);
    EXPECT_FALSE(finder.Next().has_value());
    finder.Add(kConnect.data() + 5, 3);
    const std::optional<SimFoundFrame> found = finder.Next();
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(found->checkOk);
    EXPECT_EQ(found->frame, kConnect);
    EXPECT_EQ(found->skippedBefore, 0u);
    EXPECT_FALSE(finder.Next().has_value());
}

TEST(SimFrameFinder, SkipsGarbageAndCountsIt) {
    CSimFrameFinder finder;
    Add(finder, {0x00, 0xAA, 0x55});
    EXPECT_FALSE(finder.Next().has_value());  // the trailing 55 may start a header
    AddFrame(finder, kConnect);
    const std::optional<SimFoundFrame> found = finder.Next();
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(found->checkOk);
    EXPECT_EQ(found->skippedBefore, 3u);
}

TEST(SimFrameFinder, BadCheckByteGivesUpOneByteAndResyncs) {
    CSimFrameFinder finder;
    Add(finder, {0x55, 0xAA});  // a stray header just before a real frame
    AddFrame(finder, kConnect);
    std::optional<SimFoundFrame> found = finder.Next();
    ASSERT_TRUE(found.has_value());
    EXPECT_FALSE(found->checkOk);
    found = finder.Next();
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(found->checkOk);
    EXPECT_EQ(found->frame, kConnect);
}

TEST(SimFrameFinder, HeaderBytesInsideThePayloadAreData) {
    const SimRequestFrame frame = {0x55, 0xAA, 0x55, 0xAA,
                                   0x55, 0xAA, 0x00, 0x00};  // 55 ^ AA ^ 55 ^ AA ^ 00
    CSimFrameFinder finder;
    AddFrame(finder, frame);
    AddFrame(finder, kConnect);
    for (const SimRequestFrame& expected : {frame, kConnect}) {
        const std::optional<SimFoundFrame> found = finder.Next();
        ASSERT_TRUE(found.has_value());
        EXPECT_TRUE(found->checkOk);
        EXPECT_EQ(found->frame, expected);
    }
}
