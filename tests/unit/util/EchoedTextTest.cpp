#include "EchoedText.h"

#include <gtest/gtest.h>

#include "TestNamespaces.h"

namespace {

struct EchoCase {
    std::string field;
    std::string shown;
};

TEST(EchoedText, EchoesAFieldEscapedAndCut) {
    const EchoCase cases[] = {
        {std::string("1\0,\x1b[2J\x7f", 8), "1\\x00,\\x1b[2J\\x7f"},
        {"\xff\xfe"
         "c\xc3",
         "\\xff\\xfec\\xc3"},  // no UTF-8: a BOM of UTF-16, a cut character
        {std::string(40, '9'), std::string(40, '9')},
        {std::string(1000000, '9'), std::string(40, '9') + "…"},
        {"频率" + std::string(39, '1'), "频率" + std::string(38, '1') + "…"},
    };
    for (const EchoCase& c : cases) {
        EXPECT_EQ(Echoed(c.field), c.shown) << c.shown;
    }
}

}  // namespace
