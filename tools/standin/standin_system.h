#pragma once

#include <memory>
#include <string>

#include "platform/data_locations.h"
#include "registry/hive.h"
#include "registry/system_folders.h"

namespace quorvel::standin {

// The registry the stand-in reads and writes and where the Windows directory is: on Windows the
// system's registry and directory (or QUORVEL_WINDIR), elsewhere the program's own store and the
// folder that stands in for the directory.
struct StandinSystem {
    std::unique_ptr<registry::Hive> hive;
    std::unique_ptr<registry::SystemFolders> folders;
    std::string storeName;  // as messages name the store
};

// The store's name for messages, and whether there is a store to read at all: the client only
// reads, and a store that is missing is worth telling, not creating.
std::string StoreName(const platform::EnvironmentLookup& environment);
bool StoreExists(const platform::EnvironmentLookup& environment);

// Opens the store; throws registry::StoreError when it cannot be used.
StandinSystem OpenStandinSystem(const platform::EnvironmentLookup& environment);

}  // namespace quorvel::standin
