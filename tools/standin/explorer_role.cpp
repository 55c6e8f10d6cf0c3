#include "explorer_role.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "no_case.h"
#include "self_executable.h"

namespace quorvel::standin {
namespace {

constexpr std::string_view kRootSwitch = "/root,";

// One write with O_APPEND, so that lines of clients started at the same moment never mix.
void LogCall(const std::string& logFile, const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& arg : args) {
        line += line.empty() ? "" : " ";
        line += arg;
    }
    line += '\n';
    const int fd = ::open(logFile.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    [[maybe_unused]] const auto ignored = ::write(fd, line.data(), line.size());
    ::close(fd);
}

}  // namespace

std::variant<ExplorerTarget, std::string> ResolveExplorerStart(
    const std::vector<std::string>& args, const std::function<bool(const std::string&)>& exists) {
    if (args.size() != 1) {
        return std::string("expects one argument, /root, followed by a path; got ") +
               std::to_string(args.size());
    }
    const std::string& argument = args.front();
    if (!StartsWithNoCase(argument, kRootSwitch)) {
        return "expects /root, followed by a path; got \"" + argument + "\"";
    }
    const std::string path = argument.substr(kRootSwitch.size());
    if (path.empty()) {
        return std::string("no path after /root,");
    }
    if (!exists(path)) {
        return "cannot find \"" + path + "\"";
    }
    const auto client = ClientFromJunctionPath(path);
    if (!client) {
        return "\"" + path + "\" does not end in the class identifier of Internet Mail or " +
               "Internet News";
    }
    return ExplorerTarget{*client, path};
}

int RunExplorer(const std::vector<std::string>& args,
                const platform::EnvironmentLookup& environment, std::ostream& err) {
    if (const auto logFile = environment("QUORVEL_EXPLORER_LOG"); logFile && !logFile->empty()) {
        LogCall(*logFile, args);
    }
    const auto start = ResolveExplorerStart(args, [](const std::string& path) {
        std::error_code ignored;
        return std::filesystem::exists(path, ignored);
    });
    if (const auto* error = std::get_if<std::string>(&start)) {
        err << "EXPLORER.EXE: " << *error << "\n";
        return 1;
    }
    const auto& target = std::get<ExplorerTarget>(start);
    // The client's own name must not be EXPLORER.EXE, or it would take itself for the Explorer.
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
