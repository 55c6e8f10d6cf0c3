// A tray instance, command-line switches one after another and quorvel-reg writers (single
// values and whole .reg imports) share one store for a bounded time. Every write must be found
// afterwards, every switch must leave the client's keys of one whole profile, and no process may
// tell the user the store was locked or busy.
//
//   store_load [SECONDS]     SECONDS of load, 30 by default (at most 60)
#include <atomic>
#include <iostream>
#include <mutex>
#include <regex>

#include "faults/switch_world.h"
#include "registry/registry.h"

namespace {

using namespace quorvel;
using namespace quorvel::reliability;

constexpr const char* kLoadKey = "Software\\Quorvel Load";
constexpr int kValuesPerImport = 20;

// The text of a value as it is stored, without its terminating NUL; nullopt when missing.
std::optional<std::string> StoredText(registry::Hive& hive, const std::string& key,
                                      const std::string& name) {
    const auto data = testing::ReadRaw(hive, key, name);
    return data ? std::optional(registry::StripNull(std::string(data->begin(), data->end())))
                : std::nullopt;
}

// Words that must never reach the user from a process that shares the store.
bool TellsOfContention(const std::string& output) {
    return std::regex_search(output, std::regex("locked|busy|could not|cannot|ERROR"));
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = std::clamp(argc > 1 ? std::atoi(argv[1]) : 30, 1, 60);
    SwitchWorld world(QUORVEL_EXE, QUORVEL_REG_EXE, QUORVEL_STANDIN_EXE);
    std::string error = "the stand-in client or the profiles could not be set up";
    const auto reference =
        world.setUp() ? world.references(error) : decltype(world.references(error)){};
    if (reference.empty()) {
        std::cerr << "FAILED: " << error << "\n";
        return 1;
    }
    const Environment& environment = world.environment();
    const std::string trayLog = world.folder() + "/tray.log";
    const pid_t tray = Spawn({world.quorvel()}, environment, trayLog);
    std::this_thread::sleep_for(std::chrono::seconds(1));  // in its event loop by now

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::mutex failuresMutex;
    std::vector<std::string> failures;
    std::atomic<int> contended = 0;  // outputs that told of a locked or busy store
    const auto fail = [&](std::string what) {
        std::lock_guard lock(failuresMutex);
        if (failures.size() < 10) {
            failures.push_back(std::move(what));
        }
    };
    // One role: command(0), command(1) ... until the time is up, each checked by ok(i) and
    // counted in `done`; the first failure ends the role.
    const auto role = [&](std::string name, std::atomic<int>& done, auto command, auto ok) {
        return std::thread([&, name, command, ok] {
            const std::string output = world.folder() + "/" + name + ".log";
            for (int i = 0; std::chrono::steady_clock::now() < end; ++i, ++done) {
                std::filesystem::remove(output);
                const int status =
                    RunProgram(command(i), environment, output, std::chrono::seconds(20));
                const std::string said = ReadText(output);
                contended += TellsOfContention(said) ? 1 : 0;
                if (status != 0 || TellsOfContention(said) || !ok(i)) {
                    fail(name + " " + std::to_string(i) + " ended with " + std::to_string(status) +
                         " (a message box waits when it is -1): " + said);
                    return;
                }
            }
        });
    };
    using Args = std::vector<std::string>;
    const auto any = [](int) { return true; };
    const auto target = [](int i) { return kProfiles[i % 2]; };
    std::atomic<int> switches = 0, adds = 0, imports = 0;
    std::thread switcher = role(
        "switch", switches,
        [&](int i) {
            return Args{world.quorvel(), target(i) + "/m"};
        },
        [&](int i) {  // the client's keys of one whole profile
            return TakeSnapshot(world.store()).client == reference.at(target(i)).first;
        });
    const std::string loadKey = "HKCU\\" + std::string(kLoadKey);
    std::thread adder = role(
        "add", adds,
        [&](int i) {
            const std::string n = std::to_string(i);
            return Args{world.reg(), "add", loadKey, "/v", "add" + n, "/d", n, "/f"};
        },
        any);
    std::thread importer = role(
        "import", imports,
        [&](int i) {
            const std::string file = world.folder() + "/import.reg";
            std::ofstream text(file);
            text << "REGEDIT4\n\n[HKEY_CURRENT_USER\\" << kLoadKey << "\\import" << i << "]\n";
            for (int v = 0; v < kValuesPerImport; ++v) {
                text << "\"v" << v << "\"=\"" << i * 100 + v << "\"\n";
            }
            return Args{world.reg(), "import", file};
        },
        any);
    switcher.join();
    adder.join();
    importer.join();

    if (::waitpid(tray, nullptr, WNOHANG) != 0) {
        fail("the tray instance ended under load: " + ReadText(trayLog));
    } else if (::kill(tray, SIGTERM), Wait(tray, std::chrono::seconds(10)) != 0) {
        fail("the tray instance did not end cleanly on SIGTERM: " + ReadText(trayLog));
    }
    if (TellsOfContention(ReadText(trayLog))) {
        ++contended;
        fail("the tray instance said: " + ReadText(trayLog));
    }

    int lost = 0;
    {
        registry::SqliteHive hive(world.store());
        for (int i = 0; i < adds; ++i) {
            const std::string n = std::to_string(i);
            lost += StoredText(hive, kLoadKey, "add" + n) != n;
        }
        for (int i = 0; i < imports; ++i) {
            const std::string key = std::string(kLoadKey) + "\\import" + std::to_string(i);
            for (int v = 0; v < kValuesPerImport; ++v) {
                lost +=
                    StoredText(hive, key, "v" + std::to_string(v)) != std::to_string(i * 100 + v);
            }
        }
    }
    if (lost > 0) {
        fail(std::to_string(lost) + " written values are missing or wrong");
    }
    if (switches == 0 || adds == 0 || imports == 0) {
        fail("some process never got its work done under load");
    }
    std::cout << "store_load: " << seconds << " s with a tray instance; switches completed "
              << switches << "; quorvel-reg adds " << adds << " and imports " << imports << " ("
              << imports * kValuesPerImport << " values); writes lost " << lost
              << "; outputs telling of a locked or busy store " << contended << "\n";
    for (const std::string& failure : failures) {
        std::cerr << "FAILED: " << failure << "\n";
    }
    return failures.empty() ? 0 : 1;
}
