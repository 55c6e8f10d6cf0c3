#include "registry/variant.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(Variant, TextOfEachState) {
    EXPECT_EQ(Variant().text(), "");
    EXPECT_EQ(Variant("abc").text(), "abc");
    EXPECT_EQ(Variant(-12).text(), "-12");
    EXPECT_NE(Variant(), Variant(""));
    EXPECT_TRUE(Variant().isBlank());
    EXPECT_TRUE(Variant("").isBlank());
    EXPECT_FALSE(Variant(0).isBlank());
}

TEST(Variant, NumericConversionsFollowBasic) {
    struct Case {
        Variant value;
        bool numeric;
        std::optional<std::int32_t> number;
    };
    const std::vector<Case> cases = {
        {Variant(), true, 0},
        {Variant(7), true, 7},
        {Variant("15"), true, 15},
        {Variant("  -3 "), true, -3},
        {Variant("+4"), true, 4},
        {Variant("2.5"), true, 2},
        {Variant("3.5"), true, 4},
        {Variant("-2.5"), true, -2},
        {Variant("1e3"), true, 1000},
        {Variant(".5"), true, 0},
        {Variant("&H10"), true, 16},
        {Variant("&HFFFF"), true, -1},
        {Variant("&HFFFFFFFF"), true, -1},
        {Variant("&O17"), true, 15},
        {Variant("2147483647"), true, 2147483647},
        {Variant("-2147483648"), true, -2147483647 - 1},
        {Variant("2147483648"), true, std::nullopt},
        {Variant("1e300"), true, std::nullopt},
        {Variant(""), false, std::nullopt},
        {Variant("abc"), false, std::nullopt},
        {Variant("12abc"), false, std::nullopt},
        {Variant("inf"), false, std::nullopt},
        {Variant("nan"), false, std::nullopt},
        {Variant("0x10"), false, std::nullopt},
        {Variant("&H"), false, std::nullopt},
        {Variant("- "), false, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.isNumeric(), c.numeric) << c.value.text();
        EXPECT_EQ(c.value.toNumber(), c.number) << c.value.text();
    }
}

}  // namespace
}  // namespace quorvel
