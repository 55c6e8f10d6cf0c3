// Kills switches with SIGKILL and checks, after every kill and the program's next start, that
// nothing was left half done: the client's keys are those of one whole profile, the hosts file
// is that same profile's, the store passes SQLite's integrity check, and both profiles are
// intact. The kills come two ways:
// - at random moments: half of them hit the command-line road (`quorvel Home/m` as a process),
//   the others a loop of in-process switches (apply_loop);
// - at every write, sync, rename and unlink of a command-line switch in turn, on entry to the
//   system call (strace injects the SIGKILL).
// After each kill the program starts once more (`quorvel`, ending as a second instance beside
// the lock this loop holds), as a user's next start would, and that start finishes what the
// killed switch left.
//
//   kill_switch_loop [KILLS] [SEED] [--one-way]     KILLS random kills, 220 by default;
//                                                   --one-way sweeps the crash points once, not
//                                                   twice
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <random>

#include "switch_world.h"

namespace {

using namespace quorvel::reliability;

int Fail(const std::string& what, const std::string& detail = "") {
    std::cerr << "FAILED: " << what << "\n" << detail << "\n";
    return 1;
}

// The one that is not `profile`.
const std::string& Other(const std::string& profile) {
    return profile == kProfiles[0] ? kProfiles[1] : kProfiles[0];
}

// Temporary files a killed atomic write leaves behind; removed after being counted.
int SweepTemporaryFiles(const std::string& folder) {
    int found = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        found += name.starts_with(".") && name.size() > 7 &&
                 std::filesystem::remove(entry.path(), error);
    }
    return found;
}

const std::string kStrace = "/usr/bin/strace";

// The system calls a switch changes files and the store with.
const std::vector<std::string> kCrashCalls = {"pwrite64",  "write",  "fsync",
                                              "fdatasync", "rename", "unlink"};

struct Checker {
    // After a kill: what the client holds, whether the hosts file disagreed with it, then the
    // next start, and then nothing may disagree. Empty on success, else what went wrong.
    std::string afterKill() {
        if (const std::string integrity = IntegrityCheck(world_.store()); integrity != "ok") {
            return "integrity check: " + integrity;
        }
        const std::string before = ReadText(world_.hostsFile());
        const std::string heldBefore = TakeSnapshot(world_.store()).client;
        if (RunProgram({world_.quorvel()}, world_.environment()) != 0) {
            return "the next start failed";
        }
        ReapOrphans();
        const Snapshot snapshot = TakeSnapshot(world_.store());
        if (snapshot.profiles != profiles_) {
            return "a profile changed or was lost:\n" + profiles_ + "\n---\n" + snapshot.profiles;
        }
        std::string held;
        for (const std::string& profile : kProfiles) {
            if (snapshot.client == reference_[profile].first) {
                held = profile;
            }
        }
        if (held.empty()) {
            return "the client's keys are no whole profile:\n" + snapshot.client;
        }
        const std::string hosts = ReadText(world_.hostsFile());
        if (hosts != reference_[held].second) {
            return "the hosts file is not " + held + "'s, which the client holds:\n" + hosts;
        }
        finished += before != hosts || heldBefore != snapshot.client ? 1 : 0;
        ++landedOn[held];
        current = held;
        temporaryFiles += SweepTemporaryFiles(world_.winDir());
        return "";
    }

    SwitchWorld& world_;
    std::map<std::string, std::pair<std::string, std::string>> reference_;
    std::string profiles_;
    std::string current = "Work";
    int finished = 0;  // kills whose mess the next start cleaned up
    int temporaryFiles = 0;
    std::map<std::string, int> landedOn{};
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool oneWay = std::erase(args, "--one-way") > 0;
    const int kills = !args.empty() ? std::atoi(args[0].c_str()) : 220;
    const unsigned seed = args.size() > 1 ? static_cast<unsigned>(std::atol(args[1].c_str()))
                                          : std::random_device{}();
    std::mt19937 random(seed);
    std::cout << "kill_switch_loop: " << kills << " random kills, seed " << seed << std::endl;
    if (::access(kStrace.c_str(), X_OK) != 0) {
        return Fail("strace is not installed (scripts/setup-debian installs it)");
    }

    AdoptOrphans();
    SwitchWorld world(QUORVEL_EXE, QUORVEL_REG_EXE, QUORVEL_STANDIN_EXE);
    if (!world.setUp()) {
        return Fail("the stand-in client or the profiles could not be set up");
    }
    std::string error;
    // Client keys and hosts file of each profile.
    auto reference = world.references(error);
    if (reference.empty()) {
        return Fail(error);
    }
    // The in-process road must leave exactly what the command line leaves.
    if (RunProgram({APPLY_LOOP_EXE, "2"}, world.environment()) != 0 ||
        TakeSnapshot(world.store()).client != reference["Work"].first) {
        return Fail("in-process switches leave other client keys than the command line");
    }
    const double road = world.roadSeconds();
    // The starts after the kills are second instances: they finish what a switch left and end.
    const std::string lockFile = world.store() + ".lock";
    const int lock = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0 || ::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        return Fail("the instance lock could not be held: " + std::string(std::strerror(errno)));
    }
    Checker checker{world, reference, TakeSnapshot(world.store()).profiles};

    int survived = 0;
    int roadKills = 0;
    int loopKills = 0;
    int endedFirst = 0;
    for (int attempt = 0; survived < kills && attempt < 4 * kills; ++attempt) {
        const bool commandLine = roadKills <= loopKills;
        const pid_t pid = commandLine ? Spawn({world.quorvel(), Other(checker.current) + "/m"},
                                              world.environment())
                                      : Spawn({APPLY_LOOP_EXE}, world.environment());
        const double window = commandLine ? road : 0.05;
        std::this_thread::sleep_for(std::chrono::duration<double>(
            std::uniform_real_distribution<double>(0.0, window)(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ReapOrphans();
        if (WIFEXITED(status)) {
            if (WEXITSTATUS(status) != 0) {
                return Fail("a switch that was not killed failed with status " +
                            std::to_string(WEXITSTATUS(status)));
            }
            ++endedFirst;  // checked all the same
        } else {
            ++survived;
            ++(commandLine ? roadKills : loopKills);
        }
        if (const std::string failure = checker.afterKill(); !failure.empty()) {
            return Fail("after random kill " + std::to_string(survived), failure);
        }
    }
    if (survived < kills) {
        return Fail("only " + std::to_string(survived) + " of the switches were killed in time");
    }
    const int randomFinished = checker.finished;

    // Every crash point of a switch, the n-th call of each kind for n = 1, 2 ... until a switch
    // makes fewer calls and lands. A sanitizer build's leak check needs ptrace at exit, which
    // strace already holds.
    Environment underStrace = world.environment();
    underStrace["ASAN_OPTIONS"] = "detect_leaks=0";
    std::map<std::string, int> pointKills;
    int points = 0;
    for (int direction = 0; direction < (oneWay ? 1 : 2); ++direction) {
        for (const std::string& call : kCrashCalls) {
            for (int n = 1, status = 1; status != 0 && n < 1000; ++n) {
                status = RunProgram({kStrace, "-qq", "-o", "/dev/null", "-e", "trace=" + call, "-e",
                                     "inject=" + call + ":signal=KILL:when=" + std::to_string(n),
                                     world.quorvel(), Other(checker.current) + "/m"},
                                    underStrace);
                ReapOrphans();
                if (status != 0) {
                    ++pointKills[call];
                    ++points;
                }
                if (const std::string failure = checker.afterKill(); !failure.empty()) {
                    return Fail("after the kill at " + call + " number " + std::to_string(n),
                                failure);
                }
            }
        }
    }

    std::cout << "kills survived: " << survived + points << " (random: command line " << roadKills
              << ", in-process " << loopKills << "; at a crash point " << points << ":";
    for (const auto& [call, count] : pointKills) {
        std::cout << " " << call << " " << count;
    }
    std::cout << "); ended before their random kill " << endedFirst << "; client left on Home "
              << checker.landedOn["Home"] << ", on Work " << checker.landedOn["Work"]
              << "; finished by the next start " << checker.finished << " (random "
              << randomFinished << "); temporary files left " << checker.temporaryFiles
              << "; integrity_check ok and no profile lost after every kill\n";
    return 0;
}
