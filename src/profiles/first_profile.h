#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "profiles/name_rule.h"
#include "profiles/profile_store.h"
#include "profiles/prompts.h"
#include "registry/registry.h"
#include "settings/base64.h"
#include "settings/setting_transfer.h"

namespace quorvel::profiles {

// Builds the first profile from what the client holds, so that switching never loses the
// user's existing settings. One store transaction.
class FirstProfileMaker {
  public:
    FirstProfileMaker(registry::Registry& reg, settings::SettingContext& context,
                      settings::SettingTransfer& transfer, settings::Base64& base64,
                      Prompts& prompts)
        : reg_(reg), context_(context), transfer_(transfer), base64_(base64), prompts_(prompts) {}

    // The name of the profile made, which is now the current profile; nullopt when the store
    // could not save it: the user has been told and nothing was changed.
    std::optional<std::string> MakeFirstProfile();

  private:
    // ReadSetting on the client side, then CopySetting into the new profile; a value that is
    // not a number is replaced by `fallback` first when one is given.
    void CopyToProfile(std::int16_t area, std::int16_t item,
                       std::optional<std::int32_t> fallback = std::nullopt);

    registry::Registry& reg_;
    settings::SettingContext& context_;
    settings::SettingTransfer& transfer_;
    settings::Base64& base64_;
    Prompts& prompts_;
};

}  // namespace quorvel::profiles
