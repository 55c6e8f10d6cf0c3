#pragma once

#include <ostream>
#include <string>

#include "platform/data_locations.h"

namespace quorvel::standin {

struct InstallOptions {
    bool demo = false;
    std::string self;  // the program that EXPLORER.EXE is to run
};

// `quorvel-standin install [--demo]`: the Windows directory with the junction files and
// EXPLORER.EXE, the help browser, and with `demo` a sample client setup. Safe to run again.
// All store writes go in one transaction. Returns the exit status.
int RunInstall(const InstallOptions& options, const platform::EnvironmentLookup& environment,
               std::ostream& out, std::ostream& err);

}  // namespace quorvel::standin
