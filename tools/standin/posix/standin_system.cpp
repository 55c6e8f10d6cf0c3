#include "standin_system.h"

#include <filesystem>

#include "registry/sqlite/sqlite_hive.h"

namespace quorvel::standin {

std::string StoreName(const platform::EnvironmentLookup& environment) {
    return platform::RegistryStorePath(environment);
}

bool StoreExists(const platform::EnvironmentLookup& environment) {
    std::error_code ignored;
    return std::filesystem::exists(platform::RegistryStorePath(environment), ignored);
}

StandinSystem OpenStandinSystem(const platform::EnvironmentLookup& environment) {
    const std::string storePath = platform::RegistryStorePath(environment);
    return {std::make_unique<registry::SqliteHive>(storePath),
            std::make_unique<platform::EnvironmentSystemFolders>(environment), storePath};
}

}  // namespace quorvel::standin
