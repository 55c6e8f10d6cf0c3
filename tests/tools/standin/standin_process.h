#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace quorvel::testing {

inline std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Polls `done` every 10 ms; false when it is still not true after `timeout`.
template <typename Done>
bool Await(Done done, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// quorvel-standin (or a link to it) started as its own process, with an environment chosen
// whole, so that the store and the Windows directory are the test's and never the user's.
class StandinProcess {
  public:
    StandinProcess(const TempDir& dir, const std::string& program,
                   const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& extraEnvironment = {})
        : errFile_(dir.file("stderr")) {
        std::map<std::string, std::string> env{{"PATH", "/usr/bin:/bin"},
                                               {"HOME", dir.path().string()},
                                               {"XDG_RUNTIME_DIR", dir.path().string()},
                                               {"QT_QPA_PLATFORM", "offscreen"},
                                               {"QUORVEL_REGISTRY", dir.file("registry.db")},
                                               {"QUORVEL_WINDIR", dir.file("windows")}};
        for (const auto& [name, value] : extraEnvironment) {
            env[name] = value;
        }
        std::vector<std::string> envText;
        for (const auto& [name, value] : env) {
            envText.push_back(name + "=" + value);
        }
        std::vector<std::string> argvText{program};
        argvText.insert(argvText.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& arg : argvText) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& entry : envText) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);

        // Unwritten output would otherwise be written a second time by the child.
        std::fflush(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            if (!std::freopen("/dev/null", "w", stdout) ||
                !std::freopen(errFile_.c_str(), "w", stderr)) {
                ::_exit(126);
            }
            ::execve(program.c_str(), argv.data(), envp.data());
            ::_exit(127);
        }
    }
    ~StandinProcess() {
        if (!exit_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    StandinProcess(const StandinProcess&) = delete;
    StandinProcess& operator=(const StandinProcess&) = delete;

    pid_t pid() const { return pid_; }
    std::string err() const { return ReadText(errFile_); }

    // The exit status, or 128 + the signal's number; nullopt while it still runs at `timeout`.
    std::optional<int> wait(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        Await(
            [this] {
                int status = 0;
                if (!exit_ && ::waitpid(pid_, &status, WNOHANG) == pid_) {
                    exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                }
                return exit_.has_value();
            },
            timeout);
        return exit_;
    }

  private:
    std::string errFile_;
    pid_t pid_ = -1;
    std::optional<int> exit_;
};

}  // namespace quorvel::testing
