#include <windows.h>

#include "client_role.h"
#include "client_start.h"

namespace quorvel::standin {

// Windows has no exec that keeps the process: the Explorer becomes the client where it stands.
// The window style comes as Windows hands it to a started program, not in QUORVEL_SHOW.
int StartClient(int& argc, char** argv, const ExplorerTarget& target,
                const platform::EnvironmentLookup& environment, std::ostream&) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const bool styled = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0;
    const auto lookup = [&](const char* name) -> std::optional<std::string> {
        if (styled && std::string_view(name) == "QUORVEL_SHOW") {
            return std::to_string(startup.wShowWindow);
        }
        return environment(name);
    };
    return RunClient(argc, argv, target.client, target.junction, lookup);
}

}  // namespace quorvel::standin
