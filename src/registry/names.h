#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::registry {

// Key and value names compare without regard to case, as on Windows, while the store keeps the
// case they were created with. The fold is upper case (Windows compares upper-cased names, which
// decides where "_" sorts) and understands UTF-8 for the Latin, Greek and Cyrillic letters;
// bytes that are not valid UTF-8 are compared as they are.
std::string FoldName(std::string_view name);
bool EqualNames(std::string_view a, std::string_view b);

// Characters, not bytes, of UTF-8 text: the unit of Windows' name limits.
std::size_t CharacterCount(std::string_view text);

// Splits "Software\Quorvel!\Profiles" into its parts. "" is the root itself and one trailing
// backslash is allowed; an empty part elsewhere or a part longer than 255 characters is an
// invalid path (nullopt).
std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path);

}  // namespace quorvel::registry
