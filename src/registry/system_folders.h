#pragma once

#include <optional>
#include <string>

namespace quorvel::registry {

// Where the operating system keeps its own folder: GetWindowsDirectory on Windows, the
// configured stand-in folder on Linux.
class SystemFolders {
  public:
    virtual ~SystemFolders() = default;
    // The folder as the system call hands it over (it may carry a trailing NUL and padding);
    // nullopt when the call fails.
    virtual std::optional<std::string> windowsDirectory() const = 0;
};

}  // namespace quorvel::registry
