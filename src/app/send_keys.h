#pragma once

#include <string_view>

namespace quorvel::app {

// Alt+F4 in SendKeys' notation: what closes a client the way its user would.
inline constexpr std::string_view kAltF4 = "%{F4}";

// Whether `keys` is Alt+F4, the one keystroke the platforms send; SendKeys' key names take
// either case.
inline bool IsAltF4(std::string_view keys) {
    return keys.size() == kAltF4.size() && keys.substr(0, 2) == "%{" &&
           (keys[2] == 'F' || keys[2] == 'f') && keys.substr(3) == "4}";
}

}  // namespace quorvel::app
