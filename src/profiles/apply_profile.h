#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "profiles/file_system.h"
#include "profiles/hosts_file.h"
#include "profiles/profile_store.h"
#include "profiles/prompts.h"
#include "profiles/switch_intent.h"
#include "registry/registry.h"
#include "settings/setting_transfer.h"

namespace quorvel::profiles {

// Switching: writes the current profile into the client's keys, so that the client's next
// start works with it. The whole switch is one store transaction; the hosts file, which lies
// outside the store, is changed after the commit, as the switch's record in the store says.
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
          files_(files),
          intent_(reg) {}

    // Applies CurrentProfile. False only when the store could not save the switch; the user has
    // then been told, and the client's keys are as they were.
    bool ApplyProfile();
    // Area 4 (servers and account) and the news server; called by ApplyProfile. In multiple-
    // server mode, what the hosts file must become.
    std::optional<HostsChange> ApplyAccounts();
    // Finishes a switch that was cut short, as its record says: applies its profile again when
    // its keys may be part written, or changes the hosts file it had yet to change. Every start
    // of the program runs this first, and so does every switch.
    void FinishInterruptedSwitch();

  private:
    // ApplyProfile without finishing an earlier switch or skipping.
    bool Apply();
    // Changes the hosts file after the switch is stored; then the switch is done.
    void ChangeHostsFile(const HostsChange& change);
    // ReadSetting on the profile side, then CopySetting into the client's keys.
    void CopyToClient(settings::SettingId setting);
    void ApplyOneAccount();
    void ReportError(const FileError& error, std::int16_t step);
    // Shows a message box, or keeps it until the switch's transaction has ended: a box that
    // waits for the user must not hold the store's write lock, which every other process
    // sharing the store (the client, quorvel-reg, a second instance) waits for.
    void Tell(std::string text);

    registry::Registry& reg_;
    settings::SettingContext& context_;
    settings::SettingTransfer& transfer_;
    ProfileStore& store_;
    Prompts& prompts_;
    FileSystem& files_;

    SwitchIntent intent_;
    bool switching_ = false;
    std::vector<std::string> untold_;
};

}  // namespace quorvel::profiles
