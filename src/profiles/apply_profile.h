#pragma once

#include <cstdint>

#include "profiles/file_system.h"
#include "profiles/profile_store.h"
#include "profiles/prompts.h"
#include "registry/registry.h"
#include "settings/setting_transfer.h"

namespace quorvel::profiles {

// Switching: writes the current profile into the client's keys, so that the client's next
// start works with it. The whole switch is one store transaction.
class ProfileApplier {
  public:
    ProfileApplier(registry::Registry& reg, settings::SettingContext& context,
                   settings::SettingTransfer& transfer, ProfileStore& store, Prompts& prompts,
                   FileSystem& files)
        : reg_(reg),
          context_(context),
          transfer_(transfer),
          store_(store),
          prompts_(prompts),
          files_(files) {}

    // Applies CurrentProfile. False only when the store could not save the switch; the user has
    // then been told, and the client's keys are as they were.
    bool ApplyProfile();
    // Area 4 (servers and account) and the news server; called by ApplyProfile.
    void ApplyAccounts();

  private:
    registry::Registry& reg_;
    settings::SettingContext& context_;
    settings::SettingTransfer& transfer_;
    ProfileStore& store_;
    Prompts& prompts_;
    FileSystem& files_;
};

}  // namespace quorvel::profiles
