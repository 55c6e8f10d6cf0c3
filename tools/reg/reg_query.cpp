#include <cinttypes>
#include <cstdio>
#include <ostream>

#include "reg_commands.h"
#include "registry/names.h"
#include "value_format.h"

namespace quorvel::regtool {
namespace {

void PrintValue(std::ostream& out, const registry::RawValue& value) {
    out << "    " << (value.name.empty() ? "(Default)" : value.name) << "    "
        << registry::TypeName(value.type) << "    " << FormatData(value.type, value.data) << '\n';
}

// Prints one key as reg.exe does: its name, its values, and (unless recursing, where every
// subkey gets its own block) the full names of its subkeys.
bool PrintKey(std::ostream& out, registry::Hive& hive, const KeyName& key, bool recursive) {
    const auto open = hive.openKey(key.root, key.path);
    if (!open) {
        return false;
    }
    std::vector<registry::RawValue> values;
    std::vector<std::string> subKeys;
    open->values(values);
    open->subKeyNames(subKeys);
    out << '\n' << key.full() << '\n';
    for (const auto& value : values) {
        PrintValue(out, value);
    }
    for (const auto& name : subKeys) {
        const KeyName child{key.root, key.path.empty() ? name : key.path + '\\' + name};
        if (recursive) {
            PrintKey(out, hive, child, true);
        } else {
            if (&name == &subKeys.front()) {
                out << '\n';
            }
            out << child.full() << '\n';
        }
    }
    return true;
}

}  // namespace

int Query(const Switches& switches, registry::Hive& hive, Console& console) {
    const KeyName key = StoredCase(hive, RequireKey(switches, 1));
    if (!switches.valueName) {
        if (!PrintKey(console.out, hive, key, switches.recursive)) {
            throw CommandError{kNotFound};
        }
        return 0;
    }
    const auto open = hive.openKey(key.root, key.path);
    std::vector<registry::RawValue> values;
    if (!open || open->values(values) != registry::ERROR_SUCCESS) {
        throw CommandError{kNotFound};
    }
    for (const auto& value : values) {
        if (registry::EqualNames(value.name, *switches.valueName)) {
            console.out << '\n' << key.full() << '\n';
            PrintValue(console.out, value);
            return 0;
        }
    }
    throw CommandError{kNotFound};
}

}  // namespace quorvel::regtool
