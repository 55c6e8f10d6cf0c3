// The settings window's values without Qt: how stored settings show, how what is typed is
// checked and stored, and where the window opens.
#include <gtest/gtest.h>

#include <clocale>
#include <functional>
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
    using Show = std::function<std::optional<std::string>(const Variant&)>;
    const Show poll = [](const Variant& v) { return app::PollMinutesText(v); };
    const Show indent = [](const Variant& v) { return app::IndentCharText(v); };
    const Show preview = [](const Variant& v) { return app::PreviewSecondsText(v); };
    const Show limit = [](const Variant& v) { return app::AccountLimitText(v); };
    const struct {
        Show show;
        Variant stored;
        std::optional<std::string> shown;
    } cases[] = {
        {poll, Variant(90000), "1"},          {poll, Variant(0), ""},
        {poll, Variant("soon"), "soon"},      {indent, Variant(62), ">"},
        {indent, Variant(300), std::nullopt}, {preview, Variant(0), "0"},
        {preview, Variant(-1), ""},           {limit, Variant(-2), "-2"},
    };
    for (const auto& [show, stored, shown] : cases) {
        EXPECT_EQ(show(stored), shown) << stored.text();
    }
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

TEST(WindowValues, SignatureKindsShowAsTheyWereChosen) {
    const std::tuple<int, bool, bool, std::int32_t> kinds[] = {
        {0, false, false, 0},     {1, false, false, 1},     {2, false, false, 2},
        {1, true, true, 65537},   {1, true, false, 196609}, {2, true, true, 65538},
        {2, true, false, 196610},
    };
    for (const auto& [option, addToAll, notToReplies, stored] : kinds) {
        EXPECT_EQ(app::SignatureKind(option, addToAll, notToReplies), stored);
        const auto boxes = app::SignatureBoxesFor(app::SignatureIndex(Variant(stored)));
        ASSERT_TRUE(boxes.has_value()) << stored;
        EXPECT_EQ(boxes->option, option) << stored;
        EXPECT_EQ(boxes->addToAll.value_or(false), addToAll) << stored;
        EXPECT_EQ(boxes->notToReplies.value_or(false), notToReplies) << stored;
    }
    EXPECT_EQ(app::SignatureIndex(Variant(3)), 0);
    EXPECT_EQ(app::SignatureKind(-1, true, true), std::nullopt);
    EXPECT_FALSE(app::SignatureBoxesFor(7).has_value());
}

TEST(WindowValues, ValueBoxesKeepTheirBoundsAndPutBackTheLowest) {
    constexpr const char* kIndent = "Must be one of the following characters  > or | or :";
    constexpr const char* kNumeric = "This value must be numeric only";
    const std::tuple<ValueBoxes, int, const char*, bool, std::string, std::string> cases[] = {
        {ValueBoxes::Mail, 1, "1", true, "", ""},
        {ValueBoxes::Mail, 1, "0", true, "This value must be between 1 and 120", "1"},
        {ValueBoxes::Mail, 3, "", true, "", ""},  // empty is 0, which preview takes
        {ValueBoxes::News, 5, "1000", true, "This value must be between 1 and 999", "1"},
        {ValueBoxes::Mail, 1, "12abc", true, kNumeric, "1"},
        {ValueBoxes::Server, 1, "&H20", true, kNumeric, "10"},
        {ValueBoxes::Mail, 3, " 1e1 ", true, "", ""},
        {ValueBoxes::Mail, 2, ">>", true, kIndent, ">"},
        // An unchecked option takes anything; the timeout has no check box; the port no rule.
        {ValueBoxes::Mail, 1, "500", false, "", ""},
        {ValueBoxes::Server, 3, "20", false, "This value must be between 30 and 300", "30"},
        {ValueBoxes::Server, 3, "301", true, "This value must be between 30 and 300", "30"},
        {ValueBoxes::Server, 4, "abc", true, "", ""},
    };
    for (const auto& [boxes, index, text, checked, message, putBack] : cases) {
        const app::FieldVerdict verdict = app::CheckValueBox(boxes, index, text, checked);
        EXPECT_EQ(verdict.accepted, message.empty()) << index << text;
        EXPECT_EQ(verdict.message, message) << index << text;
        EXPECT_EQ(verdict.putBack, putBack) << index << text;
    }
    // An empty box gets a default on entry, always one its box accepts.
    EXPECT_EQ(app::DefaultText(ValueBoxes::Server, 4), "110");
    for (const ValueBoxes boxes : {ValueBoxes::Mail, ValueBoxes::News, ValueBoxes::Server}) {
        for (int index = 1; index <= 5; ++index) {
            const std::string text = app::DefaultText(boxes, index);
            EXPECT_TRUE(text.empty() || app::CheckValueBox(boxes, index, text, true).accepted)
                << index << text;
        }
    }
}

TEST(WindowValues, NumbersReadOnlyTheirStartAndNamesNeedThreeCharacters) {
    const std::pair<const char*, double> numbers[] = {
        {"12abc", 12}, {"  -3.5e2 twips", -350}, {"7e", 7}, {"1.2.3", 1.2}, {"inf", 0}, {"-", 0}};
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
    app::SaveWindowPlacement(reg, {-120, 300, 9000, 6000.5});
    const char* saved[] = {"9000", "6000.5", "300", "-120"};
    for (std::size_t i = 0; i < 4; ++i) {
        reg.GetValue(settings::kAppKey, names[i]);
        EXPECT_EQ(reg.RegValue, Variant(saved[i])) << names[i];
    }
}

}  // namespace
}  // namespace quorvel::testing
