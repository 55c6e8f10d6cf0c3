#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace quorvel::testing {

// quorvel-standin started as its own process, as the program and users start it: with a
// small, fully chosen environment that points the store and the Windows directory into a test
// folder and never at the user's own.
class StandinProcess {
  public:
    struct Options {
        std::string program = QUORVEL_STANDIN_EXE;  // or the EXPLORER.EXE link
        std::vector<std::string> args;
        std::map<std::string, std::string> environment;  // added to the base environment
    };

    StandinProcess(const TempDir& dir, const Options& options)
        : outFile_(dir.file("stdout-" + std::to_string(++count_))),
          errFile_(dir.file("stderr-" + std::to_string(count_))) {
        std::map<std::string, std::string> env{
            {"PATH", "/usr/bin:/bin"},
            {"HOME", dir.path().string()},
            {"XDG_RUNTIME_DIR", dir.path().string()},
            {"QT_QPA_PLATFORM", "offscreen"},
            {"QUORVEL_REGISTRY", dir.file("registry.db")},
            {"QUORVEL_WINDIR", dir.file("windows")},
        };
        for (const auto& [name, value] : options.environment) {
            env[name] = value;
        }
        std::vector<std::string> envText;
        for (const auto& [name, value] : env) {
            envText.push_back(name + "=" + value);
        }
        std::vector<std::string> argvText{options.program};
        argvText.insert(argvText.end(), options.args.begin(), options.args.end());

        pid_ = ::fork();
        if (pid_ == 0) {
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
            if (!std::freopen(outFile_.c_str(), "w", stdout) ||
                !std::freopen(errFile_.c_str(), "w", stderr)) {
                ::_exit(126);
            }
            ::execve(options.program.c_str(), argv.data(), envp.data());
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

    // The exit status, or 128 + the signal's number; nullopt when it runs on past `timeout`.
    std::optional<int> wait(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!exit_) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            } else if (std::chrono::steady_clock::now() > deadline) {
                break;
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        return exit_;
    }

    std::string out() const { return Read(outFile_); }
    std::string err() const { return Read(errFile_); }

    static std::string Read(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    // Waits until `path` exists and holds a whole line; its text, or "" after `timeout`.
    static std::string AwaitLine(const std::string& path,
                                 std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            const std::string text = Read(path);
            if (!text.empty() && text.back() == '\n') {
                return text;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return "";
    }

  private:
    inline static int count_ = 0;
    std::string outFile_;
    std::string errFile_;
    pid_t pid_ = -1;
    std::optional<int> exit_;
};

}  // namespace quorvel::testing
