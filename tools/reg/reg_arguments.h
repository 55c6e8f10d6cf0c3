#pragma once

#include <optional>
#include <string>
#include <vector>

#include "registry/value_types.h"

namespace quorvel::regtool {

// A command line failed to make sense; the text goes after "ERROR: ".
struct UsageError {
    std::string message;
};

// "HKCU\Software\X" split into its root and the path below it.
struct KeyName {
    registry::Root root = registry::Root::CurrentUser;
    std::string path;
    std::string full() const;  // "HKEY_CURRENT_USER\Software\X"
};

// Parses a key as reg.exe takes it; nullopt for an unknown root or an invalid path.
std::optional<KeyName> ParseKeyName(const std::string& text);

// The switches of one command: "/v NAME", "/ve", "/t TYPE", "/d DATA", "/s", "/f", "/va", "/y"
// and "/se C", in any order and case, after the positional arguments.
struct Switches {
    std::vector<std::string> positional;
    std::optional<std::string> valueName;  // /v NAME, or "" for /ve
    std::optional<std::string> type;
    std::optional<std::string> data;
    std::optional<std::string> separator;
    bool recursive = false;  // /s
    bool force = false;      // /f
    bool allValues = false;  // /va
    bool overwrite = false;  // /y
};

// Throws UsageError for an unknown switch or one without its argument.
Switches ParseSwitches(const std::vector<std::string>& args, std::size_t first);

}  // namespace quorvel::regtool
