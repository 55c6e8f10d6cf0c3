#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quorvel::platform {

// Writes the file whole or not at all: the bytes go to a temporary file beside it, are flushed
// to disk, and the temporary file is renamed over the old one. A crash at any moment leaves
// either the old file or the new one, never a truncated mix. Returns "" on success, otherwise
// what went wrong (the old file is then untouched), with errno telling the cause.
std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace quorvel::platform
