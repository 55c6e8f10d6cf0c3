// What a user waits for and what the program costs, against the least a Qt program costs on the
// same machine in the same run, and against the way users switched by hand:
//   - the command-line road (`quorvel Work/m` as a process, until it ends) against starting and
//     ending a minimal Qt Widgets program;
//   - the tray instance's resident memory after start against a minimal Qt program with a tray
//     icon (on the desktop DISPLAY names, or offscreen without one);
//   - a switch as the tray makes it against `quorvel-reg import` of the client's keys from a
//     .reg file.
// Rounds alternate between the two sides so that a drifting machine weighs on both alike, and
// the medians are compared. Every timed switch is checked afterwards: a switch that left the
// client's keys other than its profile's ends the run with an error.
//
//   road_bench [ROUNDS]     ROUNDS of each timing, 21 by default; prints RATIO lines last
#include <sys/file.h>

#include <iomanip>
#include <iostream>

#include "faults/switch_world.h"
#include "platform/local_file_system.h"
#include "profiles/core.h"
#include "reg_tool.h"
#include "registry/registry.h"

namespace {

using namespace quorvel;
using namespace quorvel::reliability;
using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string& what) {
    std::cerr << "road_bench: FAILED: " << what << std::endl;
    std::exit(2);
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

const std::string& Other(const std::string& profile) {
    return profile == kProfiles[0] ? kProfiles[1] : kProfiles[0];
}

// Runs a program to its end and returns how long it took; its orphans (the stand-in client the
// road starts) are waited for outside the timing, so that they do not slow the next round.
double TimeRun(const std::vector<std::string>& argv, const Environment& environment) {
    const auto start = Clock::now();
    const int status = RunProgram(argv, environment);
    const double seconds = Seconds(start);
    if (status != 0) {
        Fail(argv[0] + " ended with status " + std::to_string(status));
    }
    if (!WaitForOrphans(std::chrono::seconds(10))) {
        Fail("the stand-in client started by " + argv[0] + " did not end");
    }
    return seconds;
}

long ResidentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:")) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

// Resident memory once a program has settled after its start: unchanged over half a second.
long SettledKilobytes(pid_t pid) {
    long last = -1;
    int steady = 0;
    for (int sample = 0; sample < 100 && steady < 5; ++sample) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const long now = ResidentKilobytes(pid);
        if (now < 0) {
            return -1;  // it ended
        }
        steady = now == last ? steady + 1 : 0;
        last = now;
    }
    return last;
}

bool LockHeld(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

long TrayKilobytes(const std::vector<std::string>& argv, const Environment& environment,
                   const std::string& lockFile) {
    const pid_t pid = Spawn(argv, environment);
    const long kilobytes = SettledKilobytes(pid);
    if (kilobytes < 0) {
        Fail(argv[0] + " ended instead of waiting in the notification area");
    }
    if (!lockFile.empty() && !LockHeld(lockFile)) {
        Fail("the tray instance does not hold its instance lock: it did not start");
    }
    ::kill(pid, SIGTERM);
    if (Wait(pid, std::chrono::seconds(10)) != 0) {
        Fail(argv[0] + " did not end cleanly on SIGTERM");
    }
    WaitForOrphans(std::chrono::seconds(5));
    return kilobytes;
}

// The by-hand file: the client's key removed, then written back as `quorvel-reg export` wrote
// it after a switch to the profile, so that importing it leaves exactly what the switch left.
std::string ByHandFile(const SwitchWorld& world, const std::string& profile) {
    const std::string exported = world.folder() + "/" + profile + ".export.reg";
    if (RunProgram(
            {world.reg(), "export", "HKCU\\" + std::string(settings::kImnKey), exported, "/y"},
            world.environment()) != 0) {
        Fail("quorvel-reg export failed");
    }
    // The export is UTF-16LE text of ASCII characters here: every other byte.
    const std::string utf16 = ReadText(exported);
    std::string text;
    for (std::size_t i = 2; i < utf16.size(); i += 2) {
        text += utf16[i];
    }
    const std::size_t header = text.find('\n');
    text.insert(header + 1, "\r\n[-HKEY_CURRENT_USER\\" + std::string(settings::kImnKey) + "]\r\n");
    const std::string file = world.folder() + "/" + profile + ".reg";
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

class NoFolders final : public registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

class FailingPrompts final : public profiles::Prompts {
  public:
    profiles::Answer MsgBox(std::string_view text, profiles::Buttons, profiles::Icon,
                            std::string_view) override {
        Fail("a switch showed: " + std::string(text));
    }
};

// The tray's switch: the program's layers over the store, in this process.
class InProcessSwitch {
  public:
    explicit InProcessSwitch(const SwitchWorld& world) : hive_(world.store()) {
        core_.store.WinDir = world.winDir();
    }
    void to(const std::string& profile) {
        core_.context.CurrentProfile = profile;
        if (!core_.applier.ApplyProfile()) {
            Fail("the switch to " + profile + " failed");
        }
    }
    registry::Hive& hive() { return hive_; }

  private:
    registry::SqliteHive hive_;
    NoFolders folders_;
    settings::NoEventPump events_;
    FailingPrompts prompts_;
    platform::LocalFileSystem files_;
    profiles::Core core_{hive_, folders_, events_, prompts_, files_};
};

struct Row {
    std::string name;
    std::string what;
    double ratio;
    double target;
    bool atMost;  // "at most target" rather than "below target"
    std::string detail;
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 21;
    AdoptOrphans();
    SwitchWorld world(QUORVEL_EXE, QUORVEL_REG_EXE, QUORVEL_STANDIN_EXE);
    if (!world.setUp()) {
        Fail("the stand-in client or the profiles could not be set up");
    }
    std::string error;
    const auto reference = world.references(error);
    if (reference.empty()) {
        Fail(error);
    }
    const auto check = [&](const std::string& profile, const char* road) {
        const std::string client = TakeSnapshot(world.store()).client;
        if (client != reference.at(profile).first) {
            Fail(std::string(road) + " to " + profile +
                 " did not leave the profile's client keys:\n" + client);
        }
    };
    std::vector<Row> rows;

    // The command-line road against the least a Qt Widgets program costs.
    {
        std::vector<double> road;
        std::vector<double> minimal;
        std::string profile = "Home";
        for (int round = 0; round < rounds; ++round) {
            profile = Other(profile);
            road.push_back(TimeRun({world.quorvel(), profile + "/m"}, world.environment()));
            check(profile, "the command-line road");
            minimal.push_back(TimeRun({MINIMAL_WIDGETS_EXE}, world.environment()));
        }
        rows.push_back({"command_line_road_vs_minimal_qt",
                        "`quorvel Work/m` to its end / minimal Qt Widgets program",
                        Median(road) / Median(minimal), 1.5, true,
                        std::to_string(Median(road) * 1e3) + " ms / " +
                            std::to_string(Median(minimal) * 1e3) + " ms"});
    }

    // The tray instance's memory against a minimal program with a tray icon.
    {
        Environment environment = world.environment();
        const char* display = std::getenv("DISPLAY");
        const bool desktop = display != nullptr && *display != '\0';
        environment["QT_QPA_PLATFORM"] = desktop ? "xcb" : "offscreen";
        std::vector<double> tray;
        std::vector<double> minimal;
        for (int round = 0; round < std::max(3, rounds / 4); ++round) {
            tray.push_back(static_cast<double>(
                TrayKilobytes({world.quorvel()}, environment, world.store() + ".lock")));
            minimal.push_back(
                static_cast<double>(TrayKilobytes({MINIMAL_TRAY_EXE}, environment, "")));
        }
        rows.push_back({"tray_memory_vs_minimal_tray",
                        std::string("tray instance VmRSS / minimal Qt tray program (") +
                            (desktop ? "X desktop" : "offscreen") + ")",
                        Median(tray) / Median(minimal), 1.3, true,
                        std::to_string(static_cast<long>(Median(tray))) + " kB / " +
                            std::to_string(static_cast<long>(Median(minimal))) + " kB"});
    }

    // A switch against importing the same client keys by hand: profiles of one server each, as
    // for several the hand would also have to put the hosts file in place.
    {
        SwitchWorld single(QUORVEL_EXE, QUORVEL_REG_EXE, QUORVEL_STANDIN_EXE, false);
        const auto singleReference =
            single.setUp() ? single.references(error) : decltype(reference){};
        if (singleReference.empty()) {
            Fail("the one-server profiles could not be set up: " + error);
        }
        const auto checkOne = [&](registry::Hive& hive, const std::string& profile,
                                  const char* road) {
            const std::string client = TakeSnapshot(hive).client;
            if (client != singleReference.at(profile).first) {
                Fail(std::string(road) + " to " + profile +
                     " did not leave the profile's client keys:\n" + client);
            }
        };
        std::map<std::string, std::string> files;
        InProcessSwitch switcher(single);
        for (const std::string& profile : kProfiles) {
            switcher.to(profile);
            files[profile] = ByHandFile(single, profile);
        }
        std::vector<double> switched;
        std::vector<double> imported;
        std::vector<double> importedInProcess;
        std::string profile = "Work";
        std::istringstream noInput;
        std::ostringstream ignored;
        regtool::Console console{noInput, ignored, ignored};
        for (int round = 0; round < rounds; ++round) {
            profile = Other(profile);
            auto start = Clock::now();
            switcher.to(profile);
            switched.push_back(Seconds(start));
            checkOne(switcher.hive(), profile, "the switch");
            profile = Other(profile);
            imported.push_back(
                TimeRun({single.reg(), "import", files[profile]}, single.environment()));
            checkOne(switcher.hive(), profile, "quorvel-reg import");
            start = Clock::now();
            if (regtool::RunRegTool({"import", files[Other(profile)]}, switcher.hive(), console) !=
                0) {
                Fail("the in-process import failed");
            }
            importedInProcess.push_back(Seconds(start));
            profile = Other(profile);
            checkOne(switcher.hive(), profile, "the in-process import");
        }
        rows.push_back({"switch_vs_reg_import", "a switch / `quorvel-reg import` of the same keys",
                        Median(switched) / Median(imported), 1.0, false,
                        std::to_string(Median(switched) * 1e3) + " ms / " +
                            std::to_string(Median(imported) * 1e3) +
                            " ms (the import alone, in-process: " +
                            std::to_string(Median(importedInProcess) * 1e3) + " ms)"});
    }

    int missed = 0;
    std::cout << std::fixed << std::setprecision(2);
    for (const Row& row : rows) {
        const bool met = row.atMost ? row.ratio <= row.target : row.ratio < row.target;
        missed += met ? 0 : 1;
        std::cout << row.what << ": " << row.ratio << " (" << row.detail << ") target "
                  << (row.atMost ? "<=" : "<") << row.target << (met ? "" : "  MISSED") << "\n";
    }
    for (const Row& row : rows) {
        std::cout << "RATIO " << row.name << " " << row.ratio << " " << (row.atMost ? "<=" : "<")
                  << row.target << "\n";
    }
    return missed == 0 ? 0 : 1;
}
