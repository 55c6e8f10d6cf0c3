#include "platform/local_file_system.h"

#include <windows.h>
// windows.h maps these names to CopyFileA and DeleteFileA, which would rename our methods.
#undef CopyFile
#undef DeleteFile

#include "platform/atomic_file.h"

namespace quorvel::platform {
namespace {

using profiles::FileFault;

// The Basic-style error a file operation of the original program reported for a system error.
profiles::FileError FileErrorFromSystem(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return profiles::MakeFileError(FileFault::FileNotFound);
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return profiles::MakeFileError(FileFault::PathNotFound);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return profiles::MakeFileError(FileFault::PermissionDenied);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return profiles::MakeFileError(FileFault::DiskFull);
        case ERROR_TOO_MANY_OPEN_FILES:
            return profiles::MakeFileError(FileFault::TooManyFiles);
        default:
            return profiles::MakeFileError(FileFault::DeviceIo);
    }
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The whole file, or the system error that stopped the read.
std::variant<std::string, profiles::FileError> ReadWhole(const std::string& path) {
    // Opening a folder would fail with "access denied", which is not what the user needs to
    // hear.
    if (IsFolder(path)) {
        return profiles::MakeFileError(FileFault::PathFileAccess);
    }
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return FileErrorFromSystem(GetLastError());
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD count = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &count, nullptr)) {
            const DWORD error = GetLastError();
            CloseHandle(file);
            return FileErrorFromSystem(error);
        }
        if (count == 0) {
            break;
        }
        bytes.append(buffer, count);
    }
    CloseHandle(file);
    return bytes;
}

std::optional<profiles::FileError> WriteWhole(const std::string& path, std::string_view bytes) {
    if (WriteFileAtomically(path,
                            {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()})
            .empty()) {
        return std::nullopt;
    }
    return FileErrorFromSystem(GetLastError());
}

}  // namespace

std::variant<std::string, profiles::FileError> LocalFileSystem::ReadFile(const std::string& path) {
    return ReadWhole(path);
}

std::optional<profiles::FileError> LocalFileSystem::WriteFile(const std::string& path,
                                                              std::string_view bytes) {
    return WriteWhole(path, bytes);
}

std::optional<profiles::FileError> LocalFileSystem::DeleteFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) {
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return std::nullopt;
    }
    return FileErrorFromSystem(error);
}

std::string LocalFileSystem::JoinPath(std::string_view folder, std::string_view name) const {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') {
        path += '\\';
    }
    path += name;
    return path;
}

bool LocalFileSystem::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<profiles::FileError> LocalFileSystem::CopyFile(const std::string& from,
                                                             const std::string& to) {
    // Read whole, then written whole beside the destination and renamed over it: a copy that
    // fails half-way leaves the old copy as it was.
    auto bytes = ReadWhole(from);
    if (const auto* error = std::get_if<profiles::FileError>(&bytes)) {
        return *error;
    }
    return WriteWhole(to, std::get<std::string>(bytes));
}

}  // namespace quorvel::platform
