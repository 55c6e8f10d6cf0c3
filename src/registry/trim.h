#pragma once

#include <string_view>

namespace quorvel {

// The text without the blanks around it, as Basic's Trim takes them: spaces by default. The
// number tests also pass over tabs.
inline std::string_view TrimBlanks(std::string_view text, std::string_view blanks = " ") {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace quorvel
