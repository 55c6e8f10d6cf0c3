#include "profiles/profile_store.h"

#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

using registry::REG_SZ;

class ProfileStore : public ProfilesFixture {};

TEST_F(ProfileStore, CurrentProfileIsTheOneTheClientHolds) {
    context.CurrentProfile = "stale";
    store.LoadCurrentProfile();
    EXPECT_EQ(context.CurrentProfile, "");  // no client key at all

    put(kClientKey, "Current Profile", Variant("Work"));
    store.LoadCurrentProfile();
    EXPECT_EQ(context.CurrentProfile, "Work");
}

TEST_F(ProfileStore, OnlyASecureProfileValueOfOneProtects) {
    const std::string key = ProfileKeyOf("Work");
    reg.CreateKey(key, registry::Root::CurrentUser);
    context.CurrentProfile = "Work";
    const struct {
        std::optional<Variant> stored;
        std::uint32_t type;
        std::int16_t flag;
    } cases[] = {
        {Variant(1), registry::REG_DWORD, 1},
        {Variant(0), registry::REG_DWORD, 0},
        {Variant(5), registry::REG_DWORD, 0},
        {Variant(2), registry::REG_DWORD, 0},
        {Variant(-1), registry::REG_DWORD, -1},  // kept, but protects nothing: only 1 does
        {Variant(70000), registry::REG_DWORD, 0},
        {Variant("1"), REG_SZ, 1},
        {Variant("yes"), REG_SZ, 0},
        {Variant(""), REG_SZ, 0},
        {std::nullopt, 0, 0},
    };
    for (const auto& c : cases) {
        reg.DeleteKey(std::string(settings::kProfilesKey), "Work");
        reg.CreateKey(key, registry::Root::CurrentUser);
        if (c.stored) {
            put(key, "Secure Profile", *c.stored, c.type);
        }
        store.SecureFlag = 99;
        store.LoadSecureFlag();
        EXPECT_EQ(store.SecureFlag, c.flag) << (c.stored ? c.stored->text() : "missing");
    }
}

TEST_F(ProfileStore, OpenedProfilesAreFoundByExactNameAndAddedOnce) {
    context.CurrentProfile = "";
    store.ProfileExists();
    EXPECT_TRUE(store.ProfileFound);  // the list starts with one empty name

    context.CurrentProfile = "Work";
    store.ProfileExists();
    EXPECT_FALSE(store.ProfileFound);
    store.AddProfileName();
    store.AddProfileName();
    EXPECT_EQ(store.ProfileNames, (std::vector<std::string>{"", "Work"}));
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
