#pragma once

// A store, a Windows directory and the stand-in client in a fresh folder, with two profiles that
// each poll several POP3 servers (so every switch also rewrites the hosts file), and what a
// checker needs to tell a whole switch from a torn one. Shared by the fault-injection and load
// runs and the road benchmark, which drive the real executables.

#include <sqlite3.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "registry/sqlite/sqlite_hive.h"
#include "settings/client_keys.h"
#include "support/child_process.h"
#include "support/store_view.h"
#include "support/temp_dir.h"

namespace quorvel::reliability {

using testing::DumpTree;
using testing::Environment;
using testing::ReadText;
using testing::RunProgram;
using testing::Spawn;
using testing::Wait;

// The stand-in client outlives the program that started it; with this process as their
// subreaper those clients come back to it and are reaped here rather than piling up. Only for a
// process that starts its programs from one thread: the reaping takes any child.
inline void AdoptOrphans() {
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
}
inline void ReapOrphans() {
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}
// Waits until every adopted orphan has ended; false when some still run after `timeout`.
inline bool WaitForOrphans(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (pid_t pid = 0; (pid = ::waitpid(-1, nullptr, WNOHANG)) >= 0;) {
        if (pid == 0 && std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pid == 0 ? 1 : 0));
    }
    return true;  // no child left
}

// What `PRAGMA integrity_check` says of the file, read without Quorvel's own layer.
inline std::string IntegrityCheck(const std::string& store) {
    sqlite3* db = nullptr;
    std::string result;
    const auto collect = [](void* out, int, char** row, char**) {
        return *static_cast<std::string*>(out) += row[0], 0;
    };
    if (sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_busy_timeout(db, 60'000) != SQLITE_OK ||
        sqlite3_exec(db, "PRAGMA integrity_check", collect, &result, nullptr) != SQLITE_OK) {
        result = "cannot check: " + std::string(sqlite3_errmsg(db));
    }
    sqlite3_close(db);
    return result;
}

// The client's keys, and the program's profiles with their list.
struct Snapshot {
    std::string client;
    std::string profiles;
};

inline Snapshot TakeSnapshot(registry::Hive& hive) {
    std::ostringstream client;
    std::ostringstream profiles;
    DumpTree(hive, std::string(settings::kImnKey), client);
    DumpTree(hive, std::string(settings::kProfilesKey), profiles);
    DumpTree(hive, std::string(settings::kAppKey), profiles, "Profile List");
    return {client.str(), profiles.str()};
}
inline Snapshot TakeSnapshot(const std::string& store) {
    registry::SqliteHive hive(store);
    return TakeSnapshot(hive);
}

inline const std::vector<std::string> kProfiles = {"Home", "Work"};

// A fresh folder with the stand-in client installed and the two profiles in the store.
class SwitchWorld {
  public:
    SwitchWorld(std::string quorvel, std::string reg, std::string standin,
                bool multipleServers = true)
        : quorvel_(std::move(quorvel)),
          reg_(std::move(reg)),
          standin_(std::move(standin)),
          multipleServers_(multipleServers) {}

    // Installs the client and imports two_profiles.reg: "Home" with three account profiles,
    // "Work" with two, both polling all of them, or, without `multipleServers`, each its default
    // one alone. The client holds neither. False when a tool failed.
    bool setUp() {
        std::string text = ReadText(QUORVEL_TWO_PROFILES_REG);
        const std::string polling = "\"PollMultiplePopServers\"=dword:0000000";
        for (std::size_t at = 0; !multipleServers_ && (at = text.find(polling, at)) != text.npos;) {
            text[at += polling.size()] = '0';
        }
        const std::string file = folder_ + "/profiles.reg";
        std::ofstream(file) << text;
        return !text.empty() && RunProgram({standin_, "install"}, environment_) == 0 &&
               RunProgram({reg_, "import", file}, environment_) == 0;
    }

    std::string store() const { return folder_ + "/registry.db"; }
    std::string winDir() const { return folder_ + "/windows"; }
    std::string hostsFile() const { return winDir() + "/hosts"; }
    const std::string& folder() const { return folder_; }
    const std::string& quorvel() const { return quorvel_; }
    const std::string& reg() const { return reg_; }
    const Environment& environment() const { return environment_; }

    // What switching to each profile leaves in the client's keys and the hosts file, once the
    // client has been through both; every switch after that must leave one of them exactly.
    // Empty, with `error` set, when a switch failed or the two profiles are not told apart.
    std::map<std::string, std::pair<std::string, std::string>> references(std::string& error) {
        std::map<std::string, std::pair<std::string, std::string>> reference;
        for (int round = 0; round < 3; ++round) {
            for (const std::string& profile : kProfiles) {
                const auto start = std::chrono::steady_clock::now();
                if (RunProgram({quorvel_, profile + "/m"}, environment_) != 0) {
                    error = "quorvel " + profile + "/m failed";
                    return {};
                }
                const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
                roadSeconds_.push_back(took.count());
                ReapOrphans();
                std::pair now{TakeSnapshot(store()).client, ReadText(hostsFile())};
                if (round == 2 && now != reference[profile]) {
                    error = "switching to " + profile + " twice left different client keys:\n" +
                            reference[profile].first + "\n---\n" + now.first;
                    return {};
                }
                reference[profile] = now;
            }
        }
        if (reference["Home"].first == reference["Work"].first ||
            (multipleServers_ && reference["Home"].second == reference["Work"].second)) {
            error = "the two profiles leave the same client keys or hosts file";
            return {};
        }
        return reference;
    }
    // The median time of the command-line switches that references() ran.
    double roadSeconds() const {
        std::vector<double> sorted = roadSeconds_;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0.0 : sorted[sorted.size() / 2];
    }

  private:
    std::vector<double> roadSeconds_;
    std::string quorvel_;
    std::string reg_;
    std::string standin_;
    bool multipleServers_;
    testing::TempDir dir_;
    std::string folder_ = dir_.path().string();
    Environment environment_ = testing::PrivateEnvironment(folder_);
};

}  // namespace quorvel::reliability
