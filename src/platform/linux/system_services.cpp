#include "platform/system_services.h"

#include "platform/data_locations.h"
#include "platform/instance_lock.h"
#include "platform/linux_processes.h"
#include "platform/system_clock.h"
#include "registry/sqlite/sqlite_hive.h"

namespace quorvel::platform {

SystemServices MakeSystemServices() {
    const EnvironmentLookup environment = SystemEnvironment();
    const std::string storePath = RegistryStorePath(environment);
    SystemServices services;
    // First: a store that cannot be opened ends the program before anything else is set up.
    services.hive = std::make_unique<registry::SqliteHive>(storePath);
    services.raiser = std::make_unique<X11WindowRaiser>();
    services.processes = std::make_unique<LinuxProcesses>(services.raiser.get());
    // One instance per store, as a second store is a second user's.
    services.instance = std::make_unique<InstanceLock>(storePath + ".lock");
    services.folders = std::make_unique<EnvironmentSystemFolders>(environment);
    services.files = std::make_unique<LocalFileSystem>();
    services.clock = std::make_unique<SystemClock>();
    return services;
}

}  // namespace quorvel::platform
