#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>

namespace quorvel::platform {
namespace {

std::string Failure(const std::string& what, const std::string& path) {
    return what + " \"" + path + "\": " + std::strerror(errno);
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// A writer killed between creating its temporary file and renaming it leaves the temporary
// behind, in the user's own folder. The next write of the same file clears those old enough to
// belong to no writer still at work.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    constexpr auto kAbandoned = std::chrono::minutes(1);
    const std::string prefix = "." + name + ".";
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    // Stepped with the non-throwing increment: a folder that changes or goes while it is read
    // must not end the write (a range-for's increment throws).
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string file = it->path().filename().string();
        if (file.size() == prefix.size() + 6 && file.starts_with(prefix) &&
            it->is_regular_file(error) && now - it->last_write_time(error) > kAbandoned) {
            fs::remove(it->path(), error);
        }
        error.clear();
    }
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::filesystem::path target(path);
    const std::string folder =
        target.has_parent_path() ? target.parent_path().string() : std::string(".");
    RemoveStaleTemporaries(folder, target.filename().string());
    std::string temporary = folder + "/." + target.filename().string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return Failure("Cannot create a temporary file in", folder);
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    const std::string error = written ? std::string() : Failure("Cannot write", temporary);
    ::close(fd);
    if (!written) {
        ::unlink(temporary.c_str());
        errno = writeErrno;  // callers report the cause, not the clean-up's
        return error;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameErrno = errno;
        const std::string renameError = Failure("Cannot replace", path);
        ::unlink(temporary.c_str());
        errno = renameErrno;
        return renameError;
    }
    // The rename itself must reach the disk too.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return "";
}

}  // namespace quorvel::platform
