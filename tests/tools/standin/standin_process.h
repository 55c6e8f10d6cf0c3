#pragma once

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/child_process.h"
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
// whole, so that the store and the Windows directory are the test's and never the user's; what
// it says goes to a file of its own.
class StandinProcess : public ChildProcess {
  public:
    StandinProcess(const TempDir& dir, const std::string& program,
                   const std::vector<std::string>& args, const Environment& extraEnvironment = {})
        : ChildProcess(Arguments(program, args), Variables(dir, extraEnvironment),
                       Fresh(dir.file("stderr")), EnvironmentBase::Empty),
          errFile_(dir.file("stderr")) {}

    std::string err() const { return ReadText(errFile_); }

  private:
    static std::vector<std::string> Arguments(const std::string& program,
                                              const std::vector<std::string>& args) {
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        return argv;
    }
    static Environment Variables(const TempDir& dir, const Environment& extra) {
        Environment env{{"PATH", "/usr/bin:/bin"},
                        {"HOME", dir.path().string()},
                        {"XDG_RUNTIME_DIR", dir.path().string()},
                        {"QT_QPA_PLATFORM", "offscreen"},
                        {"QUORVEL_REGISTRY", dir.file("registry.db")},
                        {"QUORVEL_WINDIR", dir.file("windows")}};
        for (const auto& [name, value] : extra) {
            env[name] = value;
        }
        return env;
    }
    // Each process's words alone, not those of one started before it in the same folder.
    static std::string Fresh(const std::string& file) {
        std::remove(file.c_str());
        return file;
    }

    std::string errFile_;
};

}  // namespace quorvel::testing
