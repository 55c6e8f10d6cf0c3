// Kills switches with SIGKILL at random moments and checks, after every kill, that nothing was
// left half done: the client's keys are those of one whole profile, the store passes SQLite's
// integrity check, the hosts file is one profile's complete file, and both profiles are intact.
// Half the kills hit the command-line road (`quorvel Home/m` as a process), the others a loop
// of in-process switches (apply_loop).
//
//   kill_switch_loop [KILLS] [SEED]     KILLS defaults to 200
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
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".") && name.size() > 7) {
            ++found;
            std::filesystem::remove(entry.path());
        }
    }
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 200;
    const unsigned seed =
        argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : std::random_device{}();
    std::mt19937 random(seed);
    std::cout << "kill_switch_loop: " << kills << " kills, seed " << seed << std::endl;

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
    if (Run({APPLY_LOOP_EXE, "2"}, world.environment()) != 0 ||
        TakeSnapshot(world.store()).client != reference["Work"].first) {
        return Fail("in-process switches leave other client keys than the command line");
    }
    const std::string profiles = TakeSnapshot(world.store()).profiles;
    const double road = world.roadSeconds();

    int survived = 0;
    int roadKills = 0;
    int loopKills = 0;
    int endedFirst = 0;
    int hostsAhead = 0;
    int temporaryFiles = 0;
    std::map<std::string, int> landedOn;
    std::string current = "Work";
    for (int attempt = 0; survived < kills && attempt < 4 * kills; ++attempt) {
        const bool commandLine = roadKills <= loopKills;
        const pid_t pid = commandLine
                              ? Spawn({world.quorvel(), Other(current) + "/m"}, world.environment())
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

        const std::string integrity = IntegrityCheck(world.store());
        if (integrity != "ok") {
            return Fail("integrity check after kill " + std::to_string(survived), integrity);
        }
        const Snapshot snapshot = TakeSnapshot(world.store());
        if (snapshot.profiles != profiles) {
            return Fail("a profile changed or was lost", profiles + "\n---\n" + snapshot.profiles);
        }
        const std::string hosts = ReadText(world.hostsFile());
        std::string hostsOf;
        for (const std::string& profile : kProfiles) {
            if (snapshot.client == reference[profile].first) {
                current = profile;
            }
            if (hosts == reference[profile].second) {
                hostsOf = profile;
            }
        }
        if (snapshot.client != reference[current].first) {
            return Fail(
                "the client's keys are no whole profile after kill " + std::to_string(survived),
                snapshot.client);
        }
        if (hostsOf.empty()) {
            return Fail(
                "the hosts file is no whole profile's after kill " + std::to_string(survived),
                hosts);
        }
        // The hosts file is written just before the store commits, so a kill between the two
        // leaves it one switch ahead of the keys: counted, as it is the one known window.
        hostsAhead += hostsOf != current ? 1 : 0;
        ++landedOn[current];
        temporaryFiles += SweepTemporaryFiles(world.winDir());
    }
    if (survived < kills) {
        return Fail("only " + std::to_string(survived) + " of the switches were killed in time");
    }

    std::cout << "kills survived: " << survived << " (command line " << roadKills << ", in-process "
              << loopKills << "); switches that ended before their kill: " << endedFirst << "\n"
              << "client left on Home " << landedOn["Home"] << ", on Work " << landedOn["Work"]
              << "; hosts file one switch ahead of the keys " << hostsAhead
              << "; temporary files left by a killed write " << temporaryFiles << "\n"
              << "integrity_check ok after every kill; no profile lost\n";
    return 0;
}
