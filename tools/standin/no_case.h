#pragma once

#include <string>
#include <string_view>

namespace quorvel::standin {

// ASCII comparisons without regard to case, as Windows compares file, switch and key names.
bool EqualNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
std::string LowerCase(std::string_view text);

}  // namespace quorvel::standin
