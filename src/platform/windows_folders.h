#pragma once

#include <optional>
#include <string>

#include "registry/system_folders.h"

namespace quorvel::platform {

// GetWindowsDirectoryA into a 255-byte buffer, handed over whole: the folder, its NUL and the
// zeros after it.
class WindowsSystemFolders final : public registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override;
};

}  // namespace quorvel::platform
