#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvel::regtool {

// A value's data as reg.exe shows it: text, "0x1f" for numbers, "a\0b" for string lists and
// upper-case hex digits for everything else.
std::string FormatData(std::uint32_t type, std::span<const std::uint8_t> data);

// The bytes that `add /t TYPE /d TEXT` stores (`text` nullopt without /d): strings with their
// terminating NUL, string lists split at `separator`, numbers in decimal or 0x hex, hex digits
// for binary types. Nullopt when the text does not fit the type.
std::optional<std::vector<std::uint8_t>> ParseData(std::uint32_t type,
                                                   const std::optional<std::string>& text,
                                                   const std::string& separator);

}  // namespace quorvel::regtool
