#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "client_start.h"
#include "self_executable.h"

namespace quorvel::standin {

// The process is replaced by the stand-in under its own name: run as EXPLORER.EXE, it would
// take itself for the Explorer again.
int StartClient(int&, char**, const ExplorerTarget& target, const platform::EnvironmentLookup&,
                std::ostream& err) {
    std::string self = SelfExecutablePath();
    if (self.empty()) {
        self = "quorvel-standin";
    }
    std::string role = "client";
    std::string word(ClientWord(target.client));
    std::string rootOption = "--root";
    std::string junction = target.junction;
    char* const argv[] = {self.data(),       role.data(),     word.data(),
                          rootOption.data(), junction.data(), nullptr};
    ::execv("/proc/self/exe", argv);
    err << "EXPLORER.EXE: cannot start " << ClientTitle(target.client) << ": "
        << std::strerror(errno) << "\n";
    return 1;
}

}  // namespace quorvel::standin
