#include "profiles/profile_store.h"

#include "profiles/name_list.h"
#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

using Names = std::vector<std::string>;
using ProfileStore = ProfilesFixture;

TEST(NameList, ReadsTheNamesEachEndedBySemicolon) {
    const struct {
        std::string list;
        Names names;
    } cases[] = {
        {"Home;;Work;|", {"Home", "Work"}},         // empty entries are skipped
        {"Home;Work|", {"Home"}},                   // a name without its ";" is not a name
        {"Ann Smith;b|c;|", {"Ann Smith", "b|c"}},  // only the text after the last ";" is cut
        {"|", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(profiles::ReadNameList(c.list), c.names) << c.list;
    }
    EXPECT_EQ(profiles::WriteNameList({}), "|");
}

TEST_F(ProfileStore, WithoutAClientKeyNoProfileIsCurrent) {
    context.CurrentProfile = "stale";
    store.LoadCurrentProfile();
    EXPECT_EQ(context.CurrentProfile, "");
}

TEST_F(ProfileStore, OnlyASecureProfileValueOfOneProtects) {
    context.CurrentProfile = "Work";
    const struct {
        Variant stored;
        std::uint32_t type;
        std::int16_t flag;
    } cases[] = {
        {Variant(-1), registry::REG_DWORD, -1},    // kept, but protects nothing: only 1 does
        {Variant(70000), registry::REG_DWORD, 0},  // beyond the flag's 16 bits
        {Variant("1"), registry::REG_SZ, 1},
        {Variant("yes"), registry::REG_SZ, 0},
    };
    for (const auto& c : cases) {
        put(ProfileKeyOf("Work"), "Secure Profile", c.stored, c.type);
        store.SecureFlag = 99;
        store.LoadSecureFlag();
        EXPECT_EQ(store.SecureFlag, c.flag) << c.stored.text();
    }
}

TEST_F(ProfileStore, ProfileNamesAreMatchedExactlyAndAddedOnce) {
    context.CurrentProfile = "Work";
    store.AddProfileName();
    store.AddProfileName();
    EXPECT_EQ(store.ProfileNames, (Names{"", "Work"}));
    store.ProfileExists();
    EXPECT_TRUE(store.ProfileFound);
    context.CurrentProfile = "work";
    store.ProfileExists();
    EXPECT_FALSE(store.ProfileFound);
}

TEST_F(ProfileStore, ClearingTheAppliedProfileTouchesOnlyTheProfileTheClientHolds) {
    put(kClientKey, "Current Profile", Variant("Home"));
    store.RunningProfile = "Home";
    context.CurrentProfile = "Work";
    store.ClearAppliedProfile();
    EXPECT_EQ(get(kClientKey, "Current Profile"), Variant("Home"));
    EXPECT_EQ(store.RunningProfile, "Home");

    context.CurrentProfile = "Home";
    store.ClearAppliedProfile();
    EXPECT_EQ(get(kClientKey, "Current Profile"), Variant(""));
    EXPECT_EQ(store.RunningProfile, "");
}

}  // namespace
}  // namespace quorvel::testing
