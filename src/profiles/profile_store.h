#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry.h"
#include "settings/setting_context.h"

namespace quorvel::profiles {

// The shared profile state: which profile the program works on (in the setting context), which
// profiles were unlocked in this run, whether the current one is protected, and which profile
// the client was last started with; plus the program-wide switches read at start-up.
class ProfileStore {
  public:
    ProfileStore(registry::Registry& reg, settings::SettingContext& context)
        : reg_(reg), context_(context) {}

    std::vector<std::string> ProfileNames{""};  // profiles opened in this run
    bool ProfileFound = false;
    std::int16_t SecureFlag = 0;
    std::string RunningProfile;
    bool NewsDisabled = false;  // "Disable News" is 1
    std::string WinDir;         // the Windows directory, read at start-up

    // CurrentProfile = the client's "Current Profile" (the applied profile).
    void LoadCurrentProfile();
    // SecureFlag = the current profile's "Secure Profile" when it is 0 or 1, else 0.
    void LoadSecureFlag();
    // ProfileFound = CurrentProfile is among ProfileNames (exact case).
    void ProfileExists();
    void AddProfileName();
    // After the current profile was edited: the next switch to it must write the client's keys.
    void ClearAppliedProfile();

    // The profile tree's key of the current profile: "Software\Quorvel!\Profiles\" + name.
    std::string ProfileKey() const;

  private:
    registry::Registry& reg_;
    settings::SettingContext& context_;
};

}  // namespace quorvel::profiles
