#include "registry/variant.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(Variant, EmptyIsNotTheEmptyTextButBothAreBlank) {
    EXPECT_NE(Variant(), Variant(""));
    EXPECT_EQ(Variant().text(), "");
    EXPECT_TRUE(Variant().isBlank());
    EXPECT_TRUE(Variant("").isBlank());
    EXPECT_FALSE(Variant(0).isBlank());
}

TEST(Variant, NumbersAreReadAsBasicReadsThem) {
    const std::vector<std::pair<Variant, std::optional<std::int32_t>>> numeric = {
        {Variant(), 0},
        {Variant("  -3 "), -3},
        {Variant("+4"), 4},
        {Variant("2.5"), 2},  // halves go to the even neighbour
        {Variant("3.5"), 4},
        {Variant("1e3"), 1000},
        {Variant(".5"), 0},
        {Variant("&H10"), 16},
        {Variant("&HFFFF"), -1},  // four hex digits are a 16-bit number
        {Variant("&H0000FFFF"), 65535},
        {Variant("&HFFFFFFFF"), -1},
        {Variant("&O17"), 15},
        {Variant("-2147483648"), -2147483647 - 1},
        {Variant("2147483648"), std::nullopt},  // numeric, but no 32-bit number
    };
    for (const auto& [value, number] : numeric) {
        EXPECT_TRUE(value.isNumeric()) << value.text();
        EXPECT_EQ(value.toNumber(), number) << value.text();
    }
    for (const char* text : {"", "12abc", "inf", "0x10", "&H", "- "}) {
        EXPECT_FALSE(Variant(text).isNumeric()) << text;
        EXPECT_EQ(Variant(text).toNumber(), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace quorvel
