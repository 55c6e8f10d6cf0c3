#include "settings/catalogue.h"

#include <gtest/gtest.h>

namespace quorvel::settings {
namespace {

const std::string C = "Software\\Microsoft\\Internet Mail and News";
const std::string P = "Software\\Quorvel!\\Profiles\\Work";

class Catalogue : public ::testing::Test {
  protected:
    SettingContext context{"Work", "mailhost", "home"};
    SettingCatalogue catalogue{context};

    void look(std::int16_t side, std::int16_t area, std::int16_t item) {
        catalogue.LookupSetting(side, area, item);
        catalogue.SetSettingPaths(side, area, item);
    }
};

TEST_F(Catalogue, EachKindOfPlaceOnBothSides) {
    // One setting for every way a key is made up; the rest of the catalogue repeats these.
    const struct {
        std::int16_t area, item;
        std::uint32_t type;
        std::string clientName, clientKey, profileKey;
    } cases[] = {
        {1, 1, 1, "Sender Name", C + "\\Mail", P + "\\Mail"},
        {1, 5, 1, "Store Root", C, P + "\\Mail"},
        // The address book is the default value of a key of its own.
        {1, 7, 1, "", "Software\\Microsoft\\WAB\\Wab File Name", P + "\\Mail"},
        {4, 1, 1, "Default POP3 Server", C + "\\Mail", P + "\\Mail\\home"},
        {4, 4, 3, "Password", C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
        {4, 11, 1, "Default Account Profile", C + "\\Mail\\POP3\\mailhost", P + "\\Mail"},
        {7, 9, 4, "Polling Interval", C + "\\News", P + "\\News"},
        {8, 1, 4, "Disable News", "", "Software\\Quorvel!"},
        {8, 2, 4, "Secure Profile", "", P},
    };
    for (const auto& c : cases) {
        const auto where = std::to_string(c.area) + "," + std::to_string(c.item);
        catalogue.SettingName = "stale";
        look(kClientSide, c.area, c.item);
        EXPECT_EQ(catalogue.SettingName, c.clientName) << where;
        EXPECT_EQ(catalogue.SettingType, c.type) << where;
        EXPECT_EQ(catalogue.SettingKey, c.clientKey) << where;
        look(kProfileSide, c.area, c.item);
        EXPECT_EQ(catalogue.SettingName, c.area == 1 && c.item == 7 ? "WAB" : c.clientName);
        EXPECT_EQ(catalogue.SettingKey, c.profileKey) << where;
    }
    EXPECT_EQ(SettingCatalogue::ItemCount(4), 18);
    EXPECT_EQ(SettingCatalogue::ItemCount(9), 0);
}

TEST_F(Catalogue, IdentifiersOutsideTheTablesKeepTheLastNameButMoveTheKey) {
    const struct {
        std::int16_t side, area, item;
        std::string name, key;
    } cases[] = {
        {1, 1, 8, "Poll For Mail", C + "\\Mail"},
        {1, 4, 0, "Poll For Mail", C + "\\Mail\\POP3\\mailhost"},
        {1, 8, 2, "Secure Profile", ""},  // a program setting has no client key
        {1, 9, 1, "Poll For Mail", ""},
        {2, 9, 1, "Poll For Mail", P},
        {2, 4, 19, "Poll For Mail", P + "\\Mail\\home"},
        {3, 1, 7, "", "Software\\Microsoft\\WAB\\Wab File Name"},  // any side but 2 is the client's
        {-1, 5, 1, "Sender Name", C + "\\News"},
    };
    for (const auto& c : cases) {
        look(1, 3, 7);
        look(c.side, c.area, c.item);
        const auto where =
            std::to_string(c.side) + "," + std::to_string(c.area) + "," + std::to_string(c.item);
        EXPECT_EQ(catalogue.SettingName, c.name) << where;
        EXPECT_EQ(catalogue.SettingKey, c.key) << where;
    }
}

TEST_F(Catalogue, EmptyNamesLeaveATrailingBackslash) {
    context = {"", "", ""};
    look(1, 4, 2);
    EXPECT_EQ(catalogue.SettingKey, C + "\\Mail\\POP3\\");
    look(2, 4, 2);
    EXPECT_EQ(catalogue.SettingKey, "Software\\Quorvel!\\Profiles\\\\Mail\\");
}

}  // namespace
}  // namespace quorvel::settings
