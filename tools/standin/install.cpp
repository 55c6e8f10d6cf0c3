#include "install.h"

#include <memory>
#include <sstream>

#include "demo_configuration.h"
#include "help_browser.h"
#include "registry/registry.h"
#include "registry/sqlite/sqlite_hive.h"
#include "registry/store_error.h"
#include "windows_folder.h"

namespace quorvel::standin {

int RunInstall(const InstallOptions& options, const platform::EnvironmentLookup& environment,
               std::ostream& out, std::ostream& err) {
    const std::string storePath = platform::RegistryStorePath(environment);
    const std::string windowsDir = platform::WindowsDirectoryPath(environment);
    // The store is opened first so that a refused store stops the install before anything
    // else has changed.
    std::unique_ptr<registry::SqliteHive> hive;
    try {
        hive = std::make_unique<registry::SqliteHive>(storePath);
    } catch (const registry::StoreError& error) {
        err << "quorvel-standin: " << error.what() << "\n";
        return 1;
    }
    std::string error;
    if (!PrepareWindowsFolder(windowsDir, options.self, out, error)) {
        err << "quorvel-standin: " << error << "\n";
        return 1;
    }
    const platform::EnvironmentSystemFolders folders(environment);
    registry::Registry reg(*hive, folders);
    // What the store part did is told only once it is stored.
    std::ostringstream stored;
    const auto transaction = reg.BeginTransaction();
    const bool written = RegisterHelpBrowser(reg, FindHelpBrowser(environment), stored) &&
                         (!options.demo || WriteDemoConfiguration(reg, windowsDir, stored));
    if (!written || !transaction->commit()) {
        err << "quorvel-standin: could not write to the registry store " << storePath
            << "; nothing was stored there\n";
        return 1;
    }
    out << stored.str() << "Registry store: " << storePath << "\n";
    return 0;
}

}  // namespace quorvel::standin
