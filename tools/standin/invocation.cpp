#include "invocation.h"

#include "no_case.h"

namespace quorvel::standin {
namespace {

std::string_view BaseName(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

Invocation Invalid(std::string error) {
    Invocation invocation;
    invocation.error = std::move(error);
    return invocation;
}

Invocation Explorer(std::vector<std::string> args, bool byName = false) {
    Invocation invocation;
    invocation.role = Invocation::Role::Explorer;
    invocation.explorerByName = byName;
    invocation.explorerArgs = std::move(args);
    return invocation;
}

Invocation Install(const std::vector<std::string>& args) {
    Invocation invocation;
    invocation.role = Invocation::Role::Install;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--demo") {
            invocation.demo = true;
        } else {
            return Invalid("install: unknown option \"" + args[i] + "\"");
        }
    }
    return invocation;
}

Invocation Client(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        return Invalid("client: say which one, mail or news");
    }
    const auto kind = ClientFromWord(args[1]);
    if (!kind) {
        return Invalid("client: \"" + args[1] + "\" is neither mail nor news");
    }
    Invocation invocation;
    invocation.role = Invocation::Role::Client;
    invocation.client = *kind;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--root" && i + 1 < args.size()) {
            invocation.root = args[++i];
        } else {
            return Invalid("client: unknown option \"" + args[i] + "\"");
        }
    }
    return invocation;
}

}  // namespace

Invocation ParseInvocation(std::string_view argv0, const std::vector<std::string>& args) {
    if (LowerCase(BaseName(argv0)) == "explorer.exe") {
        return Explorer(args, true);
    }
    if (args.empty()) {
        return Invalid("no role given");
    }
    const std::string first = LowerCase(args.front());
    if (first == "explorer") {
        return Explorer({args.begin() + 1, args.end()});
    }
    if (first.starts_with("/root,")) {
        return Explorer(args);
    }
    if (first == "install") {
        return Install(args);
    }
    if (first == "client") {
        return Client(args);
    }
    if (first == "help" || first == "--help" || first == "-h") {
        Invocation invocation;
        invocation.role = Invocation::Role::Help;
        return invocation;
    }
    return Invalid("unknown role \"" + args.front() + "\"");
}

std::string_view UsageText() {
    return "Usage:\n"
           "  quorvel-standin install [--demo]     set up the Windows directory and the help\n"
           "                                       browser; --demo adds a sample client setup\n"
           "  EXPLORER.EXE /root,PATH              start the client a junction file names\n"
           "  quorvel-standin explorer /root,PATH  the same, under this name\n"
           "  quorvel-standin client mail|news     the stand-in Internet Mail or News window\n"
           "Environment: QUORVEL_REGISTRY (the store), QUORVEL_WINDIR (the Windows directory),\n"
           "QUORVEL_SHOW (3 maximized, 4 without taking focus).\n";
}

}  // namespace quorvel::standin
