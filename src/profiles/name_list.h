#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::profiles {

// "Profile List" and "Account Profile List": every name followed by ";", the whole list ended
// by "|". The reader takes the text before each ";" and skips empty names; text after the last
// ";" (the closing "|", or a name without its ";") is never a name.
std::vector<std::string> ReadNameList(std::string_view list);
// The names in display order, each with its ";", then "|". No names gives "|".
std::string WriteNameList(const std::vector<std::string>& names);

}  // namespace quorvel::profiles
