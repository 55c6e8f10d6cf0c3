// quorvel-standin: what Windows and the mail client would provide, in one program whose role
// is chosen by its name and first argument.
#include <iostream>
#include <string>
#include <vector>

#include "client_role.h"
#include "client_start.h"
#include "explorer_command_line.h"
#include "explorer_role.h"
#include "install.h"
#include "invocation.h"
#include "self_executable.h"

int main(int argc, char** argv) {
    using namespace quorvel::standin;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const Invocation invocation = ParseInvocation(argc > 0 ? argv[0] : "", args);
    const auto environment = quorvel::platform::SystemEnvironment();
    switch (invocation.role) {
        case Invocation::Role::Install:
            return RunInstall({invocation.demo, SelfExecutablePath()}, environment, std::cout,
                              std::cerr);
        case Invocation::Role::Explorer:
            return RunExplorer(invocation.explorerByName
                                   ? ExplorerCommandLine(invocation.explorerArgs)
                                   : invocation.explorerArgs,
                               environment, std::cerr, [&](const ExplorerTarget& target) {
                                   return StartClient(argc, argv, target, environment, std::cerr);
                               });
        case Invocation::Role::Client:
            return RunClient(argc, argv, invocation.client, invocation.root, environment);
        case Invocation::Role::Help:
            std::cout << UsageText();
            return 0;
        case Invocation::Role::Invalid:
            break;
    }
    std::cerr << "quorvel-standin: " << invocation.error << "\n" << UsageText();
    return 1;
}
