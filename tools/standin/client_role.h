#pragma once

#include <string>

#include "client_kind.h"
#include "platform/data_locations.h"

namespace quorvel::standin {

// `quorvel-standin client mail|news`: shows the client window until it is closed or the
// process gets SIGTERM; returns the exit status.
//   QUORVEL_SHOW                 3 maximized and active, 4 normal size without taking focus
//   QUORVEL_STANDIN_READY_FILE   once running, "PID mail" or "PID news" is written there, so
//                                that tests know the client is up and which one it is
//   QUORVEL_STANDIN_EXIT_AFTER_MS  closes by itself that long after it is running (for tests)
int RunClient(int& argc, char** argv, ClientKind client, const std::string& junction,
              const platform::EnvironmentLookup& environment);

}  // namespace quorvel::standin
