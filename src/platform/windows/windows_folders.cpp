#include "platform/windows_folders.h"

#include <windows.h>

namespace quorvel::platform {

std::optional<std::string> WindowsSystemFolders::windowsDirectory() const {
    std::string buffer(255, '\0');
    if (GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size())) == 0) {
        return std::nullopt;
    }
    return buffer;
}

}  // namespace quorvel::platform
