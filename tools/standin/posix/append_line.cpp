#include "append_line.h"

#include <fcntl.h>
#include <unistd.h>

namespace quorvel::standin {

void AppendLine(const std::string& file, const std::string& line) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    [[maybe_unused]] const auto ignored = ::write(fd, line.data(), line.size());
    ::close(fd);
}

}  // namespace quorvel::standin
