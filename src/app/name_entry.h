#pragma once

#include <string>
#include <string_view>

#include "app/prompts.h"

namespace quorvel::app {

// Whether a name typed for a new profile or account profile can be one.
enum class NameVerdict { Accepted, TooShort, BadCharacter };
// At least 3 characters, none of the characters that break key paths, the hosts file or the
// window's captions, and no ";", which would split the name in two in the name lists.
NameVerdict CheckNewName(std::string_view name);

// Asks for a new name with `prompt` until one is accepted: the name without the blanks around
// it, or "" when the user cancels or gives up.
std::string AskNewName(Prompts& prompts, std::string_view prompt);

}  // namespace quorvel::app
