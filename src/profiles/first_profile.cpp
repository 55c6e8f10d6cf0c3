#include "profiles/first_profile.h"

#include <array>

#include "profiles/name_list.h"
#include "registry/names.h"
#include "settings/catalogue.h"
#include "settings/client_keys.h"

namespace quorvel::profiles {

using registry::REG_DWORD;
using registry::REG_SZ;
using settings::kAppKey;
using settings::kClientSide;
using settings::kProfileSide;

namespace {

using namespace settings::setting;

constexpr std::string_view kFallbackName = "Profile 1";

// What a client option that is missing or not a number becomes in the profile; -1 is Basic's
// True, as the client stores it.
constexpr std::int32_t kOff = 0;
constexpr std::int32_t kOn = -1;
// In the mail and news option areas, the options up to these items take kOff, the rest kOn.
constexpr std::int16_t kLastMailOptionOff = 6;
constexpr std::int16_t kLastNewsOptionOff = 8;

}  // namespace

std::optional<std::string> FirstProfileMaker::MakeFirstProfile() {
    const std::string clientMailKey = std::string(settings::kImnKey) + "\\Mail";
    auto scope = reg_.BeginTransaction();

    reg_.GetValue(clientMailKey, "Sender Name");
    std::string name = reg_.RegValue.text();
    // The sender's name is the obvious name for the profile, unless it could not be one.
    if (CheckNewName(name) != NameVerdict::Accepted) {
        name = kFallbackName;
    }
    context_.CurrentProfile = name;

    reg_.GetValue(clientMailKey, "Default POP3 Server");
    context_.ServerName = reg_.RegValue.text();

    reg_.SetValue(kAppKey, "Profile List", Variant(WriteNameList({name})), REG_SZ);
    reg_.SetValue(kAppKey, "Current Profile", Variant(name), REG_SZ);

    const std::string profileKey = settings::ProfileKey(name);
    const std::string profileMailKey = settings::ProfileMailKey(name);
    reg_.CreateKey(profileKey + "\\News", registry::Root::CurrentUser);
    context_.AccountProfile = context_.ServerName;
    reg_.CreateKey(profileMailKey + "\\" + context_.AccountProfile, registry::Root::CurrentUser);
    reg_.SetValue(profileMailKey, "Account Profile List",
                  Variant(WriteNameList({context_.AccountProfile})), REG_SZ);
    reg_.SetValue(profileMailKey, "Default Account Profile", Variant(context_.AccountProfile),
                  REG_SZ);
    reg_.SetValue(profileMailKey, "PollMultiplePopServers", Variant(std::int32_t{0}), REG_DWORD);

    // Area by area, in catalogue order; the option areas' last option that falls back to kOff.
    const struct {
        std::int16_t area;
        std::optional<std::int16_t> lastOff;
    } areas[] = {{kMailMainArea, {}},
                 {kMailSignatureArea, {}},
                 {kMailOtherArea, kLastMailOptionOff},
                 {kAccountsArea, {}},
                 {kNewsMainArea, {}},
                 {kNewsSignatureArea, {}},
                 {kNewsOtherArea, kLastNewsOptionOff}};
    for (const auto& [area, lastOff] : areas) {
        for (std::int16_t item = 1; item <= settings::SettingCatalogue::ItemCount(area); ++item) {
            if (area == kAccountsArea &&
                (item == kDefaultAccount.item || item == kPollMultiple.item)) {
                continue;  // the client has no default account; the switch was written above
            }
            if (area == kAccountsArea && item == kPassword.item) {
                transfer_.ReadSetting(kClientSide, kPassword);
                reg_.RegValue =
                    Variant(base64_.Base64Encode(base64_.Base64DecodeHex(reg_.RegValue.text())));
                transfer_.CopySetting(kProfileSide, kPassword);
                continue;
            }
            std::optional<std::int32_t> fallback;
            if (lastOff) {
                fallback = item <= *lastOff ? kOff : kOn;
            }
            CopyToProfile(area, item, fallback);
        }
    }

    if (!scope->commit()) {
        prompts_.MsgBox("Quorvel could not make the first profile \"" + name +
                            "\" from the mail client's settings: the registry store could not "
                            "save it. Nothing has been changed.",
                        Buttons::Ok, Icon::Exclamation);
        return std::nullopt;
    }
    return name;
}

void FirstProfileMaker::CopyToProfile(std::int16_t area, std::int16_t item,
                                      std::optional<std::int32_t> fallback) {
    transfer_.ReadSetting(kClientSide, area, item);
    // A missing value reads as "", which is not a number either.
    if (fallback && (reg_.RegValue.isBlank() || !reg_.RegValue.isNumeric())) {
        reg_.RegValue = Variant(*fallback);
    }
    transfer_.CopySetting(kProfileSide, area, item);
}

}  // namespace quorvel::profiles
