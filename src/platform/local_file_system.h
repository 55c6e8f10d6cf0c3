#pragma once

#include "app/platform.h"
#include "profiles/file_system.h"

namespace quorvel::platform {

// The program's files on the local disk, and the client's start files it copies; writes go
// through a temporary file and a rename.
class LocalFileSystem final : public profiles::FileSystem, public app::ClientFiles {
  public:
    std::variant<std::string, profiles::FileError> ReadFile(const std::string& path) override;
    std::optional<profiles::FileError> WriteFile(const std::string& path,
                                                 std::string_view bytes) override;
    std::optional<profiles::FileError> DeleteFile(const std::string& path) override;
    std::string JoinPath(std::string_view folder, std::string_view name) const override;

    // A directory is not a file.
    bool FileExists(const std::string& path) override;
    std::optional<profiles::FileError> CopyFile(const std::string& from,
                                                const std::string& to) override;
};

}  // namespace quorvel::platform
