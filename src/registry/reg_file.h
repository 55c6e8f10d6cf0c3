#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "registry/hive.h"
#include "registry/value_types.h"

namespace quorvel::registry {

// One step of a .reg file, in file order. Paths are relative to the root, backslash-separated,
// as the Hive takes them. String data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) is already in the
// store's encoding (UTF-8) and carries its terminating NUL(s), as regedit stores it.
struct RegFileOp {
    enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
    Kind kind = Kind::CreateKey;
    Root root = Root::CurrentUser;
    std::string path;
    std::string name;  // value name; "" is the default value (@)
    std::uint32_t type = REG_NONE;
    std::vector<std::uint8_t> data;
    int line = 0;  // where the step starts in the file, from 1
};

struct RegFileError {
    int line = 0;  // 0 when the file as a whole is unusable (no header, bad encoding)
    std::string message;
};

using RegFileParse = std::variant<std::vector<RegFileOp>, RegFileError>;

// Reads a REGEDIT4 or "Windows Registry Editor Version 5.00" file as regedit does: ANSI/UTF-8
// or UTF-16LE with BOM, any line ends. The first malformed line ends the reading with an error.
RegFileParse ReadRegFile(std::span<const std::uint8_t> bytes);

// One key of an export: its full name ("HKEY_CURRENT_USER\Software\...") and its values in
// store order; keys come parents first.
struct RegFileKey {
    std::string fullName;
    std::vector<RawValue> values;
};

// A "Windows Registry Editor Version 5.00" file as regedit writes it: UTF-16LE with BOM, CRLF.
std::vector<std::uint8_t> WriteRegFile(const std::vector<RegFileKey>& keys);

}  // namespace quorvel::registry
