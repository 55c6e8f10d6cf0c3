#include <windows.h>

#include <string>

#include "explorer_command_line.h"

namespace quorvel::standin {

std::vector<std::string> ExplorerCommandLine(std::vector<std::string>) {
    const std::string line = GetCommandLineA();
    constexpr const char* kBlanks = " \t";
    std::size_t at = line.find_first_not_of(kBlanks);
    if (at == std::string::npos) {
        return {};
    }
    // The program's own name, quoted or not.
    if (line[at] == '"') {
        const auto close = line.find('"', at + 1);
        at = close == std::string::npos ? line.size() : close + 1;
    } else {
        at = line.find_first_of(kBlanks, at);
    }
    at = at == std::string::npos ? std::string::npos : line.find_first_not_of(kBlanks, at);
    if (at == std::string::npos) {
        return {};
    }
    // Quotes may wrap the whole or the path alone (/root,"C:\a b"); no path has one in it.
    std::string rest = line.substr(at, line.find_last_not_of(kBlanks) + 1 - at);
    std::erase(rest, '"');
    return {rest};
}

}  // namespace quorvel::standin
