#include "client_start.h"
#include "client_role.h"

namespace quorvel::standin {

// Windows has no exec that keeps the process: the Explorer becomes the client where it stands.
int StartClient(int& argc, char** argv, const ExplorerTarget& target,
                const platform::EnvironmentLookup& environment, std::ostream&) {
    return RunClient(argc, argv, target.client, target.junction, environment);
}

}  // namespace quorvel::standin
