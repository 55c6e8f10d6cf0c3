#include "app/field_checks.h"

#include <gtest/gtest.h>

namespace quorvel::testing {
namespace {

using app::ValueBoxes;

constexpr const char* kIndent = "Must be one of the following characters  > or | or :";
constexpr const char* kNumeric = "This value must be numeric only";

TEST(FieldChecks, EveryValueBoxKeepsItsBounds) {
    struct Case {
        ValueBoxes boxes;
        int index;
        const char* text;
        bool checked;
        bool accepted;
        std::string message;
        std::string putBack;
    };
    const Case cases[] = {
        // Bounds are inclusive; outside them the lower bound is put back.
        {ValueBoxes::Mail, 1, "1", true, true, "", ""},
        {ValueBoxes::Mail, 1, "0", true, false, "This value must be between 1 and 120", "1"},
        {ValueBoxes::Mail, 1, "2.5", true, true, "", ""},
        {ValueBoxes::Mail, 1, "", true, false, "This value must be between 1 and 120", "1"},
        {ValueBoxes::Mail, 3, "", true, true, "", ""},  // empty is 0, which preview takes
        {ValueBoxes::Mail, 3, "61", true, false, "This value must be between 0 and 60", "0"},
        {ValueBoxes::News, 4, "49", true, false, "This value must be between 50 and 1000", "50"},
        {ValueBoxes::News, 5, "1000", true, false, "This value must be between 1 and 999", "1"},
        {ValueBoxes::Server, 1, "9", true, false, "This value must be between 10 and 10000", "10"},
        {ValueBoxes::Server, 2, "101", true, false, "This value must be between 1 and 100", "1"},
        // Not numbers.
        {ValueBoxes::Mail, 1, "12abc", true, false, kNumeric, "1"},
        {ValueBoxes::Server, 1, "&H20", true, false, kNumeric, "10"},
        {ValueBoxes::News, 4, " ", true, false, kNumeric, "50"},
        {ValueBoxes::Mail, 3, " 1e1 ", true, true, "", ""},
        // Indent characters.
        {ValueBoxes::Mail, 2, ">", true, true, "", ""},
        {ValueBoxes::News, 2, "|", true, true, "", ""},
        {ValueBoxes::Mail, 2, ">>", true, false, kIndent, ">"},
        {ValueBoxes::News, 2, "", true, false, kIndent, ">"},
        // An unchecked option takes anything; the timeout has no check box and is always
        // checked; the port never.
        {ValueBoxes::Mail, 1, "500", false, true, "", ""},
        {ValueBoxes::Server, 1, "abc", false, true, "", ""},
        {ValueBoxes::Server, 3, "20", false, false, "This value must be between 30 and 300", "30"},
        {ValueBoxes::Server, 3, "301", true, false, "This value must be between 30 and 300", "30"},
        {ValueBoxes::Server, 4, "abc", true, true, "", ""},
    };
    for (const Case& c : cases) {
        const app::FieldVerdict verdict = app::CheckValueBox(c.boxes, c.index, c.text, c.checked);
        const std::string what = std::to_string(static_cast<int>(c.boxes)) + "/" +
                                 std::to_string(c.index) + " \"" + c.text + "\"";
        EXPECT_EQ(verdict.accepted, c.accepted) << what;
        EXPECT_EQ(verdict.message, c.message) << what;
        EXPECT_EQ(verdict.putBack, c.putBack) << what;
    }
}

TEST(FieldChecks, EmptyBoxesGetTheirDefaultOnEntry) {
    struct Case {
        ValueBoxes boxes;
        int index;
        std::string text;
    };
    const Case cases[] = {
        {ValueBoxes::Mail, 1, "1"},   {ValueBoxes::Mail, 2, ">"},    {ValueBoxes::Mail, 3, "0"},
        {ValueBoxes::News, 1, "1"},   {ValueBoxes::News, 2, ">"},    {ValueBoxes::News, 3, "0"},
        {ValueBoxes::News, 4, "50"},  {ValueBoxes::News, 5, "1"},    {ValueBoxes::Server, 1, "10"},
        {ValueBoxes::Server, 2, "1"}, {ValueBoxes::Server, 3, "30"}, {ValueBoxes::Server, 4, "110"},
        {ValueBoxes::Mail, 4, ""},    {ValueBoxes::Server, 5, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::DefaultText(c.boxes, c.index), c.text)
            << static_cast<int>(c.boxes) << "/" << c.index;
        // A default is always a value its box accepts.
        if (!c.text.empty()) {
            EXPECT_TRUE(app::CheckValueBox(c.boxes, c.index, c.text, true).accepted);
        }
    }
}

}  // namespace
}  // namespace quorvel::testing
