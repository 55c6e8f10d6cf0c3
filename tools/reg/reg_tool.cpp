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

namespace {

struct CommandUsage {
    const char* command;
    const char* usage;
};

constexpr CommandUsage kUsages[] = {
    {"QUERY",
     "quorvel-reg query KEY [/v NAME | /ve] [/s]\n"
     "  Lists the values of KEY and the names of its subkeys.\n"
     "  /v NAME  only the value NAME (with /s: in KEY and every key below it)\n"
     "  /ve      only the default value\n"
     "  /s       KEY and every key below it\n"},
    {"ADD",
     "quorvel-reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
     "  Creates KEY and sets a value in it: NAME, or without /v the default value.\n"
     "  /t TYPE       REG_SZ (the default), REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD,\n"
     "                REG_DWORD_BIG_ENDIAN, REG_QWORD, REG_BINARY or REG_NONE\n"
     "  /s SEPARATOR  the one character between REG_MULTI_SZ items (\\0 by default)\n"
     "  /d DATA       the data; numbers in decimal or 0x hex, binary data in hex digits\n"
     "  /f            overwrite an existing value without asking\n"},
    {"DELETE",
     "quorvel-reg delete KEY [/v NAME | /ve | /va] [/f]\n"
     "  Deletes KEY with everything below it, or one of its values.\n"
     "  /v NAME  the value NAME\n"
     "  /ve      the default value\n"
     "  /va      every value of KEY (its subkeys stay)\n"
     "  /f       without asking\n"},
    {"IMPORT",
     "quorvel-reg import FILE\n"
     "  Imports a .reg file (REGEDIT4 or version 5.00, ANSI/UTF-8 or UTF-16LE), all of it or\n"
     "  none of it.\n"},
    {"EXPORT",
     "quorvel-reg export KEY FILE [/y]\n"
     "  Writes KEY with everything below it to FILE as regedit does.\n"
     "  /y  overwrite FILE without asking (after KEY and FILE)\n"},
};

void PrintUsage(std::ostream& out, const std::string& command) {
    out << "Usage:\n";
    for (const CommandUsage& usage : kUsages) {
        if (command.empty() || command == usage.command) {
            out << usage.usage;
        }
    }
}

}  // namespace

int RunRegTool(const std::vector<std::string>& args, registry::Hive& hive, Console& console) {
    if (args.empty()) {
        console.err << "ERROR: Invalid syntax.\n";
        PrintUsage(console.err, "");
        return 1;
    }
    const std::string command = registry::FoldName(args[0]);
    const bool known =
        std::any_of(std::begin(kUsages), std::end(kUsages),
                    [&](const CommandUsage& usage) { return command == usage.command; });
    if (command == "/?" || command == "-?" || command == "/H" || command == "-H") {
        PrintUsage(console.out, "");
        return 0;
    }
    if (!known) {
        console.err << "ERROR: Invalid syntax: unknown command \"" << args[0] << "\".\n";
        PrintUsage(console.err, "");
        return 1;
    }
    try {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        const Switches switches =
            ParseSwitches(rest, 0, command == "ADD" ? SwitchS::Separator : SwitchS::Recursive);
        if (switches.help) {
            PrintUsage(console.out, command);
            return 0;
        }
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
        return Export(switches, hive, console);
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
