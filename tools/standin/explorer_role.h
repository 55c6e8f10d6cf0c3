#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "client_kind.h"
#include "platform/data_locations.h"

namespace quorvel::standin {

struct ExplorerTarget {
    ClientKind client;
    std::string junction;  // the path after "/root,"
};

// Decides what `EXPLORER.EXE /root,PATH` starts: exactly one argument, "/root," (any case)
// then a path that exists and ends in a client's class identifier. The error text otherwise.
std::variant<ExplorerTarget, std::string> ResolveExplorerStart(
    const std::vector<std::string>& args, const std::function<bool(const std::string&)>& exists);

// Plays the Explorer: logs the call when QUORVEL_EXPLORER_LOG names a file, then has
// `startClient` run the client of the junction; returns the exit status.
int RunExplorer(const std::vector<std::string>& args,
                const platform::EnvironmentLookup& environment, std::ostream& err,
                const std::function<int(const ExplorerTarget&)>& startClient);

}  // namespace quorvel::standin
