#include "explorer_role.h"

#include <filesystem>

#include "append_line.h"
#include "no_case.h"

namespace quorvel::standin {
namespace {

constexpr std::string_view kRootSwitch = "/root,";

std::string CallLine(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& arg : args) {
        line += line.empty() ? "" : " ";
        line += arg;
    }
    return line + '\n';
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
                const platform::EnvironmentLookup& environment, std::ostream& err,
                const std::function<int(const ExplorerTarget&)>& startClient) {
    if (const auto logFile = environment("QUORVEL_EXPLORER_LOG"); logFile && !logFile->empty()) {
        AppendLine(*logFile, CallLine(args));
    }
    const auto start = ResolveExplorerStart(args, [](const std::string& path) {
        std::error_code ignored;
        return std::filesystem::exists(path, ignored);
    });
    if (const auto* error = std::get_if<std::string>(&start)) {
        err << "EXPLORER.EXE: " << *error << "\n";
        return 1;
    }
    return startClient(std::get<ExplorerTarget>(start));
}

}  // namespace quorvel::standin
