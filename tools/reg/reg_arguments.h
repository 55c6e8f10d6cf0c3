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

// The switches of one command: "/v NAME", "/ve", "/va", "/t TYPE", "/d DATA", "/s", "/f", "/y"
// and "/se C", in any order and case among the positional arguments; "/?" (or "/h") asks for
// the command's usage. Each may be given once, and only one of /v, /ve and /va, as reg.exe
// takes them.
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
    bool help = false;       // /?
    // How many positional arguments came before /y.
    std::size_t positionalBeforeOverwrite = 0;
};

// How a command reads "/s": "add" takes it with the REG_MULTI_SZ separator after it, the others
// as "recursive".
enum class SwitchS { Recursive, Separator };

// Throws UsageError for an unknown, repeated or conflicting switch, or one without its argument.
Switches ParseSwitches(const std::vector<std::string>& args, std::size_t first,
                       SwitchS s = SwitchS::Recursive);

}  // namespace quorvel::regtool
