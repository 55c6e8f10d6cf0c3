#include "profiles/profile_store.h"

#include <algorithm>

#include "settings/client_keys.h"

namespace quorvel::profiles {

using registry::REG_SZ;

void ProfileStore::LoadCurrentProfile() {
    reg_.RegValue = Variant("");
    reg_.GetValue(settings::kImnKey, "Current Profile");
    context_.CurrentProfile = reg_.RegValue.text();
}

void ProfileStore::LoadSecureFlag() {
    reg_.GetValue(ProfileKey(), "Secure Profile");
    SecureFlag = 0;
    // A missing value reads as "" and is not numeric; anything that does not fit the flag's
    // 16 bits is as good as "not protected".
    if (reg_.RegValue.isBlank() || !reg_.RegValue.isNumeric()) {
        return;
    }
    const auto number = reg_.RegValue.toNumber();
    if (number && *number >= INT16_MIN && *number < 2) {
        SecureFlag = static_cast<std::int16_t>(*number);
    }
}

void ProfileStore::ProfileExists() {
    ProfileFound = std::find(ProfileNames.begin(), ProfileNames.end(), context_.CurrentProfile) !=
                   ProfileNames.end();
}

void ProfileStore::AddProfileName() {
    if (std::find(ProfileNames.begin(), ProfileNames.end(), context_.CurrentProfile) ==
        ProfileNames.end()) {
        ProfileNames.push_back(context_.CurrentProfile);
    }
}

void ProfileStore::ClearAppliedProfile() {
    reg_.GetValue(settings::kImnKey, "Current Profile");
    if (reg_.RegValue.text() == context_.CurrentProfile) {
        RunningProfile.clear();
        reg_.SetValue(settings::kImnKey, "Current Profile", Variant(""), REG_SZ);
    }
}

std::string ProfileStore::ProfileKey() const {
    return settings::ProfileKey(context_.CurrentProfile);
}

}  // namespace quorvel::profiles
