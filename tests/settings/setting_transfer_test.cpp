#include "settings/setting_transfer.h"

#include <gtest/gtest.h>

#include "registry/registry_fixture.h"
#include "settings/client_keys.h"

namespace quorvel::testing {
namespace {

using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_SZ;
using settings::kClientSide;
using settings::kProfileSide;

const std::string kClientMail = std::string(settings::kImnKey) + "\\Mail";
const std::string kClientServer = kClientMail + "\\POP3\\mailhost";
const std::string kProfileMail = std::string(settings::kProfilesKey) + "\\Work\\Mail";
const std::string kProfileAccount = kProfileMail + "\\home";

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
    EXPECT_EQ(getRaw(kClientMail, "Poll For Mail"), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(getRaw(kClientMail, "Sender Name"), std::vector<std::uint8_t>{0});
    EXPECT_EQ(getRaw(kClientServer, "Password"), Bytes("="));
    EXPECT_EQ(getRaw(kClientServer, "RememberPassword"), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST_F(SettingTransfer, ProfilePasswordReachesTheClientAsTheSameBytes) {
    for (const std::string stored : {"c2VjcmV0", "YWI="}) {
        putRaw(kProfileAccount, "Password", REG_BINARY, Bytes(stored));
        copy(kProfileSide, kClientSide, 4, 4);
        const std::string expected = stored.find('=') == std::string::npos ? stored + "=" : stored;
        EXPECT_EQ(getRaw(kClientServer, "Password"), Bytes(expected)) << stored;
        EXPECT_EQ(getRaw(kClientServer, "RememberPassword"),
                  (std::vector<std::uint8_t>{1, 0, 0, 0}));
    }
}

TEST_F(SettingTransfer, ClientPasswordRoundTripsThroughAProfile) {
    // As the first profile takes it: decoded and encoded again, then back to the client.
    putRaw(kClientServer, "Password", REG_BINARY, Bytes("aMOkbGxv="));
    transfer.ReadSetting(kClientSide, 4, 4);
    reg.RegValue = Variant(base64.Base64Encode(base64.Base64DecodeHex(reg.RegValue.text())));
    transfer.CopySetting(kProfileSide, 4, 4);
    EXPECT_EQ(getRaw(kProfileAccount, "Password"), Bytes("aMOkbGxv="));
    EXPECT_EQ(getRaw(kProfileAccount, "RememberPassword"), std::nullopt);

    reg.DeleteKey(kClientMail, "POP3");
    reg.CreateKey(kClientServer, registry::Root::CurrentUser);
    copy(kProfileSide, kClientSide, 4, 4);
    EXPECT_EQ(getRaw(kClientServer, "Password"), Bytes("aMOkbGxv="));
    EXPECT_EQ(getRaw(kClientServer, "RememberPassword"), (std::vector<std::uint8_t>{1, 0, 0, 0}));
}

TEST_F(SettingTransfer, NumbersAndTextConvertToTheCataloguedType) {
    const std::vector<std::tuple<Variant, std::vector<std::uint8_t>>> dwords = {
        {Variant(5), {5, 0, 0, 0}},
        {Variant("-1"), {0xFF, 0xFF, 0xFF, 0xFF}},
        {Variant("not a number"), {0, 0, 0, 0}},  // after -1: a skipped write would show
        {Variant(""), {0, 0, 0, 0}},
        {Variant(), {0, 0, 0, 0}},
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
