#include "self_executable.h"

#include <filesystem>
#include <system_error>

namespace quorvel::standin {

std::string SelfExecutablePath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

}  // namespace quorvel::standin
