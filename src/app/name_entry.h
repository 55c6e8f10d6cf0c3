#pragma once

#include <string>
#include <string_view>

namespace quorvel::app {

// The text of an input box as the program takes it: without the blanks around it.
std::string TrimBlanks(std::string_view text);

// Whether a name typed for a new profile or account profile can be one.
enum class NameVerdict { Accepted, TooShort, BadCharacter };
// At least 3 characters, none of the characters that break key paths, the hosts file or the
// window's captions, and no ";", which would split the name in two in the name lists.
NameVerdict CheckNewName(std::string_view name);

}  // namespace quorvel::app
