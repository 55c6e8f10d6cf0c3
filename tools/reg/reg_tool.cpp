#include "reg_tool.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "reg_commands.h"
#include "registry/names.h"
#include "registry/store_error.h"

namespace quorvel::regtool {

KeyName RequireKey(const Switches& switches, std::size_t count) {
    if (switches.positional.size() != count) {
        throw UsageError{"Invalid syntax: wrong number of arguments."};
    }
    const auto key = ParseKeyName(switches.positional[0]);
    if (!key) {
        throw UsageError{"Invalid key name \"" + switches.positional[0] +
                         "\": it must start with HKCU, HKLM, HKEY_CURRENT_USER or "
                         "HKEY_LOCAL_MACHINE."};
    }
    return *key;
}

KeyName StoredCase(registry::Hive& hive, const KeyName& key) {
    const auto parts = registry::SplitKeyPath(key.path);
    if (!parts) {
        return key;
    }
    KeyName stored{key.root, ""};
    for (const std::string& part : *parts) {
        const auto open = hive.openKey(stored.root, stored.path);
        std::vector<std::string> names;
        if (!open || open->subKeyNames(names) != registry::ERROR_SUCCESS) {
            return key;
        }
        const auto match = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
            return registry::EqualNames(name, part);
        });
        if (match == names.end()) {
            return key;
        }
        stored.path += (stored.path.empty() ? "" : "\\") + *match;
    }
    return stored;
}

bool Confirm(Console& console, const std::string& question) {
    console.out << question << " (Yes/No)? " << std::flush;
    std::string answer;
    if (!std::getline(console.in, answer)) {
        console.out << '\n';
        return false;
    }
    return !answer.empty() && (answer[0] == 'Y' || answer[0] == 'y');
}

int RunRegTool(const std::vector<std::string>& args, registry::Hive& hive, Console& console) {
    static constexpr const char* kUsage =
        "Usage: quorvel-reg query KEY [/v NAME | /ve] [/s]\n"
        "       quorvel-reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
        "       quorvel-reg delete KEY [/v NAME | /ve | /va] [/f]\n"
        "       quorvel-reg import FILE\n"
        "       quorvel-reg export KEY FILE [/y]\n";
    if (args.empty()) {
        console.err << "ERROR: Invalid syntax.\n" << kUsage;
        return 1;
    }
    const std::string command = registry::FoldName(args[0]);
    try {
        // "add" takes /s as the REG_MULTI_SZ separator, "query" as "recursive".
        std::vector<std::string> rest(args.begin() + 1, args.end());
        if (command == "ADD") {
            for (auto& arg : rest) {
                if (registry::EqualNames(arg, "/s") || registry::EqualNames(arg, "-s")) {
                    arg = "/se";
                }
            }
        }
        const Switches switches = ParseSwitches(rest, 0);
        if (command == "QUERY") {
            return Query(switches, hive, console);
        }
        if (command == "ADD") {
            return Add(switches, hive, console);
        }
        if (command == "DELETE") {
            return Delete(switches, hive, console);
        }
        if (command == "IMPORT") {
            return Import(switches, hive, console);
        }
        if (command == "EXPORT") {
            return Export(switches, hive, console);
        }
        console.err << "ERROR: Invalid syntax: unknown command \"" << args[0] << "\".\n" << kUsage;
        return 1;
    } catch (const UsageError& error) {
        console.err << "ERROR: " << error.message << '\n';
        return 1;
    } catch (const CommandError& error) {
        console.err << "ERROR: " << error.message << '\n';
        return 1;
    } catch (const registry::StoreError& error) {
        console.err << "ERROR: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace quorvel::regtool
