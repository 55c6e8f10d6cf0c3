#include "install.h"

#include <sstream>

#include "demo_configuration.h"
#include "help_browser.h"
#include "registry/registry.h"
#include "registry/store_error.h"
#include "standin_system.h"
#include "windows_folder.h"

namespace quorvel::standin {

int RunInstall(const InstallOptions& options, const platform::EnvironmentLookup& environment,
               std::ostream& out, std::ostream& err) {
    // The store is opened first so that a refused store stops the install before anything
    // else has changed.
    StandinSystem system;
    try {
        system = OpenStandinSystem(environment);
    } catch (const registry::StoreError& error) {
        err << "quorvel-standin: " << error.what() << "\n";
        return 1;
    }
    registry::Registry reg(*system.hive, *system.folders);
    // The folder the program will use as the Windows directory, as it reads it.
    const std::string windowsDir = reg.GetWinDir();
    std::string error;
    if (!PrepareWindowsFolder(windowsDir, options.self, out, error)) {
        err << "quorvel-standin: " << error << "\n";
        return 1;
    }
    // What the store part did is told only once it is stored.
    std::ostringstream stored;
    const auto transaction = reg.BeginTransaction();
    const bool written = RegisterHelpBrowser(reg, FindHelpBrowser(environment), stored) &&
                         (!options.demo || WriteDemoConfiguration(reg, windowsDir, stored));
    if (!written || !transaction->commit()) {
        err << "quorvel-standin: could not write to the registry store " << system.storeName
            << "; nothing was stored there\n";
        return 1;
    }
    out << stored.str() << "Registry store: " << system.storeName << "\n";
    return 0;
}

}  // namespace quorvel::standin
