#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel::registry {

// Value type codes as the Windows registry numbers them. The program itself reads and writes
// REG_SZ, REG_DWORD and REG_BINARY; the store keeps every type so that foreign values survive.
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_DWORD_BIG_ENDIAN = 5;
inline constexpr std::uint32_t REG_LINK = 6;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;
inline constexpr std::uint32_t REG_RESOURCE_LIST = 8;
inline constexpr std::uint32_t REG_FULL_RESOURCE_DESCRIPTOR = 9;
inline constexpr std::uint32_t REG_RESOURCE_REQUIREMENTS_LIST = 10;
inline constexpr std::uint32_t REG_QWORD = 11;

// Predefined root keys, passed around as the 32-bit handles Windows gives them.
enum class Root : std::uint32_t {
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
};

// Status codes of the backend calls; the numbers are Windows' own so that the Win32 backend
// passes its results through unchanged.
inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_INVALID_PARAMETER = 87;
inline constexpr long ERROR_BAD_PATHNAME = 161;
inline constexpr long ERROR_MORE_DATA = 234;
inline constexpr long ERROR_NO_MORE_ITEMS = 259;
inline constexpr long ERROR_KEY_DELETED = 1018;
inline constexpr long ERROR_REGISTRY_IO_FAILED = 1016;

// Windows' limits on names, enforced by every backend alike.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;

// "REG_SZ" for 1 and so on; "REG_0x1F" style text for codes without a name.
std::string_view TypeName(std::uint32_t type);
// The code for a name such as "REG_DWORD"; nullopt for an unknown name.
std::optional<std::uint32_t> TypeFromName(std::string_view name);

// "HKEY_CURRENT_USER" / "HKEY_LOCAL_MACHINE".
std::string_view RootName(Root root);
// Accepts the full names and the HKCU / HKLM abbreviations, in any case.
std::optional<Root> RootFromName(std::string_view name);

}  // namespace quorvel::registry
