// Where each client setting lives on either side, how passwords are encoded, how one is carried.
#include <gtest/gtest.h>

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

class CountingPump final : public settings::EventPump {
  public:
    int calls = 0;
    void ProcessEvents() override { ++calls; }
};

TEST(Base64, EncodesAndDecodesTheHexOfStoredBytesOneGroupPerEventLoopTurn) {
    CountingPump pump;
    settings::Base64 base64(pump);
    EXPECT_EQ(
        base64.Base64Encode("a") + base64.Base64Encode("ab") + base64.Base64Encode("\xFF\xFE"),
        "YQ==YWI=//4=");  // the padding, and the alphabet's last two characters
    for (const auto& [hex, plain] : std::vector<std::pair<std::string, std::string>>{
             {"59 51 3D 3D 3D", "a"},  // "YQ==" as read back
             {"59 3D57 4A 6A", ""},    // a low byte shifts every later pair out of step
             {"59 57 4X 6A", "ah"},    // "4X" reads as 4, outside the alphabet: YWj is left
             {"2f 2f 34 3d 3d", "\xFF\xFE"}}) {  // lower-case hex digits
        EXPECT_EQ(base64.Base64DecodeHex(hex), plain) << hex;
    }
    pump.calls = 0;
    base64.Base64Encode("abcdefg");                                    // two whole groups of three
    base64.Base64DecodeHex("59 57 4A 6A 5A 47 56 6D 5A 77 3D 3D 3D");  // two whole groups of four
    EXPECT_EQ(pump.calls, 4);
}

const std::string kClient(settings::kImnKey);
const std::string kClientServer = kClient + "\\Mail\\POP3\\mailhost";
const std::string kProfileAccount = settings::ProfileMailKey("Work") + "\\home";
const std::vector<std::uint8_t> kZero = {0, 0, 0, 0};

class Settings : public RegistryFixture {
  protected:
    settings::SettingContext context{"Work", "mailhost", "home"};
    settings::SettingCatalogue catalogue{context};
    settings::NoEventPump pump;
    settings::Base64 base64{pump};
    settings::SettingTransfer transfer{reg, catalogue, base64};

    void SetUp() override {
        reg.CreateKey(kClientServer, registry::Root::CurrentUser);
        reg.CreateKey(kProfileAccount, registry::Root::CurrentUser);
    }
};

TEST_F(Settings, TransferKeepsPasswordBytesWritesMissingValuesEmptyAndConvertsToTheType) {
    putRaw(kProfileAccount, "Password", REG_BINARY, Bytes("c2VjcmV0"));
    transfer.ReadSetting(kProfileSide, 4, 4);
    transfer.CopySetting(kClientSide, 4, 4);
    EXPECT_EQ(getRaw(kClientServer, "Password"), Bytes("c2VjcmV0="));
    EXPECT_EQ(getRaw(kClientServer, "RememberPassword"), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    // As the first profile takes it: decoded and encoded again; only the client remembers.
    putRaw(kClientServer, "Password", REG_BINARY, Bytes("aMOkbGxv="));
    transfer.ReadSetting(kClientSide, 4, 4);
    reg.RegValue = Variant(base64.Base64Encode(base64.Base64DecodeHex(reg.RegValue.text())));
    transfer.CopySetting(kProfileSide, 4, 4);
    EXPECT_EQ(getRaw(kProfileAccount, "Password"), Bytes("aMOkbGxv="));
    EXPECT_EQ(getRaw(kProfileAccount, "RememberPassword"), std::nullopt);

    transfer.ReadSetting(kProfileSide, 3, 7);  // "Poll For Mail", missing
    transfer.CopySetting(kClientSide, 3, 7);
    EXPECT_EQ(getRaw(kClient + "\\Mail", "Poll For Mail"), kZero);
    const std::pair<Variant, std::vector<std::uint8_t>> dwords[] = {
        {Variant("-1"), {0xFF, 0xFF, 0xFF, 0xFF}},
        {Variant("not a number"), kZero},  // after -1: a skipped write would show
    };
    for (const auto& [value, stored] : dwords) {
        reg.RegValue = value;
        transfer.CopySetting(kClientSide, 3, 7);
        EXPECT_EQ(getRaw(kClient + "\\Mail", "Poll For Mail"), stored) << value.text();
    }
    reg.RegValue = Variant(12);
    transfer.CopySetting(kClientSide, 1, 1);
    EXPECT_EQ(getRaw(kClient + "\\Mail", "Sender Name"), Bytes(std::string("12\0", 3)));
}

}  // namespace
}  // namespace quorvel::testing
