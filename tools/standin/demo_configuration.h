#pragma once

#include <ostream>
#include <string>

#include "registry/registry.h"

namespace quorvel::standin {

// A sample setup of the client, so that the program has something to make its first profile
// from on a machine that never had the real client. The client counts as set up once its Mail
// key names a sender; then nothing is written. Otherwise only values that are missing are
// written: whatever the client's keys already hold stays as it is.
// Reports one line; false when a write failed.
bool WriteDemoConfiguration(registry::Registry& reg, const std::string& windowsDir,
                            std::ostream& out);

}  // namespace quorvel::standin
