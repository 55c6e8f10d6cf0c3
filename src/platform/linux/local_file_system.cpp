#include "platform/local_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/atomic_file.h"

namespace quorvel::platform {
namespace {

using profiles::FileFault;

profiles::FileError FileErrorFromErrno(int error) {
    switch (error) {
        case ENOENT:
            return profiles::MakeFileError(FileFault::FileNotFound);
        case ENOTDIR:
            return profiles::MakeFileError(FileFault::PathNotFound);
        case EACCES:
        case EPERM:
            return profiles::MakeFileError(FileFault::PermissionDenied);
        case ENOSPC:
        case EDQUOT:
            return profiles::MakeFileError(FileFault::DiskFull);
        case EROFS:
        case EISDIR:
            return profiles::MakeFileError(FileFault::PathFileAccess);
        case EMFILE:
        case ENFILE:
            return profiles::MakeFileError(FileFault::TooManyFiles);
        default:
            return profiles::MakeFileError(FileFault::DeviceIo);
    }
}

// The whole file, or the error that stopped the read. A folder opens like a file here and
// fails only at its first read; it is refused up front, as Windows refuses it.
std::variant<std::string, profiles::FileError> ReadWhole(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return FileErrorFromErrno(errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return FileErrorFromErrno(EISDIR);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int readErrno = errno;
            ::close(fd);
            return FileErrorFromErrno(readErrno);
        }
        if (count == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return bytes;
}

}  // namespace

std::variant<std::string, profiles::FileError> LocalFileSystem::ReadFile(const std::string& path) {
    return ReadWhole(path);
}

std::optional<profiles::FileError> LocalFileSystem::WriteFile(const std::string& path,
                                                              std::string_view bytes) {
    errno = 0;
    const std::string failure = WriteFileAtomically(
        path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    if (failure.empty()) {
        return std::nullopt;
    }
    return FileErrorFromErrno(errno != 0 ? errno : EIO);
}

std::optional<profiles::FileError> LocalFileSystem::DeleteFile(const std::string& path) {
    // unlink rather than remove: a folder in the file's place is not deleted with it.
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) {
        return std::nullopt;
    }
    return FileErrorFromErrno(errno);
}

std::string LocalFileSystem::JoinPath(std::string_view folder, std::string_view name) const {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

bool LocalFileSystem::FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::optional<profiles::FileError> LocalFileSystem::CopyFile(const std::string& from,
                                                             const std::string& to) {
    auto read = ReadWhole(from);
    if (auto* error = std::get_if<profiles::FileError>(&read)) {
        return *error;
    }
    const std::string& bytes = std::get<std::string>(read);
    // The copy a profile's client was started from last time is usually still there: leaving an
    // identical file alone spares the two flushes of a rewrite on every start.
    if (const auto existing = ReadFile(to);
        std::holds_alternative<std::string>(existing) && std::get<std::string>(existing) == bytes) {
        return std::nullopt;
    }
    errno = 0;
    if (WriteFileAtomically(to, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()})
            .empty()) {
        return std::nullopt;
    }
    // The source has been read, so a missing name can only be the destination's folder.
    if (errno == ENOENT) {
        return profiles::MakeFileError(FileFault::PathNotFound);
    }
    return FileErrorFromErrno(errno != 0 ? errno : EIO);
}

}  // namespace quorvel::platform
