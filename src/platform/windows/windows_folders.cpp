#include "platform/windows_folders.h"

#include <windows.h>

#include <cstdlib>

namespace quorvel::platform {

// QUORVEL_WINDIR, when set, names a folder to use in the Windows directory's place: for tests,
// and for a portable setup with the stand-in client, whose files go there.
std::optional<std::string> WindowsSystemFolders::windowsDirectory() const {
    if (const char* chosen = std::getenv("QUORVEL_WINDIR"); chosen != nullptr && *chosen != '\0') {
        return std::string(chosen);
    }
    std::string buffer(255, '\0');
    if (GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size())) == 0) {
        return std::nullopt;
    }
    return buffer;
}

}  // namespace quorvel::platform
