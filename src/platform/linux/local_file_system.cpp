#include "platform/local_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/atomic_file.h"

namespace quorvel::platform {

profiles::FileError FileErrorFromErrno(int error) {
    switch (error) {
        case ENOENT:
            return {53, "File not found"};
        case ENOTDIR:
            return {76, "Path not found"};
        case EACCES:
        case EPERM:
            return {70, "Permission denied"};
        case ENOSPC:
        case EDQUOT:
            return {61, "Disk full"};
        case EROFS:
        case EISDIR:
            return {75, "Path/File access error"};
        case EMFILE:
        case ENFILE:
            return {67, "Too many files"};
        default:
            return {57, "Device I/O error"};
    }
}

std::variant<std::string, profiles::FileError> LocalFileSystem::ReadFile(const std::string& path) {
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return FileErrorFromErrno(errno != 0 ? errno : ENOENT);
    }
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return FileErrorFromErrno(errno != 0 ? errno : EIO);
    }
    return text;
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
    if (std::remove(path.c_str()) == 0 || errno == ENOENT) {
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
    const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return FileErrorFromErrno(errno);
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
        return profiles::FileError{76, "Path not found"};
    }
    return FileErrorFromErrno(errno != 0 ? errno : EIO);
}

}  // namespace quorvel::platform
