#include "platform/data_locations.h"

namespace quorvel::platform {
namespace {

std::optional<std::string> NonEmpty(const EnvironmentLookup& environment, const char* name) {
    auto value = environment(name);
    if (value && value->empty()) {
        return std::nullopt;
    }
    return value;
}

// $XDG_DATA_HOME, or ~/.local/share as the XDG rules say; "." when even HOME is unknown.
std::string DataHome(const EnvironmentLookup& environment) {
    if (auto home = NonEmpty(environment, "XDG_DATA_HOME")) {
        return *home;
    }
    if (auto home = NonEmpty(environment, "HOME")) {
        return *home + "/.local/share";
    }
    return ".";
}

}  // namespace

std::string RegistryStorePath(const EnvironmentLookup& environment) {
    if (auto path = NonEmpty(environment, "QUORVEL_REGISTRY")) {
        return *path;
    }
    return DataHome(environment) + "/quorvel/registry.db";
}

std::string WindowsDirectoryPath(const EnvironmentLookup& environment) {
    if (auto path = NonEmpty(environment, "QUORVEL_WINDIR")) {
        return *path;
    }
    return DataHome(environment) + "/quorvel/windows";
}

std::optional<std::string> EnvironmentSystemFolders::windowsDirectory() const {
    return WindowsDirectoryPath(environment_);
}

}  // namespace quorvel::platform
