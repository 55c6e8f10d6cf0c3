#include "reg_arguments.h"

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
    while (!key.path.empty() && key.path.back() == '\\') {
        key.path.pop_back();
    }
    if (!registry::SplitKeyPath(key.path)) {
        return std::nullopt;
    }
    return key;
}

Switches ParseSwitches(const std::vector<std::string>& args, std::size_t first) {
    Switches switches;
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
        if (name == "V" || name == "VE") {
            if (switches.valueName) {
                throw UsageError{"Invalid syntax: /v and /ve may be given only once."};
            }
            switches.valueName = name == "V" ? argumentOf(i, arg) : std::string();
        } else if (name == "T") {
            switches.type = argumentOf(i, arg);
        } else if (name == "D") {
            switches.data = argumentOf(i, arg);
        } else if (name == "SE") {
            switches.separator = argumentOf(i, arg);
        } else if (name == "S") {
            switches.recursive = true;
        } else if (name == "F") {
            switches.force = true;
        } else if (name == "VA") {
            switches.allValues = true;
        } else if (name == "Y") {
            switches.overwrite = true;
        } else if (arg.size() == 2 && arg[0] == '/') {
            throw UsageError{"Invalid syntax: unknown switch " + arg + "."};
        } else {
            switches.positional.push_back(arg);
        }
    }
    return switches;
}

}  // namespace quorvel::regtool
