// restore --ani-list: a station number per port, each bad line named with its place.
#include <gtest/gtest.h>

#include "AniList.h"
#include "TestNamespaces.h"

namespace {

TEST(AniList, EachPortGetsItsAniAndABadLineIsNamed) {
    const struct {
        const char* text;
        std::map<int, std::int32_t> anis;
        const char* fault;  // empty: read
    } cases[] = {
        {"port,ani\n1,501\n# spare\n\n3, 16777215\r\n", {{1, 501}, {3, 16777215}}, ""},
        {"2,7\n", {{2, 7}}, ""},
        {"1,5\n1,6\n", {}, "list.csv:2: port 1 is named twice"},
        {"1,16777216\n", {}, "list.csv:1: not a row 'port,ani' (port 1..255, ANI 0..16777215)"},
        {"256,1\n", {}, "list.csv:1: not a row"},
        {"1\n", {}, "list.csv:1: not a row"},
    };
    for (const auto& tried : cases) {
        std::string fault;
        const auto anis = CAniList::Parse(tried.text, "list.csv", fault);
        EXPECT_EQ(anis.value_or(std::map<int, std::int32_t>()), tried.anis) << tried.text;
        EXPECT_EQ(fault.rfind(tried.fault, 0), 0u) << fault;
        EXPECT_EQ(fault.empty(), anis.has_value()) << tried.text;
    }
}

}  // namespace
