#include "settings/catalogue.h"

#include <gtest/gtest.h>

namespace quorvel::settings {
namespace {

constexpr std::uint32_t SZ = 1;
constexpr std::uint32_t BIN = 3;
constexpr std::uint32_t DW = 4;

const std::string C = "Software\\Microsoft\\Internet Mail and News";
const std::string P = "Software\\Quorvel!\\Profiles\\Work";
const std::string App = "Software\\Quorvel!";

struct Row {
    std::int16_t area;
    std::int16_t item;
    std::string name;
    std::uint32_t type;
    std::string clientKey;
    std::string profileKey;
};

// The catalogue, written out in full with ServerName "mailhost" and AccountProfile "home".
const std::vector<Row> kRows = {
    {1, 1, "Sender Name", SZ, C + "\\Mail", P + "\\Mail"},
    {1, 2, "Sender EMail", SZ, C + "\\Mail", P + "\\Mail"},
    {1, 3, "Reply to", SZ, C + "\\Mail", P + "\\Mail"},
    {1, 4, "Sender Organization", SZ, C + "\\Mail", P + "\\Mail"},
    {1, 5, "Store Root", SZ, C, P + "\\Mail"},
    {1, 6, "LastFolder", SZ, C + "\\Mail", P + "\\Mail"},
    {1, 7, "WAB", SZ, "Software\\Microsoft\\WAB\\Wab File Name", P + "\\Mail"},
    {2, 1, "Signature Type", DW, C + "\\Mail", P + "\\Mail"},
    {2, 2, "Signature Text", SZ, C + "\\Mail", P + "\\Mail"},
    {2, 3, "Signature File", SZ, C + "\\Mail", P + "\\Mail"},
    {3, 1, "Send HTML Messages", DW, C + "\\Mail", P + "\\Mail"},
    {3, 2, "Maximize Mail Window", DW, C + "\\Mail", P + "\\Mail"},
    {3, 3, "PlaySoundOnNewMail", DW, C + "\\Mail", P + "\\Mail"},
    {3, 4, "Delete Wastebasket On Exit", DW, C + "\\Mail", P + "\\Mail"},
    {3, 5, "Include Reply Msg", DW, C + "\\Mail", P + "\\Mail"},
    {3, 6, "Send Mail Immediately", DW, C + "\\Mail", P + "\\Mail"},
    {3, 7, "Poll For Mail", DW, C + "\\Mail", P + "\\Mail"},
    {3, 8, "Indent Char", DW, C + "\\Mail", P + "\\Mail"},
    {3, 9, "MarkPreviewAsRead", DW, C + "\\Mail", P + "\\Mail"},
    {4, 1, "Default POP3 Server", SZ, C + "\\Mail", P + "\\Mail\\home"},
    {4, 2, "IP Address", SZ, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 3, "Account", SZ, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 4, "Password", BIN, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 5, "Default SMTP Server", SZ, C + "\\Mail", P + "\\Mail\\home"},
    {4, 6, "RAS Phonebook Entry", SZ, C + "\\Mail", P + "\\Mail"},
    {4, 7, "LeaveMailOnServer", DW, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 8, "RemoveOnClientDelete", DW, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 9, "Use Sicily", DW, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 10, "Connection Type", DW, C + "\\Mail", P + "\\Mail"},
    {4, 11, "Default Account Profile", SZ, C + "\\Mail\\POP3\\mailhost", P + "\\Mail"},
    {4, 12, "PollMultiplePopServers", DW, C + "\\Mail", P + "\\Mail"},
    {4, 13, "MaxRecvMessageSizeKB", DW, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 14, "ExpireDays", DW, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 15, "DownloadMax", DW, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 16, "RemoveExpire", DW, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 17, "RecvTimeout", DW, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {4, 18, "Port", DW, C + "\\Mail\\POP3\\mailhost", P + "\\Mail\\home"},
    {5, 1, "Sender Name", SZ, C + "\\News", P + "\\News"},
    {5, 2, "Sender EMail", SZ, C + "\\News", P + "\\News"},
    {5, 3, "Reply to", SZ, C + "\\News", P + "\\News"},
    {5, 4, "Sender Organization", SZ, C + "\\News", P + "\\News"},
    {5, 5, "DefaultServer", SZ, C + "\\News", P + "\\News"},
    {5, 6, "Last Group", SZ, C + "\\News", P + "\\News"},
    {6, 1, "Signature Type", DW, C + "\\News", P + "\\News"},
    {6, 2, "Signature Text", SZ, C + "\\News", P + "\\News"},
    {6, 3, "Signature File", SZ, C + "\\News", P + "\\News"},
    {7, 1, "Auto Expand Threads", DW, C + "\\News", P + "\\News"},
    {7, 2, "Mark Read on Exit", DW, C + "\\News", P + "\\News"},
    {7, 3, "Maximize News Window", DW, C + "\\News", P + "\\News"},
    {7, 4, "Send HTML Messages", DW, C + "\\News", P + "\\News"},
    {7, 5, "New group notification", DW, C + "\\News", P + "\\News"},
    {7, 6, "SaveInSentItems", DW, C + "\\News", P + "\\News"},
    {7, 7, "Include Reply Msg", DW, C + "\\News", P + "\\News"},
    {7, 8, "NewsShowReadArticles", DW, C + "\\News", P + "\\News"},
    {7, 9, "Polling Interval", DW, C + "\\News", P + "\\News"},
    {7, 10, "Indent Char", DW, C + "\\News", P + "\\News"},
    {7, 11, "MarkPreviewAsRead", DW, C + "\\News", P + "\\News"},
    {7, 12, "Download at a time", DW, C + "\\News", P + "\\News"},
    {7, 13, "Cache Delete Message Days", DW, C + "\\News", P + "\\News"},
    {8, 1, "Disable News", DW, "", App},
    {8, 2, "Secure Profile", DW, "", P},
    {8, 3, "Host file name", SZ, "", P + "\\Mail"},
    {8, 4, "Automake Hosts", DW, "", P + "\\Mail"},
    {8, 5, "IE Path", SZ, "", App},
};

class Catalogue : public ::testing::Test {
  protected:
    SettingContext context{"Work", "mailhost", "home"};
    SettingCatalogue catalogue{context};

    void look(std::int16_t side, std::int16_t area, std::int16_t item) {
        catalogue.LookupSetting(side, area, item);
        catalogue.SetSettingPaths(side, area, item);
    }
};

TEST_F(Catalogue, EverySettingOnBothSides) {
    for (const Row& row : kRows) {
        for (const std::int16_t side : {kClientSide, kProfileSide}) {
            catalogue.SettingName = "stale";
            look(side, row.area, row.item);
            const bool clientAddressBook = side == kClientSide && row.area == 1 && row.item == 7;
            const auto where = std::to_string(side) + "," + std::to_string(row.area) + "," +
                               std::to_string(row.item);
            EXPECT_EQ(catalogue.SettingName, clientAddressBook ? "" : row.name) << where;
            EXPECT_EQ(catalogue.SettingType, row.type) << where;
            EXPECT_EQ(catalogue.SettingKey, side == kProfileSide ? row.profileKey : row.clientKey)
                << where;
        }
    }
    for (std::int16_t area = 0; area <= 9; ++area) {
        std::size_t rows = 0;
        for (const Row& row : kRows) {
            rows += row.area == area ? 1 : 0;
        }
        EXPECT_EQ(SettingCatalogue::ItemCount(area), static_cast<std::int16_t>(rows)) << area;
    }
}

TEST_F(Catalogue, IdentifiersOutsideTheTablesKeepTheLastNameButMoveTheKey) {
    struct Case {
        std::int16_t side;
        std::int16_t area;
        std::int16_t item;
        std::string name;
        std::string key;
    };
    const std::vector<Case> cases = {
        {1, 1, 8, "Poll For Mail", C + "\\Mail"},
        {1, 4, 0, "Poll For Mail", C + "\\Mail\\POP3\\mailhost"},
        {1, 8, 2, "Secure Profile", ""},  // a program setting has no client key
        {1, 9, 1, "Poll For Mail", ""},
        {1, 0, 1, "Poll For Mail", ""},
        {2, 9, 1, "Poll For Mail", P},
        {2, 8, 6, "Poll For Mail", P},
        {2, 4, 19, "Poll For Mail", P + "\\Mail\\home"},
        {3, 5, 1, "Sender Name", C + "\\News"},  // any side but 2 is the client's
        {-1, 1, 5, "Store Root", C},
    };
    for (const Case& c : cases) {
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
    look(2, 8, 2);
    EXPECT_EQ(catalogue.SettingKey, "Software\\Quorvel!\\Profiles\\");
}

}  // namespace
}  // namespace quorvel::settings
