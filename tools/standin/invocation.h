#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "client_kind.h"

namespace quorvel::standin {

// What one start of quorvel-standin is asked to do, read from its name and arguments.
struct Invocation {
    enum class Role { Install, Explorer, Client, Help, Invalid };

    Role role = Role::Invalid;
    bool demo = false;                      // install: also write a sample configuration
    std::vector<std::string> explorerArgs;  // explorer: everything after the program name
    bool explorerByName = false;            // explorer: run as EXPLORER.EXE
    ClientKind client = ClientKind::Mail;   // client: which program to be
    std::string root;                       // client: the junction file it was started through
    std::string error;                      // invalid: what is wrong, for the user
};

// Started under the name EXPLORER.EXE (any case, any folder), or with an explicit "explorer"
// word, or with a lone "/root,..." argument, it plays the Explorer; otherwise the first
// argument names the role.
Invocation ParseInvocation(std::string_view argv0, const std::vector<std::string>& args);

std::string_view UsageText();

}  // namespace quorvel::standin
