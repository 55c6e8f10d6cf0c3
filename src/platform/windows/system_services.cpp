#include "platform/system_services.h"

#include "platform/instance_mutex.h"
#include "platform/system_clock.h"
#include "platform/windows_folders.h"
#include "platform/windows_processes.h"
#include "registry/win32/win32_hive.h"

namespace quorvel::platform {

// The registry and the Windows directory themselves; Windows raises a task's window on its own.
SystemServices MakeSystemServices() {
    SystemServices services;
    services.hive = std::make_unique<registry::Win32Hive>();
    services.processes = std::make_unique<WindowsProcesses>();
    services.instance = std::make_unique<InstanceMutex>(InstanceMutex::kProgramMutex);
    services.folders = std::make_unique<WindowsSystemFolders>();
    services.files = std::make_unique<LocalFileSystem>();
    services.clock = std::make_unique<SystemClock>();
    return services;
}

}  // namespace quorvel::platform
