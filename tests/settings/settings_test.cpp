// The client's settings: where each one lives on either side, how passwords are encoded, and how
// a setting is carried from one side to the other.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "registry/registry_fixture.h"
#include "settings/base64.h"
#include "settings/catalogue.h"
#include "settings/client_keys.h"
#include "settings/setting_transfer.h"

namespace quorvel::testing {
namespace {

using registry::REG_BINARY;
using settings::kClientSide;
using settings::kProfileSide;

const std::string C = "Software\\Microsoft\\Internet Mail and News";
const std::string P = "Software\\Quorvel!\\Profiles\\Work";

// The hex text the registry layer gives for stored bytes: "XX " per byte (or "3D" without a
// blank below 0x10), then "3D" for the zero byte past the end.
std::string StoredHex(const std::string& bytes) {
    std::string hex;
    for (const unsigned char byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, byte >= 0x10 ? "%02X " : "3D", byte);
        hex += pair;
    }
    return hex + "3D";
}

class CountingPump final : public settings::EventPump {
  public:
    int calls = 0;
    void ProcessEvents() override { ++calls; }
};

TEST(Base64, EncodesAndDecodesTheHexOfStoredBytesOneGroupPerEventLoopTurn) {
    CountingPump pump;
    settings::Base64 base64(pump);
    for (const auto& [plain, encoded] : std::vector<std::pair<std::string, std::string>>{
             {"a", "YQ=="}, {"ab", "YWI="}, {"foobar", "Zm9vYmFy"}, {"\xFF\xFE", "//4="}}) {
        EXPECT_EQ(base64.Base64Encode(plain), encoded) << plain;
    }
    for (const auto& [hex, plain] : std::vector<std::pair<std::string, std::string>>{
             {"3D 3D", ""},            // the single byte "="
             {"59 51 3D 3D 3D", "a"},  // "YQ==" as read back
             {"59 3D57 4A 6A", ""},    // a low byte shifts every later pair out of step
             {"5957 4A 6A", ""},       // separators missing: read from the wrong places
             {"59 57 4X 6A", "ah"},    // "4X" reads as 4, outside the alphabet: YWj is left
             {"2f 2f 34 3d 3d", "\xFF\xFE"}}) {  // lower-case hex digits
        EXPECT_EQ(base64.Base64DecodeHex(hex), plain) << hex;
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 100; ++round) {
        std::string bytes(random() % 12, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(1 + random() % 255);  // passwords hold no NUL
        }
        const std::string stored = base64.Base64Encode(bytes);
        // As the registry layer stores it: with an "=" at the end.
        ASSERT_EQ(base64.Base64DecodeHex(StoredHex(stored.ends_with('=') ? stored : stored + "=")),
                  bytes);
    }
    pump.calls = 0;
    base64.Base64Encode("abcdefg");                     // two whole groups of three
    base64.Base64DecodeHex(StoredHex("YWJjZGVmZw=="));  // two whole groups of four
    EXPECT_EQ(pump.calls, 4);
}

class Catalogue : public ::testing::Test {
  protected:
    settings::SettingContext context{"Work", "mailhost", "home"};
    settings::SettingCatalogue catalogue{context};

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
    EXPECT_EQ(settings::SettingCatalogue::ItemCount(4), 18);
    EXPECT_EQ(settings::SettingCatalogue::ItemCount(9), 0);
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
        {3, 1, 7, "", "Software\\Microsoft\\WAB\\Wab File Name"},  // any side but 2 is the client's
        {-1, 5, 1, "Sender Name", C + "\\News"},
    };
    for (const auto& c : cases) {
        look(1, 3, 7);
        look(c.side, c.area, c.item);
        EXPECT_EQ(catalogue.SettingName, c.name) << c.side << "," << c.area << "," << c.item;
        EXPECT_EQ(catalogue.SettingKey, c.key) << c.side << "," << c.area << "," << c.item;
    }
}

const std::string kClientMail = std::string(settings::kImnKey) + "\\Mail";
const std::string kClientServer = kClientMail + "\\POP3\\mailhost";
const std::string kProfileAccount = std::string(settings::kProfilesKey) + "\\Work\\Mail\\home";
const std::vector<std::uint8_t> kZero = {0, 0, 0, 0};
const std::vector<std::uint8_t> kOne = {1, 0, 0, 0};

class SettingTransfer : public RegistryFixture {
  protected:
    settings::SettingContext context{"Work", "mailhost", "home"};
    settings::SettingCatalogue catalogue{context};
    settings::NoEventPump pump;
    settings::Base64 base64{pump};
    settings::SettingTransfer transfer{reg, catalogue, base64};

    void SetUp() override {
        for (const auto& key : {kClientServer, kProfileAccount}) {
            reg.CreateKey(key, registry::Root::CurrentUser);
        }
    }
    void copy(std::int16_t from, std::int16_t to, std::int16_t area, std::int16_t item) {
        transfer.ReadSetting(from, area, item);
        transfer.CopySetting(to, area, item);
    }
};

TEST_F(SettingTransfer, MissingValuesAreWrittenAsTheTypesEmptyForm) {
    copy(kProfileSide, kClientSide, 3, 7);  // "Poll For Mail", DWORD
    copy(kProfileSide, kClientSide, 1, 1);  // "Sender Name", text
    copy(kProfileSide, kClientSide, 4, 4);  // "Password", binary
    EXPECT_EQ(getRaw(kClientMail, "Poll For Mail"), kZero);
    EXPECT_EQ(getRaw(kClientMail, "Sender Name"), std::vector<std::uint8_t>{0});
    EXPECT_EQ(getRaw(kClientServer, "Password"), Bytes("="));
    EXPECT_EQ(getRaw(kClientServer, "RememberPassword"), kZero);
}

TEST_F(SettingTransfer, PasswordsKeepTheirBytesAndOnlyTheClientIsToldToRememberThem) {
    putRaw(kProfileAccount, "Password", REG_BINARY, Bytes("c2VjcmV0"));
    copy(kProfileSide, kClientSide, 4, 4);
    EXPECT_EQ(getRaw(kClientServer, "Password"), Bytes("c2VjcmV0="));
    EXPECT_EQ(getRaw(kClientServer, "RememberPassword"), kOne);

    // As the first profile takes it: decoded and encoded again.
    putRaw(kClientServer, "Password", REG_BINARY, Bytes("aMOkbGxv="));
    transfer.ReadSetting(kClientSide, 4, 4);
    reg.RegValue = Variant(base64.Base64Encode(base64.Base64DecodeHex(reg.RegValue.text())));
    transfer.CopySetting(kProfileSide, 4, 4);
    EXPECT_EQ(getRaw(kProfileAccount, "Password"), Bytes("aMOkbGxv="));
    EXPECT_EQ(getRaw(kProfileAccount, "RememberPassword"), std::nullopt);
}

TEST_F(SettingTransfer, NumbersAndTextConvertToTheCataloguedType) {
    const std::pair<Variant, std::vector<std::uint8_t>> dwords[] = {
        {Variant(5), {5, 0, 0, 0}},
        {Variant("-1"), {0xFF, 0xFF, 0xFF, 0xFF}},
        {Variant("not a number"), kZero},  // after -1: a skipped write would show
        {Variant(), kZero},
    };
    for (const auto& [value, stored] : dwords) {
        reg.RegValue = value;
        transfer.CopySetting(kClientSide, 3, 7);
        EXPECT_EQ(getRaw(kClientMail, "Poll For Mail"), stored) << value.text();
    }
    reg.RegValue = Variant(12);
    transfer.CopySetting(kClientSide, 1, 1);
    EXPECT_EQ(getRaw(kClientMail, "Sender Name"), Bytes(std::string("12\0", 3)));
}

}  // namespace
}  // namespace quorvel::testing
