#pragma once

#include <functional>
#include <optional>
#include <string>

#include "registry/system_folders.h"

namespace quorvel::platform {

// Reads one environment variable; nullopt when it is not set. Passed in so that tests decide
// what the environment holds.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The process's real environment.
EnvironmentLookup SystemEnvironment();

// The registry store: $QUORVEL_REGISTRY, or <data home>/quorvel/registry.db.
std::string RegistryStorePath(const EnvironmentLookup& environment);

// The folder that stands in for the Windows directory: $QUORVEL_WINDIR, or
// <data home>/quorvel/windows.
std::string WindowsDirectoryPath(const EnvironmentLookup& environment);

// GetWindowsDirectory for the registry layer, answered from the environment.
class EnvironmentSystemFolders final : public registry::SystemFolders {
  public:
    explicit EnvironmentSystemFolders(EnvironmentLookup environment)
        : environment_(std::move(environment)) {}
    std::optional<std::string> windowsDirectory() const override;

  private:
    EnvironmentLookup environment_;
};

}  // namespace quorvel::platform
