#include "app/display_conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>

#include "app/storage_conversions.h"

namespace quorvel::testing {
namespace {

const Variant kMissing("");  // what a read of a missing value leaves

TEST(DisplayConversions, TextRowsShowTheStoredValueConverted) {
    using Show = std::function<std::optional<std::string>(const Variant&)>;
    const Show poll = [](const Variant& v) { return app::PollMinutesText(v); };
    const Show indent = [](const Variant& v) { return app::IndentCharText(v); };
    const Show preview = [](const Variant& v) { return app::PreviewSecondsText(v); };
    const Show count = [](const Variant& v) { return app::PositiveCountText(v); };
    const Show limit = [](const Variant& v) { return app::AccountLimitText(v); };
    struct Case {
        const char* what;
        Show show;
        Variant stored;
        std::optional<std::string> shown;
    };
    const Case cases[] = {
        {"poll, fraction dropped", poll, Variant(90000), "1"},
        {"poll off", poll, Variant(0), ""},
        {"poll stored as text", poll, Variant("120000"), "2"},
        {"poll not a number", poll, Variant("soon"), "soon"},
        {"indent >", indent, Variant(62), ">"},
        {"indent off", indent, Variant(0), ""},
        {"indent without a character", indent, Variant(300), std::nullopt},
        {"preview 0 is a choice", preview, Variant(0), "0"},
        {"preview off", preview, Variant(-1), ""},
        {"news polling unconverted", count, Variant(30), "30"},
        {"news count off", count, Variant(0), ""},
        {"account limit off", limit, Variant(0), ""},
        {"account limit not a number", limit, Variant("x"), ""},
        {"account limit negative kept", limit, Variant(-2), "-2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.show(c.stored), c.shown) << c.what;
    }
}

TEST(DisplayConversions, TimeoutAndPortRepairWhatCannotBeUsed) {
    struct Case {
        bool timeout;
        Variant stored;
        std::string shown;
        std::optional<std::int32_t> writeBack;
    };
    const Case cases[] = {
        {true, Variant(10), "30", 30},           {true, Variant(-5), "30", 30},
        {true, Variant(30), "30", std::nullopt}, {true, Variant(300), "300", std::nullopt},
        {true, kMissing, "", std::nullopt},      {false, kMissing, "110", 110},
        {false, Variant("pop"), "110", 110},     {false, Variant(-1), "0", std::nullopt},
    };
    for (const Case& c : cases) {
        const app::ShownValue shown =
            c.timeout ? app::ServerTimeoutText(c.stored) : app::PortText(c.stored);
        EXPECT_EQ(shown.text, c.shown) << c.stored.text();
        EXPECT_EQ(shown.writeBack, c.writeBack) << c.stored.text();
    }
}

TEST(DisplayConversions, CheckBoxesTakeOnlyTheStatesTheyHave) {
    struct Case {
        Variant stored;
        std::optional<int> option;
        int account;
    };
    const Case cases[] = {
        {Variant(1), 1, 1},  {Variant(2), 2, 1},          {Variant(5), std::nullopt, 1},
        {Variant(-3), 0, 0}, {kMissing, std::nullopt, 0}, {Variant("yes"), std::nullopt, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::OptionFlagValue(c.stored), c.option) << c.stored.text();
        EXPECT_EQ(app::AccountFlagValue(c.stored), c.account) << c.stored.text();
    }
}

TEST(DisplayConversions, SignatureTypesChooseOptionAndCheckBoxes) {
    struct Case {
        Variant stored;
        std::int16_t index;
        int option;
        std::optional<bool> addToAll;
        std::optional<bool> notToReplies;
    };
    const Case cases[] = {
        {Variant(0), 0, 0, std::nullopt, std::nullopt},
        {Variant(1), 1, 1, false, false},
        {Variant(2), 2, 2, false, false},
        {Variant(65537), 3, 1, true, true},
        {Variant(196609), 4, 1, true, false},
        {Variant(65538), 5, 2, true, true},
        {Variant(196610), 6, 2, true, false},
        {Variant(3), 0, 0, std::nullopt, std::nullopt},
        {Variant("text"), 0, 0, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::int16_t index = app::SignatureIndex(c.stored);
        EXPECT_EQ(index, c.index) << c.stored.text();
        const auto boxes = app::SignatureBoxesFor(index);
        ASSERT_TRUE(boxes.has_value());
        EXPECT_EQ(boxes->option, c.option) << c.stored.text();
        EXPECT_EQ(boxes->addToAll, c.addToAll) << c.stored.text();
        EXPECT_EQ(boxes->notToReplies, c.notToReplies) << c.stored.text();
    }
    EXPECT_FALSE(app::SignatureBoxesFor(7).has_value());
    EXPECT_FALSE(app::SignatureBoxesFor(-1).has_value());
}

TEST(DisplayConversions, LeadingNumberReadsOnlyTheStart) {
    EXPECT_EQ(LeadingNumber("12abc"), 12);
    EXPECT_EQ(LeadingNumber("  -3.5e2 twips"), -350);
    EXPECT_EQ(LeadingNumber("7e"), 7);
    EXPECT_EQ(LeadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("inf"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-"), 0);
}

#ifndef _WIN32
// Qt sets the C library's locale from the environment on Linux; under a comma-decimal locale
// the numbers users type and the store holds still read with ".".
TEST(DisplayConversions, NumbersReadTheSameUnderACommaDecimalLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing (scripts/setup-debian generates it)";
    const double leading = LeadingNumber("2.5");
    const auto parsed = ParseNumber("2.5");
    const auto poll = app::OptionRowValue(app::ValueBoxes::Mail, 1, true, "2.5");
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(leading, 2.5);
    EXPECT_EQ(parsed, 2.5);
    EXPECT_EQ(poll, 150000);
}
#endif

}  // namespace
}  // namespace quorvel::testing
