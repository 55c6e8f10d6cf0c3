#pragma once

#include <ostream>

#include "explorer_role.h"

namespace quorvel::standin {

// Runs the client the Explorer was asked for in this very process, so that the process id the
// program got from starting EXPLORER.EXE is the client's. Returns the exit status.
int StartClient(int& argc, char** argv, const ExplorerTarget& target,
                const platform::EnvironmentLookup& environment, std::ostream& err);

}  // namespace quorvel::standin
