#include "platform/linux_processes.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

namespace quorvel::platform {
namespace {

// Frees the spawn attributes and file actions on every way out of Start.
class SpawnSetup {
  public:
    SpawnSetup() {
        attributesReady_ = ::posix_spawnattr_init(&attributes_) == 0;
        actionsReady_ = ::posix_spawn_file_actions_init(&actions_) == 0;
    }
    ~SpawnSetup() {
        if (actionsReady_) {
            ::posix_spawn_file_actions_destroy(&actions_);
        }
        if (attributesReady_) {
            ::posix_spawnattr_destroy(&attributes_);
        }
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // The child gets its own session (so it outlives us and our terminal), a clean signal
    // state, stdin from /dev/null and none of our descriptors beyond stdout and stderr.
    int Prepare() {
        if (!attributesReady_ || !actionsReady_) {
            return ENOMEM;
        }
        // A handler or block the program installed (for SIGTERM, say) must not carry over:
        // an inherited SIGTERM block or ignore would make the client deaf to being closed.
        sigset_t none;
        sigset_t all;
        ::sigemptyset(&none);
        ::sigfillset(&all);
        const short flags = POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
        if (int rc = ::posix_spawnattr_setflags(&attributes_, flags); rc != 0) {
            return rc;
        }
        if (int rc = ::posix_spawnattr_setsigmask(&attributes_, &none); rc != 0) {
            return rc;
        }
        if (int rc = ::posix_spawnattr_setsigdefault(&attributes_, &all); rc != 0) {
            return rc;
        }
        if (int rc = ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null",
                                                        O_RDONLY, 0);
            rc != 0) {
            return rc;
        }
#ifdef __GLIBC__
#if __GLIBC_PREREQ(2, 34)
        // A descriptor opened without O_CLOEXEC somewhere (by a library, say) would otherwise
        // stay open in the client for as long as it runs.
        if (int rc = ::posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);
            rc != 0) {
            return rc;
        }
#endif
#endif
        return 0;
    }

    const posix_spawnattr_t* attributes() const {
        return &attributes_;
    }
    const posix_spawn_file_actions_t* actions() const {
        return &actions_;
    }

  private:
    posix_spawnattr_t attributes_{};
    posix_spawn_file_actions_t actions_{};
    bool attributesReady_ = false;
    bool actionsReady_ = false;
};

// Our environment with the window style in it, for the child alone.
std::vector<char*> ChildEnvironment(std::string& showEntry, int windowStyle) {
    const std::string prefix = std::string(LinuxProcesses::kShowVariable) + "=";
    showEntry = prefix + std::to_string(windowStyle);
    std::vector<char*> environment;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        if (std::string_view(*entry).starts_with(prefix)) {
            continue;
        }
        environment.push_back(*entry);
    }
    environment.push_back(showEntry.data());
    environment.push_back(nullptr);
    return environment;
}

bool IsProcessId(app::TaskId task) {
    // 0 and negative numbers name process groups or every process to kill(2): never a task.
    return task > 0 && task <= std::numeric_limits<pid_t>::max();
}

// The process's state letter from /proc ('R', 'S', 'Z' ...), or 0 when it cannot be read.
char ProcessState(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    // The command name in parentheses may itself hold blanks and ')'; the state follows the
    // last ')'.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size()) {
        return 0;
    }
    return stat[close + 2];
}

}  // namespace

app::TaskId LinuxProcesses::Start(const std::string& program, const std::string& argument,
                                  int windowStyle, std::string& error) {
    ReapEndedChildren();
    error.clear();
    SpawnSetup setup;
    if (int rc = setup.Prepare(); rc != 0) {
        error = program + ": " + std::strerror(rc);
        return 0;
    }
    std::string programCopy = program;
    std::string argumentCopy = argument;
    char* const arguments[] = {programCopy.data(), argumentCopy.data(), nullptr};
    std::string showEntry;
    const std::vector<char*> environment = ChildEnvironment(showEntry, windowStyle);

    // posix_spawn reports a failed exec itself (it waits until the child has exec'd), so a
    // missing or unusable program is known here rather than as a child that dies at once.
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, programCopy.c_str(), setup.actions(), setup.attributes(),
                                 arguments, environment.data());
    if (rc != 0) {
        error = program + ": " + std::strerror(rc);
        return 0;
    }
    running_.insert(pid);
    ended_.erase(pid);
    return pid;
}

bool LinuxProcesses::Activate(app::TaskId task) {
    ReapEndedChildren();
    // A failed activation leaves nothing active, so a following Alt+F4 cannot reach a task the
    // caller no longer means.
    active_ = IsAlive(task) ? task : 0;
    if (active_ != 0 && raiser_ != nullptr) {
        raiser_->RaiseWindowOf(active_);
    }
    return active_ != 0;
}

bool LinuxProcesses::SendKeys(std::string_view keys) {
    ReapEndedChildren();
    if (!app::IsAltF4(keys) || !IsAlive(active_)) {
        return false;
    }
    return ::kill(static_cast<pid_t>(active_), SIGTERM) == 0;
}

void LinuxProcesses::ReapEndedChildren() {
    for (auto it = running_.begin(); it != running_.end();) {
        int status = 0;
        const pid_t result = ::waitpid(static_cast<pid_t>(*it), &status, WNOHANG);
        // ECHILD: someone else collected it, or SIGCHLD is ignored and the kernel did; either
        // way it has ended.
        if (result == *it || (result < 0 && errno == ECHILD)) {
            ended_.insert(*it);
            it = running_.erase(it);
        } else {
            ++it;
        }
    }
}

bool LinuxProcesses::IsAlive(app::TaskId task) {
    if (!IsProcessId(task)) {
        return false;
    }
    if (running_.contains(task)) {
        return true;
    }
    // Once our child has ended its number may be handed to an unrelated process.
    if (ended_.contains(task)) {
        return false;
    }
    // Not started by us: it lives if we may signal it and it is not a zombie waiting for its
    // parent. A process of another user (EPERM) could neither be raised nor closed.
    const auto pid = static_cast<pid_t>(task);
    return ::kill(pid, 0) == 0 && ProcessState(pid) != 'Z';
}

}  // namespace quorvel::platform
