#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "registry/hive.h"

namespace quorvel::regtool {

struct Console {
    std::istream& in;  // answers to "(Yes/No)?" questions
    std::ostream& out;
    std::ostream& err;  // one "ERROR: ..." line on failure
};

// Runs one reg.exe-style command (`args` without the program name) on `hive`.
// Returns the exit status: 0 on success, 1 on failure.
int RunRegTool(const std::vector<std::string>& args, registry::Hive& hive, Console& console);

}  // namespace quorvel::regtool
