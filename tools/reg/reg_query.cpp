#include <cinttypes>
#include <cstdio>
#include <optional>
#include <ostream>
#include <sstream>

#include "reg_commands.h"
#include "registry/names.h"
#include "value_format.h"

namespace quorvel::regtool {
namespace {

void PrintValue(std::ostream& out, const registry::RawValue& value) {
    out << "    " << (value.name.empty() ? "(Default)" : value.name) << "    "
        << registry::TypeName(value.type) << "    " << FormatData(value.type, value.data) << '\n';
}

struct KeyContents {
    std::vector<registry::RawValue> values;
    std::vector<std::string> subKeys;
};

std::optional<KeyContents> Read(registry::Hive& hive, const KeyName& key) {
    const auto open = hive.openKey(key.root, key.path);
    if (!open) {
        return std::nullopt;
    }
    KeyContents contents;
    open->values(contents.values);
    open->subKeyNames(contents.subKeys);
    return contents;
}

KeyName Child(const KeyName& key, const std::string& name) {
    return {key.root, key.path.empty() ? name : key.path + '\\' + name};
}

// reg.exe's layout: a key's block is its name, its values and a blank line; a key without
// values shows no block of its own at the top of a listing. Without /s the subkeys' names
// follow; with it, each subkey's block, depth first.
void PrintKey(std::ostream& out, registry::Hive& hive, const KeyName& key,
              const KeyContents& contents, bool recursive, bool top) {
    if (!contents.values.empty() || !top) {
        out << key.full() << '\n';
        for (const auto& value : contents.values) {
            PrintValue(out, value);
        }
        out << '\n';
    }
    for (const auto& name : contents.subKeys) {
        const KeyName child = Child(key, name);
        if (!recursive) {
            out << child.full() << '\n';
        } else if (const auto below = Read(hive, child)) {
            PrintKey(out, hive, child, *below, true, false);
        }
    }
}

// Prints the block of every key, from `key` down when recursing, that holds the value `name`;
// the number of them.
int PrintMatches(std::ostream& out, registry::Hive& hive, const KeyName& key,
                 const std::string& name, bool recursive) {
    const auto contents = Read(hive, key);
    if (!contents) {
        return 0;
    }
    int found = 0;
    for (const auto& value : contents->values) {
        if (registry::EqualNames(value.name, name)) {
            out << key.full() << '\n';
            PrintValue(out, value);
            out << '\n';
            ++found;
            break;
        }
    }
    if (recursive) {
        for (const auto& sub : contents->subKeys) {
            found += PrintMatches(out, hive, Child(key, sub), name, true);
        }
    }
    return found;
}

}  // namespace

int Query(const Switches& switches, registry::Hive& hive, Console& console) {
    const KeyName key = StoredCase(hive, RequireKey(switches, 1));
    const auto contents = Read(hive, key);
    if (!contents) {
        throw CommandError{kNotFound};
    }
    std::ostringstream out;
    out << '\n';
    if (!switches.valueName) {
        PrintKey(out, hive, key, *contents, switches.recursive, true);
        console.out << out.str();
        return 0;
    }
    const int found = PrintMatches(out, hive, key, *switches.valueName, switches.recursive);
    if (found == 0 && switches.valueName->empty()) {
        // The default value always exists to reg.exe, set or not.
        console.out << '\n' << key.full() << "\n    (Default)    REG_SZ    (value not set)\n\n";
        return 0;
    }
    if (found == 0) {
        throw CommandError{kNotFound};
    }
    console.out << out.str();
    if (switches.recursive) {
        console.out << "End of search: " << found << " match(es) found.\n";
    }
    return 0;
}

}  // namespace quorvel::regtool
