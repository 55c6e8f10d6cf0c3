#include "registry/names.h"

#include <gtest/gtest.h>

namespace quorvel::registry {
namespace {

TEST(Names, FoldCaseInEveryRangeTheClientUses) {
    // One pair per range of letters with its own rule, and the letters that break a range's rule.
    for (const auto& [a, b] :
         std::vector<std::pair<std::string, std::string>>{{"Software", "SOFTWARE"},
                                                          {"äöü", "ÄÖÜ"},
                                                          {"ÿ", "Ÿ"},
                                                          {"łódź", "ŁÓDŹ"},
                                                          {"σς", "ΣΣ"},
                                                          {"почта", "ПОЧТА"},
                                                          {"ёж", "ЁЖ"},
                                                          {"\xE4x", "\xE4X"}}) {
        EXPECT_TRUE(EqualNames(a, b)) << a << " / " << b;
    }
    // Dotless i has no upper case of its own; a stray byte is never taken for a letter.
    for (const auto& [a, b] : std::vector<std::pair<std::string, std::string>>{
             {"ı", "i"}, {"\xE4", "\xC4"}, {"÷", "×"}}) {
        EXPECT_FALSE(EqualNames(a, b)) << a << " / " << b;
    }
}

TEST(Names, SplitKeyPathTakesOneTrailingBackslashAndCountsCharacters) {
    using Parts = std::vector<std::string>;
    EXPECT_EQ(SplitKeyPath(""), Parts{});
    EXPECT_EQ(SplitKeyPath("\\"), Parts{});
    EXPECT_EQ(SplitKeyPath("A\\B c\\"), (Parts{"A", "B c"}));
    EXPECT_EQ(SplitKeyPath("A\\\\B"), std::nullopt);
    EXPECT_EQ(SplitKeyPath("\\A"), std::nullopt);
    EXPECT_FALSE(SplitKeyPath(std::string(256, 'x')).has_value());
    std::string cyrillic;  // 255 characters, 510 bytes
    for (int i = 0; i < 255; ++i) {
        cyrillic += "ж";
    }
    EXPECT_TRUE(SplitKeyPath(cyrillic).has_value());
}

}  // namespace
}  // namespace quorvel::registry
