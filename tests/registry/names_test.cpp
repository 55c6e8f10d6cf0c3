// Text read as the client reads it: names without regard to case, numbers as Basic reads them.
#include "registry/names.h"

#include <gtest/gtest.h>

#include "registry/variant.h"

namespace quorvel::registry {
namespace {

TEST(Names, FoldCaseInEveryRangeTheClientUsesAndSplitKeyPathsCountingCharacters) {
    // One pair per range of letters with its own rule; then the letters that break a rule:
    // dotless i has no upper case of its own, a stray byte is never taken for a letter.
    for (const auto& [a, b, equal] :
         std::vector<std::tuple<std::string, std::string, bool>>{{"Software", "SOFTWARE", true},
                                                                 {"äöüÿ", "ÄÖÜŸ", true},
                                                                 {"łódź", "ŁÓDŹ", true},
                                                                 {"σς", "ΣΣ", true},
                                                                 {"почтаё", "ПОЧТАЁ", true},
                                                                 {"\xE4x", "\xE4X", true},
                                                                 {"ı", "i", false},
                                                                 {"\xE4", "\xC4", false},
                                                                 {"÷", "×", false}}) {
        EXPECT_EQ(EqualNames(a, b), equal) << a << " / " << b;
    }
    using Parts = std::vector<std::string>;
    EXPECT_EQ(SplitKeyPath("A\\B c\\"), (Parts{"A", "B c"}));  // one trailing backslash
    EXPECT_EQ(SplitKeyPath("A\\\\B"), std::nullopt);
    EXPECT_EQ(SplitKeyPath("\\A"), std::nullopt);
    EXPECT_FALSE(SplitKeyPath(std::string(256, 'x')).has_value());
    std::string cyrillic;  // 255 characters, 510 bytes
    for (int i = 0; i < 255; ++i) {
        cyrillic += "ж";
    }
    EXPECT_TRUE(SplitKeyPath(cyrillic).has_value());
}

TEST(Variant, EmptyIsNotTheEmptyTextAndNumbersAreReadAsBasicReadsThem) {
    EXPECT_NE(Variant(), Variant(""));
    EXPECT_TRUE(Variant().isBlank() && Variant("").isBlank() && !Variant(0).isBlank());
    const std::pair<Variant, std::optional<std::int32_t>> numeric[] = {
        {Variant(), 0},
        {Variant("  -3 "), -3},
        {Variant("2.5"), 2},  // halves go to the even neighbour
        {Variant("1e3"), 1000},
        {Variant("&HFFFF"), -1},  // four hex digits are a 16-bit number
        {Variant("&H0000FFFF"), 65535},
        {Variant("&O17"), 15},
        {Variant("-2147483648"), -2147483647 - 1},
        {Variant("2147483648"), std::nullopt},  // numeric, but no 32-bit number
    };
    for (const auto& [value, number] : numeric) {
        EXPECT_TRUE(value.isNumeric()) << value.text();
        EXPECT_EQ(value.toNumber(), number) << value.text();
    }
    for (const char* text : {"", "12abc", "inf", "&H"}) {
        EXPECT_TRUE(!Variant(text).isNumeric() && !Variant(text).toNumber()) << text;
    }
}

}  // namespace
}  // namespace quorvel::registry
