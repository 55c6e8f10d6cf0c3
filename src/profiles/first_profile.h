#pragma once

#include <string_view>

#include "profiles/profile_store.h"
#include "profiles/prompts.h"
#include "registry/registry.h"
#include "settings/base64.h"
#include "settings/setting_transfer.h"

namespace quorvel::profiles {

// True when the name holds one of the 18 characters a profile or account profile name may not
// have: / \ @ < > ? | * # , % " ( ) ^ : { }
bool HasBadChar(std::string_view name);

// What opens the program's windows after the first profile is made: the profile list holder,
// the tray and the settings window.
class FirstRunWindows {
  public:
    virtual ~FirstRunWindows() = default;
    virtual void OpenAfterFirstProfile() = 0;
};

// Builds the first profile from what the client holds, so that switching never loses the
// user's existing settings. One store transaction.
class FirstProfileMaker {
  public:
    FirstProfileMaker(registry::Registry& reg, settings::SettingContext& context,
                      settings::SettingTransfer& transfer, settings::Base64& base64,
                      Prompts& prompts, FirstRunWindows& windows)
        : reg_(reg),
          context_(context),
          transfer_(transfer),
          base64_(base64),
          prompts_(prompts),
          windows_(windows) {}

    void MakeFirstProfile();

  private:
    registry::Registry& reg_;
    settings::SettingContext& context_;
    settings::SettingTransfer& transfer_;
    settings::Base64& base64_;
    Prompts& prompts_;
    FirstRunWindows& windows_;
};

}  // namespace quorvel::profiles
