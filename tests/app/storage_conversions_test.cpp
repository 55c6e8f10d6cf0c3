#include "app/storage_conversions.h"

#include <gtest/gtest.h>

#include "app/name_entry.h"
#include "registry/trim.h"

namespace quorvel::testing {
namespace {

using app::ValueBoxes;

TEST(StorageConversions, OptionRowsStoreTheirSettingsUnits) {
    struct Case {
        const char* what;
        ValueBoxes boxes;
        int index;
        bool checked;
        const char* text;
        std::optional<std::int32_t> stored;
    };
    const Case cases[] = {
        {"poll minutes to milliseconds", ValueBoxes::Mail, 1, true, "10", 600000},
        {"poll takes the leading number", ValueBoxes::Mail, 1, true, "1.5 min", 90000},
        {"poll beyond 32 bits", ValueBoxes::Mail, 1, true, "99999999", std::nullopt},
        {"poll unchecked", ValueBoxes::Mail, 1, false, "10", -1},
        {"poll checked but empty", ValueBoxes::Mail, 1, true, "", -1},
        {"indent as its code", ValueBoxes::Mail, 2, true, ">", 62},
        {"indent unchecked", ValueBoxes::Mail, 2, false, ">", 0},
        {"preview 0 is a choice", ValueBoxes::Mail, 3, true, "0", 0},
        {"preview unchecked", ValueBoxes::Mail, 3, false, "0", -1},
        {"news polling unconverted", ValueBoxes::News, 1, true, "10", 10},
        {"not a number keeps the setting", ValueBoxes::News, 5, true, "many", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::OptionRowValue(c.boxes, c.index, c.checked, c.text), c.stored) << c.what;
    }
}

TEST(StorageConversions, AccountBoxesFillInTheirEmptyValues) {
    EXPECT_EQ(app::AccountNumberValue("", app::kEmptyTimeout), 60);
    EXPECT_EQ(app::AccountNumberValue("", app::kEmptyPort), 110);
    EXPECT_EQ(app::AccountNumberValue("995", app::kEmptyPort), 995);
    EXPECT_EQ(app::AccountNumberValue("pop", app::kEmptyPort), std::nullopt);
}

TEST(StorageConversions, SignatureKinds) {
    struct Case {
        int option;
        bool addToAll;
        bool notToReplies;
        std::optional<std::int32_t> stored;
    };
    const Case cases[] = {
        {0, true, true, 0},       {1, false, true, 1},
        {1, true, false, 196609}, {1, true, true, 65537},
        {2, false, false, 2},     {2, true, false, 196610},
        {2, true, true, 65538},   {-1, true, true, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::SignatureKind(c.option, c.addToAll, c.notToReplies), c.stored)
            << c.option << c.addToAll << c.notToReplies;
    }
}

TEST(NameEntry, NewNamesNeedThreeCharactersAndNoListBreakers) {
    using app::NameVerdict;
    struct Case {
        const char* name;
        NameVerdict verdict;
    };
    const Case cases[] = {
        {"ab", NameVerdict::TooShort},      {"äö", NameVerdict::TooShort},
        {"äöü", NameVerdict::Accepted},     {"a b c", NameVerdict::Accepted},
        {"a;b", NameVerdict::BadCharacter}, {"a|b", NameVerdict::BadCharacter},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::CheckNewName(c.name), c.verdict) << c.name;
    }
    EXPECT_EQ(TrimBlanks("  Work 2 "), "Work 2");
    EXPECT_EQ(TrimBlanks("   "), "");
}

}  // namespace
}  // namespace quorvel::testing
