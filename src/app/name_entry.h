#pragma once

#include <string>
#include <string_view>

#include "app/prompts.h"
#include "profiles/name_rule.h"

namespace quorvel::app {

using profiles::CheckNewName;
using profiles::NameVerdict;

// Asks for a new name with `prompt` until one is accepted: the name without the blanks around
// it, or "" when the user cancels or gives up.
std::string AskNewName(Prompts& prompts, std::string_view prompt);

}  // namespace quorvel::app
