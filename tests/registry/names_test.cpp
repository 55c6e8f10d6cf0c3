#include "registry/names.h"

#include <gtest/gtest.h>

#include "registry/value_types.h"

namespace quorvel::registry {
namespace {

TEST(Names, FoldAcrossScripts) {
    const std::vector<std::pair<std::string, std::string>> same = {
        {"Software", "SOFTWARE"}, {"äöü", "ÄÖÜ"}, {"ÿ", "Ÿ"}, {"łódź", "ŁÓDŹ"}, {"σς", "ΣΣ"},
        {"почта", "ПОЧТА"},       {"ёж", "ЁЖ"},
    };
    for (const auto& [a, b] : same) {
        EXPECT_TRUE(EqualNames(a, b)) << a << " / " << b;
    }
    EXPECT_FALSE(EqualNames("a", "b"));
    EXPECT_FALSE(EqualNames("ı", "i"));
    // Invalid UTF-8 is compared byte for byte and never mistaken for a letter.
    EXPECT_TRUE(EqualNames("\xE4x", "\xE4X"));
    EXPECT_FALSE(EqualNames("\xE4", "\xC4"));
}

TEST(Names, SplitKeyPath) {
    using Parts = std::vector<std::string>;
    EXPECT_EQ(SplitKeyPath(""), Parts{});
    EXPECT_EQ(SplitKeyPath("\\"), Parts{});
    EXPECT_EQ(SplitKeyPath("A\\B c\\"), (Parts{"A", "B c"}));
    EXPECT_EQ(SplitKeyPath("A\\\\B"), std::nullopt);
    EXPECT_EQ(SplitKeyPath("\\A"), std::nullopt);
    EXPECT_TRUE(SplitKeyPath(std::string(255, 'x')).has_value());
    EXPECT_FALSE(SplitKeyPath(std::string(256, 'x')).has_value());
    std::string cyrillic;
    for (int i = 0; i < 255; ++i) {
        cyrillic += "ж";
    }
    EXPECT_TRUE(SplitKeyPath(cyrillic).has_value());
}

TEST(Names, TypeAndRootNames) {
    EXPECT_EQ(TypeName(REG_DWORD), "REG_DWORD");
    EXPECT_EQ(TypeFromName("reg_multi_sz"), REG_MULTI_SZ);
    EXPECT_EQ(TypeFromName("REG_WHATEVER"), std::nullopt);
    EXPECT_EQ(RootFromName("hkcu"), Root::CurrentUser);
    EXPECT_EQ(RootFromName("HKEY_LOCAL_MACHINE"), Root::LocalMachine);
    EXPECT_EQ(RootFromName("HKEY_CLASSES_ROOT"), std::nullopt);
}

}  // namespace
}  // namespace quorvel::registry
