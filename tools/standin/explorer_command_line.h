#pragma once

#include <string>
#include <vector>

namespace quorvel::standin {

// What EXPLORER.EXE was given after its own name. Windows hands a program its command line
// whole, and the Explorer reads all of it after its name as one path, blanks and all, as a
// profile's name may have them: so does this one there. Elsewhere the arguments as they came.
std::vector<std::string> ExplorerCommandLine(std::vector<std::string> args);

}  // namespace quorvel::standin
