#pragma once

#include <string>
#include <vector>

#include "client_kind.h"
#include "platform/data_locations.h"
#include "settings_view.h"

namespace quorvel::standin {

// Everything the client window shows, taken once at start-up.
struct ClientSnapshot {
    std::vector<Section> sections;
    std::string profile;  // "Current Profile", "" when none was applied
    std::string error;    // why nothing could be read; sections are empty then
    std::string storePath;
};

// Reads the client's keys from the store the environment names. A store that does not exist is
// not created: the client only reads, and a missing store is worth telling, not hiding.
ClientSnapshot TakeSnapshot(ClientKind client, const platform::EnvironmentLookup& environment);

}  // namespace quorvel::standin
