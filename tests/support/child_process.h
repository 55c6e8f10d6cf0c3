#pragma once

// Programs that tests, harnesses and benchmarks start: with an environment and an output of
// their choosing, waited for with a deadline. posix_spawn rather than fork, as the load run starts
// programs from several threads at once.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quorvel::testing {

using Environment = std::map<std::string, std::string>;

// What the programs need to run on a store and a Windows directory of their own in `folder`
// ("registry.db", "windows"), off screen, with the stand-in's Explorer logging its calls to
// "explorer.log" and its clients ending at once.
inline Environment PrivateEnvironment(const std::string& folder) {
    return {{"QUORVEL_REGISTRY", folder + "/registry.db"},
            {"QUORVEL_WINDIR", folder + "/windows"},
            {"QUORVEL_EXPLORER_LOG", folder + "/explorer.log"},
            {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"},
            {"QT_QPA_PLATFORM", "offscreen"},
            {"XDG_RUNTIME_DIR", folder}};
}

// The lines of `path` once it has `count` of them, else after ten seconds what it has: for a
// log that a program goes on writing after the one that started it has ended.
inline std::vector<std::string> WaitForLines(const std::string& path, std::size_t count) {
    std::vector<std::string> lines;
    for (int i = 0; i < 200 && lines.size() < count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(i == 0 ? 0 : 50));
        std::ifstream file(path);
        lines.clear();
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
    }
    return lines;
}

// Starts a program (argv[0], a path) with `environment` set over this process's own; its
// standard output and error go to `output` (appended), or nowhere when it is empty; its
// standard input is empty. The process id, or -1 when it could not be started.
inline pid_t Spawn(const std::vector<std::string>& argv, const Environment& environment,
                   const std::string& output = "") {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry(*variable);
        if (!environment.contains(entry.substr(0, entry.find('=')))) {
            variables.push_back(entry);
        }
    }
    for (const auto& [name, value] : environment) {
        variables.push_back(name + "=" + value);
    }
    std::vector<char*> envp;
    for (auto& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO,
                                     output.empty() ? "/dev/null" : output.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

// The program's end: its exit status, or 128 + the number of the signal that ended it, or -1
// when it is no child to wait for (never started, or collected elsewhere); nullopt when it still
// runs at `timeout` (it is left running).
inline std::optional<int> WaitFor(pid_t pid, std::chrono::milliseconds timeout) {
    if (pid < 0) {
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    pid_t waited = 0;
    while ((waited = ::waitpid(pid, &status, WNOHANG)) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (waited != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The exit status, or -1 when the program was ended by a signal or, at `timeout`, killed here.
inline int Wait(pid_t pid, std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    const std::optional<int> status = WaitFor(pid, timeout);
    if (!status) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return -1;
    }
    return *status < 128 ? *status : -1;
}

// Starts a program and waits for its end, as Spawn and Wait do.
inline int RunProgram(const std::vector<std::string>& argv, const Environment& environment,
                      const std::string& output = "",
                      std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    return Wait(Spawn(argv, environment, output), timeout);
}

// A started program that is killed when the test is done with it and it has not ended.
class ChildProcess {
  public:
    ChildProcess(const std::vector<std::string>& argv, const Environment& environment,
                 const std::string& output = "")
        : pid_(Spawn(argv, environment, output)) {}
    ~ChildProcess() {
        if (pid_ > 0 && !exit_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // As WaitFor; once it has ended, its end again.
    std::optional<int> wait(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        if (!exit_) {
            exit_ = WaitFor(pid_, timeout);
        }
        return exit_;
    }

  private:
    pid_t pid_;
    std::optional<int> exit_;
};

}  // namespace quorvel::testing
