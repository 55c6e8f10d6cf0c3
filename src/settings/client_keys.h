#pragma once

#include <string>
#include <string_view>

namespace quorvel::settings {

// The mail and news client's own key, and the program's tree beside it (HKEY_CURRENT_USER).
inline constexpr std::string_view kImnKey = "Software\\Microsoft\\Internet Mail and News";
inline constexpr std::string_view kAppKey = "Software\\Quorvel!";
// Every profile is a subkey of this key, named by the profile's name.
inline constexpr std::string_view kProfilesKey = "Software\\Quorvel!\\Profiles";
// The key of the profile `name`, and of its account profiles' holder.
inline std::string ProfileKey(std::string_view name) {
    return std::string(kProfilesKey) + "\\" + std::string(name);
}
inline std::string ProfileMailKey(std::string_view name) {
    return ProfileKey(name) + "\\Mail";
}
// The address book file is the default value of this key.
inline constexpr std::string_view kWabFileKey = "Software\\Microsoft\\WAB\\Wab File Name";

}  // namespace quorvel::settings
