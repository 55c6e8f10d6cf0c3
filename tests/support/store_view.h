#pragma once

// What a store holds, read past the registry layer's conversions: for checks that must see the
// bytes themselves, and for comparing whole trees before and after.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "registry/names.h"

namespace quorvel::testing {

// A value's stored bytes below HKEY_CURRENT_USER, bypassing the layer's conversions; nullopt
// when it is missing.
inline std::optional<std::vector<std::uint8_t>> ReadRaw(registry::Hive& hive,
                                                        const std::string& path,
                                                        const std::string& name,
                                                        std::uint32_t* type = nullptr) {
    auto key = hive.openKey(registry::Root::CurrentUser, path);
    std::uint32_t found = 0;
    std::uint32_t size = 0;
    if (!key || key->queryValue(name, found, {}, size) != registry::ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(size + 1);
    key->queryValue(name, found, data, size);
    data.resize(size);
    if (type != nullptr) {
        *type = found;
    }
    return data;
}

// A key with everything below it as comparable text: names folded and each key's values sorted,
// so that two trees that hold the same settings read alike whatever order their values were
// written in; subkeys follow in the store's order. With `only`, just that value of the key.
inline void DumpTree(registry::Hive& hive, const std::string& path, std::ostream& out,
                     const std::string& only = "") {
    auto key = hive.openKey(registry::Root::CurrentUser, path);
    if (!key) {
        out << "[" << path << "] missing\n";
        return;
    }
    std::vector<registry::RawValue> values;
    key->values(values);
    std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
        return registry::FoldName(a.name) < registry::FoldName(b.name);
    });
    out << "[" << registry::FoldName(path) << "]\n";
    for (const auto& value : values) {
        if (only.empty() || value.name == only) {
            out << "  " << registry::FoldName(value.name) << " " << value.type << " "
                << std::string(value.data.begin(), value.data.end()) << "\n";
        }
    }
    std::vector<std::string> subKeys;
    key->subKeyNames(subKeys);
    for (const std::string& name : only.empty() ? subKeys : std::vector<std::string>{}) {
        DumpTree(hive, path + "\\" + name, out);
    }
}
inline std::string Dump(registry::Hive& hive, const std::string& path) {
    std::ostringstream out;
    DumpTree(hive, path, out);
    return out.str();
}

}  // namespace quorvel::testing
