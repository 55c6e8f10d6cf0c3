#include "registry/value_types.h"

#include <array>
#include <utility>

#include "registry/names.h"

namespace quorvel::registry {
namespace {

constexpr std::array<std::pair<std::uint32_t, std::string_view>, 12> kTypeNames{{
    {REG_NONE, "REG_NONE"},
    {REG_SZ, "REG_SZ"},
    {REG_EXPAND_SZ, "REG_EXPAND_SZ"},
    {REG_BINARY, "REG_BINARY"},
    {REG_DWORD, "REG_DWORD"},
    {REG_DWORD_BIG_ENDIAN, "REG_DWORD_BIG_ENDIAN"},
    {REG_LINK, "REG_LINK"},
    {REG_MULTI_SZ, "REG_MULTI_SZ"},
    {REG_RESOURCE_LIST, "REG_RESOURCE_LIST"},
    {REG_FULL_RESOURCE_DESCRIPTOR, "REG_FULL_RESOURCE_DESCRIPTOR"},
    {REG_RESOURCE_REQUIREMENTS_LIST, "REG_RESOURCE_REQUIREMENTS_LIST"},
    {REG_QWORD, "REG_QWORD"},
}};

}  // namespace

std::string_view TypeName(std::uint32_t type) {
    for (const auto& [code, name] : kTypeNames) {
        if (code == type) {
            return name;
        }
    }
    return "REG_UNKNOWN";
}

std::optional<std::uint32_t> TypeFromName(std::string_view name) {
    for (const auto& [code, known] : kTypeNames) {
        if (EqualNames(known, name)) {
            return code;
        }
    }
    return std::nullopt;
}

std::string_view RootName(Root root) {
    return root == Root::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::optional<Root> RootFromName(std::string_view name) {
    if (EqualNames(name, "HKEY_CURRENT_USER") || EqualNames(name, "HKCU")) {
        return Root::CurrentUser;
    }
    if (EqualNames(name, "HKEY_LOCAL_MACHINE") || EqualNames(name, "HKLM")) {
        return Root::LocalMachine;
    }
    return std::nullopt;
}

}  // namespace quorvel::registry
