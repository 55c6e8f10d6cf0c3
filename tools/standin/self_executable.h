#pragma once

#include <string>

namespace quorvel::standin {

// The absolute path of the running executable with links resolved (/proc/self/exe), so that
// a start through the EXPLORER.EXE link still finds the real program. "" when it is unknown.
std::string SelfExecutablePath();

}  // namespace quorvel::standin
