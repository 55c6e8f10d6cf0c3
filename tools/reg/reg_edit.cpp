#include <ostream>

#include "reg_commands.h"
#include "registry/names.h"
#include "value_format.h"

namespace quorvel::regtool {
namespace {

std::string ShownName(const std::string& name) {
    return name.empty() ? "(Default)" : name;
}

bool ValueExists(registry::OpenKey& key, const std::string& name) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    return key.queryValue(name, type, {}, size) == registry::ERROR_SUCCESS;
}

}  // namespace

int Add(const Switches& switches, registry::Hive& hive, Console& console) {
    const KeyName key = RequireKey(switches, 1);
    // Without /v or /ve the default value is set, to "" when there is no data, as reg.exe
    // does: a key is never "added" with nothing stored.
    const std::string name = switches.valueName.value_or("");
    std::uint32_t type = registry::REG_SZ;
    if (switches.type) {
        const auto known = registry::TypeFromName(*switches.type);
        if (!known) {
            throw UsageError{"Invalid type \"" + *switches.type + "\"."};
        }
        type = *known;
    }
    if (switches.separator && registry::CharacterCount(*switches.separator) != 1) {
        throw UsageError{"Invalid syntax: the separator of /s is one character."};
    }
    const auto data = ParseData(type, switches.data, switches.separator.value_or("\\0"));
    if (!data) {
        throw CommandError{"Invalid data \"" + switches.data.value_or("") + "\" for " +
                           std::string(registry::TypeName(type)) + "."};
    }
    // Questions are asked before the write lock is taken: a user thinking about the answer
    // must not hold up the program's own writes.
    if (!switches.force) {
        const auto existing = hive.openKey(key.root, key.path);
        if (existing && ValueExists(*existing, name) &&
            !Confirm(console, "Value " + ShownName(name) + " exists, overwrite")) {
            console.out << "The operation was cancelled by the user.\n";
            return 0;
        }
    }
    auto scope = hive.beginWrite();
    const auto open = hive.createKey(key.root, key.path);
    if (!open) {
        throw CommandError{"Cannot create the key " + key.full() + "."};
    }
    if (open->setValue(name, type, *data) != registry::ERROR_SUCCESS) {
        throw CommandError{"Cannot write the value " + ShownName(name) + "."};
    }
    if (!scope->commit()) {
        throw CommandError{"The registry store could not save the change."};
    }
    console.out << kDone << '\n';
    return 0;
}

int Delete(const Switches& switches, registry::Hive& hive, Console& console) {
    const KeyName key = RequireKey(switches, 1);
    if (!hive.openKey(key.root, key.path)) {
        throw CommandError{kNotFound};
    }
    if (key.path.empty() && !switches.valueName && !switches.allValues) {
        throw CommandError{"A root key cannot be deleted."};
    }
    if (switches.valueName &&
        !ValueExists(*hive.openKey(key.root, key.path), *switches.valueName)) {
        throw CommandError{kNotFound};
    }
    const std::string question =
        switches.allValues   ? "Delete all values under the registry key " + key.full()
        : switches.valueName ? "Delete the registry value " + ShownName(*switches.valueName)
                             : "Permanently delete the registry key " + key.full();
    if (!switches.force && !Confirm(console, question)) {
        console.out << "The operation was cancelled by the user.\n";
        return 0;
    }
    auto scope = hive.beginWrite();
    const auto open = hive.openKey(key.root, key.path);
    if (!open) {
        throw CommandError{kNotFound};
    }
    if (switches.allValues) {
        std::vector<registry::RawValue> values;
        open->values(values);
        for (const auto& value : values) {
            open->deleteValue(value.name);
        }
    } else if (switches.valueName) {
        if (open->deleteValue(*switches.valueName) != registry::ERROR_SUCCESS) {
            throw CommandError{kNotFound};
        }
    } else {
        const std::size_t slash = key.path.rfind('\\');
        const std::string parent = slash == std::string::npos ? "" : key.path.substr(0, slash);
        const auto parentKey = hive.openKey(key.root, parent);
        if (!parentKey ||
            parentKey->deleteSubKeyTree(key.path.substr(slash + 1)) != registry::ERROR_SUCCESS) {
            throw CommandError{"Cannot delete the key " + key.full() + "."};
        }
    }
    if (!scope->commit()) {
        throw CommandError{"The registry store could not save the change."};
    }
    console.out << kDone << '\n';
    return 0;
}

}  // namespace quorvel::regtool
