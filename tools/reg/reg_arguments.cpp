#include "reg_arguments.h"

#include <algorithm>

#include "registry/names.h"

namespace quorvel::regtool {

std::string KeyName::full() const {
    std::string name(registry::RootName(root));
    if (!path.empty()) {
        name += '\\';
        name += path;
    }
    return name;
}

std::optional<KeyName> ParseKeyName(const std::string& text) {
    const std::size_t slash = text.find('\\');
    const auto root = registry::RootFromName(text.substr(0, slash));
    if (!root) {
        return std::nullopt;
    }
    KeyName key{*root, slash == std::string::npos ? std::string() : text.substr(slash + 1)};
    // One trailing backslash is the key itself, as reg.exe reads it; "HKCU\" and "KEY\\"
    // name no key.
    if (slash != std::string::npos) {
        if (!key.path.empty() && key.path.back() == '\\') {
            key.path.pop_back();
        }
        if (key.path.empty() || key.path.back() == '\\') {
            return std::nullopt;
        }
    }
    if (!registry::SplitKeyPath(key.path)) {
        return std::nullopt;
    }
    return key;
}

Switches ParseSwitches(const std::vector<std::string>& args, std::size_t first, SwitchS s) {
    Switches switches;
    std::vector<std::string> seen;
    const auto once = [&seen](const std::string& name, const std::string& shown) {
        // /v, /ve and /va name the same thing three ways: only one of them.
        const std::string kind = name == "VE" || name == "VA" ? "V" : name;
        if (std::find(seen.begin(), seen.end(), kind) != seen.end()) {
            throw UsageError{"Invalid syntax: " + shown + " repeats or contradicts a switch " +
                             "given before it."};
        }
        seen.push_back(kind);
    };
    const auto argumentOf = [&](std::size_t& i, const std::string& name) {
        if (i + 1 >= args.size()) {
            throw UsageError{"Invalid syntax: " + name + " needs an argument."};
        }
        return args[++i];
    };
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // On Linux a file name may start with "/" too: only known switches are switches.
        const std::string name = arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-')
                                     ? registry::FoldName(arg.substr(1))
                                     : std::string();
        if (name == "?" || name == "H") {
            switches.help = true;
            continue;
        }
        const bool known = name == "V" || name == "VE" || name == "VA" || name == "T" ||
                           name == "D" || name == "SE" || name == "S" || name == "F" || name == "Y";
        if (known) {
            once(name, arg);
        }
        if (name == "V") {
            switches.valueName = argumentOf(i, arg);
        } else if (name == "VE") {
            switches.valueName = std::string();
        } else if (name == "VA") {
            switches.allValues = true;
        } else if (name == "T") {
            switches.type = argumentOf(i, arg);
        } else if (name == "D") {
            switches.data = argumentOf(i, arg);
        } else if (name == "SE" || (name == "S" && s == SwitchS::Separator)) {
            switches.separator = argumentOf(i, arg);
        } else if (name == "S") {
            switches.recursive = true;
        } else if (name == "F") {
            switches.force = true;
        } else if (name == "Y") {
            switches.overwrite = true;
            switches.positionalBeforeOverwrite = switches.positional.size();
        } else if (arg == "/" || arg == "-" || (arg.size() == 2 && arg[0] == '/')) {
            throw UsageError{"Invalid syntax: unknown switch " + arg + "."};
        } else {
            switches.positional.push_back(arg);
        }
    }
    return switches;
}

}  // namespace quorvel::regtool
