#include "app/window_placement.h"

#include <gtest/gtest.h>

#include "registry/registry_fixture.h"
#include "settings/client_keys.h"

namespace quorvel::testing {
namespace {

// A 1280 x 800 pixel screen at 96 dots per inch.
constexpr app::ScreenTwips kScreen{19200, 12000};
const app::WindowTwips kDefaults{(19200 - 13440) / 2.0, (12000 - 9240) / 2.0, 13440, 9240};

class Placement : public RegistryFixture {
  protected:
    void SetUp() override { reg.CreateKey(settings::kAppKey, registry::Root::CurrentUser); }
    void store(const char* width, const char* height, const char* top, const char* left) {
        const std::pair<const char*, const char*> values[] = {
            {"Width", width}, {"Height", height}, {"Top", top}, {"Left", left}};
        for (const auto& [name, text] : values) {
            if (text != nullptr) {
                reg.SetValue(settings::kAppKey, name, Variant(text), registry::REG_SZ);
            }
        }
    }
};

void ExpectWindow(const app::WindowTwips& got, const app::WindowTwips& want, const char* what) {
    EXPECT_DOUBLE_EQ(got.left, want.left) << what;
    EXPECT_DOUBLE_EQ(got.top, want.top) << what;
    EXPECT_DOUBLE_EQ(got.width, want.width) << what;
    EXPECT_DOUBLE_EQ(got.height, want.height) << what;
}

TEST_F(Placement, StoredPlacementIsUsedOnlyWhenAllOfItFits) {
    struct Case {
        const char* what;
        const char* width;
        const char* height;
        const char* top;
        const char* left;
        app::WindowTwips expected;
    };
    const Case cases[] = {
        {"nothing stored", nullptr, nullptr, nullptr, nullptr, kDefaults},
        {"as stored", "9000", "6000", "1500", "2000", {2000, 1500, 9000, 6000}},
        {"width at 2 % over the screen", "19584", "6000", "0", "0", {0, 0, 19584, 6000}},
        {"width one twip more", "19585", "6000", "0", "0", kDefaults},
        {"height one twip over", "9000", "12241", "0", "0", kDefaults},
        {"top at the screen's bottom", "9000", "6000", "12000", "0", {0, 12000, 9000, 6000}},
        {"top one twip lower", "9000", "6000", "12001", "0", kDefaults},
        {"left beyond the screen", "9000", "6000", "0", "19201", kDefaults},
        {"negative position kept", "9000", "6000", "-300", "-45", {-45, -300, 9000, 6000}},
        {"height not a number reads 0", "9000", "tall", "10", "20", {20, 10, 9000, 0}},
        {"a value missing", "9000", "6000", nullptr, "20", kDefaults},
    };
    for (const Case& c : cases) {
        for (const char* name : {"Width", "Height", "Top", "Left"}) {
            hive.openKey(registry::Root::CurrentUser, settings::kAppKey)->deleteValue(name);
        }
        store(c.width, c.height, c.top, c.left);
        ExpectWindow(app::RestoreWindowPlacement(reg, kScreen), c.expected, c.what);
    }
}

TEST_F(Placement, SavedPlacementReadsBackAsText) {
    app::SaveWindowPlacement(reg, {-120, 300, 9000, 6000.5});
    const std::pair<const char*, const char*> stored[] = {
        {"Width", "9000"}, {"Height", "6000.5"}, {"Top", "300"}, {"Left", "-120"}};
    for (const auto& [name, text] : stored) {
        reg.GetValue(settings::kAppKey, name);
        EXPECT_EQ(reg.RegValue, Variant(text)) << name;
    }
    ExpectWindow(app::RestoreWindowPlacement(reg, kScreen), {-120, 300, 9000, 6000.5}, "back");
}

}  // namespace
}  // namespace quorvel::testing
