#pragma once

#include <string>

namespace quorvel::settings {

// The names every setting's key path is built from. The program keeps one of these and sets
// the names before each read or write, as the catalogue takes them from here.
struct SettingContext {
    std::string CurrentProfile;  // the profile the program works on
    std::string ServerName;      // the client's POP3 server key in use
    std::string AccountProfile;  // the account profile shown or being applied
};

}  // namespace quorvel::settings
