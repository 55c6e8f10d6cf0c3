#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quorvel::profiles {

// A failed file operation as the user is told of it: a Basic-style error number (53 "File not
// found", 70 "Permission denied", 61 "Disk full", 76 "Path not found", 57 "Device I/O error" ...)
// and its description.
struct FileError {
    int number = 0;
    std::string description;
};

// The file errors the program reports, by their Basic numbers. Each system maps its own error
// codes onto these.
enum class FileFault {
    FileNotFound = 53,
    DeviceIo = 57,
    DiskFull = 61,
    TooManyFiles = 67,
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,
};

// The fault with its number and Basic's text for it.
FileError MakeFileError(FileFault fault);

// The files the program reads and writes itself (the hosts file and the user's named hosts
// file). Writes are whole or nothing: a temporary file renamed into place.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual std::variant<std::string, FileError> ReadFile(const std::string& path) = 0;
    virtual std::optional<FileError> WriteFile(const std::string& path, std::string_view bytes) = 0;
    // Deleting a file that is not there is no error.
    virtual std::optional<FileError> DeleteFile(const std::string& path) = 0;
    // `folder` and `name` joined with the platform's separator.
    virtual std::string JoinPath(std::string_view folder, std::string_view name) const = 0;
};

}  // namespace quorvel::profiles
