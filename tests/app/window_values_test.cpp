// The settings window's values without Qt: how stored settings show, how what is typed is
// checked and stored, and where the window opens.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "app/display_conversions.h"
#include "app/field_checks.h"
#include "app/name_entry.h"
#include "app/storage_conversions.h"
#include "app/window_placement.h"
#include "registry/registry_fixture.h"
#include "settings/client_keys.h"

namespace quorvel::testing {
namespace {

using app::ValueBoxes;
const Variant kMissing("");  // what a read of a missing value leaves

TEST(WindowValues, StoredSettingsShowConverted) {
    EXPECT_EQ(app::PollMinutesText(Variant(90000)), "1");  // whole minutes
    EXPECT_EQ(app::PollMinutesText(Variant(0)), "");
    EXPECT_EQ(app::PollMinutesText(Variant("soon")), "soon");
    EXPECT_EQ(app::IndentCharText(Variant(62)), ">");
    EXPECT_EQ(app::IndentCharText(Variant(300)), std::nullopt);
    EXPECT_EQ(app::PreviewSecondsText(Variant(0)), "0");  // 0 is a choice, -1 is off
    EXPECT_EQ(app::PreviewSecondsText(Variant(-1)), "");
    EXPECT_EQ(app::AccountLimitText(Variant(-2)), "-2");
    // The timeout and the port repair what cannot be used, and store the repair back.
    const std::tuple<bool, Variant, std::string, std::optional<std::int32_t>> repairs[] = {
        {true, Variant(10), "30", 30},           {true, Variant(-5), "30", 30},
        {true, Variant(30), "30", std::nullopt}, {true, Variant(300), "300", std::nullopt},
        {true, kMissing, "", std::nullopt},      {false, kMissing, "110", 110},
        {false, Variant("pop"), "110", 110},     {false, Variant(-1), "0", std::nullopt},
    };
    for (const auto& [timeout, stored, text, writeBack] : repairs) {
        const app::ShownValue shown =
            timeout ? app::ServerTimeoutText(stored) : app::PortText(stored);
        EXPECT_EQ(shown.text, text) << stored.text();
        EXPECT_EQ(shown.writeBack, writeBack) << stored.text();
    }
}

TEST(WindowValues, ShownValuesStoreInTheSettingsUnits) {
    const std::tuple<ValueBoxes, int, bool, const char*, std::optional<std::int32_t>> cases[] = {
        {ValueBoxes::Mail, 1, true, "10", 600000},  // minutes to milliseconds
        {ValueBoxes::Mail, 1, true, "1.5 min", 90000},
        {ValueBoxes::Mail, 1, true, "99999999", std::nullopt},  // beyond 32 bits
        {ValueBoxes::Mail, 1, false, "10", -1},
        {ValueBoxes::Mail, 1, true, "", -1},
        {ValueBoxes::Mail, 2, true, ">", 62},
        {ValueBoxes::Mail, 2, false, ">", 0},
        {ValueBoxes::Mail, 3, true, "0", 0},
        {ValueBoxes::News, 1, true, "10", 10},
        {ValueBoxes::News, 5, true, "many", std::nullopt},  // keeps the setting
    };
    for (const auto& [boxes, index, checked, text, stored] : cases) {
        EXPECT_EQ(app::OptionRowValue(boxes, index, checked, text), stored) << index << text;
    }
    EXPECT_EQ(app::AccountNumberValue("", app::kEmptyTimeout), 60);
    EXPECT_EQ(app::AccountNumberValue("995", app::kEmptyPort), 995);
    EXPECT_EQ(app::AccountNumberValue("pop", app::kEmptyPort), std::nullopt);
}

TEST(WindowValues, ValueBoxesTakeNumbersOnlyAsTheyAreTypedAndTheirDefaults) {
    const std::tuple<ValueBoxes, int, const char*, bool, std::string> cases[] = {
        {ValueBoxes::Mail, 1, "12abc", true, "1"},  // refused, the lowest put back
        {ValueBoxes::Server, 1, "&H20", true, "10"}, {ValueBoxes::Mail, 2, ">>", true, ">"},
        {ValueBoxes::Mail, 3, "", true, ""},         // empty is 0, which preview takes
        {ValueBoxes::Mail, 1, "500", false, ""},     // an unchecked option takes anything
        {ValueBoxes::Server, 3, "20", false, "30"},  // the timeout has no check box
    };
    for (const auto& [boxes, index, text, checked, putBack] : cases) {
        const app::FieldVerdict verdict = app::CheckValueBox(boxes, index, text, checked);
        EXPECT_EQ(verdict.accepted, putBack.empty()) << index << text;
        EXPECT_EQ(verdict.putBack, putBack) << index << text;
    }
    // An empty box gets a default on entry, always one its box accepts.
    for (const ValueBoxes boxes : {ValueBoxes::Mail, ValueBoxes::News, ValueBoxes::Server}) {
        for (int index = 1; index <= 5; ++index) {
            const std::string text = app::DefaultText(boxes, index);
            EXPECT_TRUE(text.empty() || app::CheckValueBox(boxes, index, text, true).accepted)
                << index << text;
        }
    }
    EXPECT_EQ(app::DefaultText(ValueBoxes::Server, 4), "110");
}

TEST(WindowValues, NumbersReadOnlyTheirStartAndNamesNeedThreeCharacters) {
    const std::pair<const char*, double> numbers[] = {
        {"  -3.5e2 twips", -350}, {"7e", 7}, {"1.2.3", 1.2}, {"inf", 0}};
    for (const auto& [text, number] : numbers) {
        EXPECT_EQ(LeadingNumber(text), number) << text;
    }
    // Names count characters, not bytes.
    EXPECT_EQ(app::CheckNewName("äö"), app::NameVerdict::TooShort);
    EXPECT_EQ(app::CheckNewName("äöü"), app::NameVerdict::Accepted);
}

#ifndef _WIN32
// Qt sets the C library's locale from the environment on Linux; under a comma-decimal locale
// the numbers users type and the store holds still read with ".".
TEST(WindowValues, NumbersReadTheSameUnderACommaDecimalLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/setup-debian generates it)";
    const double leading = LeadingNumber("2.5");
    const auto parsed = ParseNumber("2.5");
    const auto poll = app::OptionRowValue(ValueBoxes::Mail, 1, true, "2.5");
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(leading, 2.5);
    EXPECT_EQ(parsed, 2.5);
    EXPECT_EQ(poll, 150000);
}
#endif

class Placement : public RegistryFixture {};

TEST_F(Placement, StoredPlacementIsUsedOnlyWhenAllOfItFitsAndSavedAsText) {
    constexpr app::ScreenTwips kScreen{19200, 12000};  // 1280 x 800 pixels at 96 dots per inch
    const app::WindowTwips kDefaults{(19200 - 13440) / 2.0, (12000 - 9240) / 2.0, 13440, 9240};
    // Width, height, top, left; the width may pass the screen's by 2 %.
    const std::pair<std::vector<const char*>, app::WindowTwips> cases[] = {
        {{"19584", "6000", "12000", "0"}, {0, 12000, 19584, 6000}},
        {{"19585", "6000", "0", "0"}, kDefaults},
        {{"9000", "12241", "0", "0"}, kDefaults},
        {{"9000", "6000", "12001", "0"}, kDefaults},
        {{"9000", "6000", "0", "19201"}, kDefaults},
        {{"9000", "tall", "-300", "-45"}, {-45, -300, 9000, 0}},  // not a number reads 0
        {{"9000", "6000", "10"}, kDefaults},
    };
    const char* names[] = {"Width", "Height", "Top", "Left"};
    for (const auto& [stored, expected] : cases) {
        reg.DeleteKey("Software", "Quorvel!");
        reg.CreateKey(settings::kAppKey, registry::Root::CurrentUser);
        for (std::size_t i = 0; i < stored.size(); ++i) {
            reg.SetValue(settings::kAppKey, names[i], Variant(stored[i]), registry::REG_SZ);
        }
        const app::WindowTwips got = app::RestoreWindowPlacement(reg, kScreen);
        EXPECT_EQ(
            std::vector<double>({got.left, got.top, got.width, got.height}),
            std::vector<double>({expected.left, expected.top, expected.width, expected.height}))
            << stored[0] << " " << stored[1] << " " << stored[2];
    }
    app::SaveWindowPlacement(reg, {-120, 300, 9000, 6000.5});  // stored as text
    reg.GetValue(settings::kAppKey, "Height");
    EXPECT_EQ(reg.RegValue, Variant("6000.5"));
}

}  // namespace
}  // namespace quorvel::testing
