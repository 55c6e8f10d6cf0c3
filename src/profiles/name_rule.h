#pragma once

#include <string_view>

namespace quorvel::profiles {

// True when the name holds one of the 18 characters a profile or account profile name may not
// have: / \ @ < > ? | * # , % " ( ) ^ : { }
bool HasBadChar(std::string_view name);

// Whether a name can be one of a profile or an account profile: at least 3 characters, none of
// the characters that break key paths, the hosts file or the window's captions, and no ";",
// which would split the name in two in the name lists.
enum class NameVerdict { Accepted, TooShort, BadCharacter };
NameVerdict CheckNewName(std::string_view name);

}  // namespace quorvel::profiles
