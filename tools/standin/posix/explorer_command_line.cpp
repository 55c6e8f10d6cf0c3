#include "explorer_command_line.h"

namespace quorvel::standin {

std::vector<std::string> ExplorerCommandLine(std::vector<std::string> args) {
    return args;
}

}  // namespace quorvel::standin
