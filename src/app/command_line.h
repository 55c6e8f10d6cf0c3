#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::app {

// Which clients a command line starts.
inline constexpr std::int16_t kLaunchMail = 1;
inline constexpr std::int16_t kLaunchNews = 2;
inline constexpr std::int16_t kLaunchBoth = 3;

struct CommandLine {
    bool found = false;   // the profile is in the list
    std::string profile;  // as stored in the list when found
    std::int16_t mode = kLaunchBoth;
};

// Reads "profile/letter": "m" starts mail, "n" news, anything else (an upper-case letter too)
// both. The profile part is trimmed of blanks and matched against "Profile List" without
// regard to case.
CommandLine ParseCommandLine(std::string_view text, std::string_view profileList);

}  // namespace quorvel::app
