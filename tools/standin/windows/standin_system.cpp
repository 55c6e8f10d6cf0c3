#include "standin_system.h"

#include "platform/windows_folders.h"
#include "registry/win32/win32_hive.h"

namespace quorvel::standin {

std::string StoreName(const platform::EnvironmentLookup&) {
    return "the Windows registry";
}

bool StoreExists(const platform::EnvironmentLookup&) {
    return true;
}

StandinSystem OpenStandinSystem(const platform::EnvironmentLookup& environment) {
    return {std::make_unique<registry::Win32Hive>(),
            std::make_unique<platform::WindowsSystemFolders>(), StoreName(environment)};
}

}  // namespace quorvel::standin
