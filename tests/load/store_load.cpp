// A tray instance, command-line switches one after another and quorvel-reg writers (single
// values and whole .reg imports) share one store for a bounded time. Every write must be found
// afterwards, every switch must leave the client's keys of one whole profile, and no process may
// tell the user the store was locked or busy.
//
//   store_load [SECONDS]     SECONDS of load, 30 by default (at most 60)
#include <atomic>
#include <iostream>
#include <mutex>

#include "faults/switch_world.h"
#include "registry/registry.h"

namespace {

using namespace quorvel;
using namespace quorvel::reliability;

constexpr const char* kLoadKey = "Software\\Quorvel Load";
constexpr int kValuesPerImport = 20;

std::string ImportFile(int number) {
    std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + std::string(kLoadKey) + "\\import" +
                       std::to_string(number) + "]\n";
    for (int i = 0; i < kValuesPerImport; ++i) {
        text += "\"v" + std::to_string(i) + "\"=\"" + std::to_string(number * 100 + i) + "\"\n";
    }
    return text;
}

std::string Numbered(std::string_view prefix, int number) {
    std::string name(prefix);
    name.append(std::to_string(number));
    return name;
}

// The text of a value as it is stored, without its terminating NUL; nullopt when missing.
std::optional<std::string> StoredText(registry::Hive& hive, const std::string& key,
                                      const std::string& name) {
    auto open = hive.openKey(registry::Root::CurrentUser, key);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (!open || open->queryValue(name, type, {}, size) != registry::ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(size);
    open->queryValue(name, type, data, size);
    std::string text(data.begin(), data.end());
    return registry::StripNull(text);
}

// Words that must never reach the user from a process that shares the store.
bool TellsOfContention(const std::string& output) {
    for (const char* word : {"locked", "busy", "could not", "cannot", "ERROR"}) {
        if (output.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = std::clamp(argc > 1 ? std::atoi(argv[1]) : 30, 1, 60);
    SwitchWorld world(QUORVEL_EXE, QUORVEL_REG_EXE, QUORVEL_STANDIN_EXE);
    std::string error;
    if (!world.setUp()) {
        error = "the stand-in client or the profiles could not be set up";
    }
    const auto reference =
        error.empty() ? world.references(error) : decltype(world.references(error)){};
    if (!error.empty()) {
        std::cerr << "FAILED: " << error << "\n";
        return 1;
    }
    const Environment& environment = world.environment();
    const std::string log = world.folder() + "/output.log";

    const std::string trayLog = world.folder() + "/tray.log";
    const pid_t tray = Spawn({world.quorvel()}, environment, trayLog);
    std::this_thread::sleep_for(std::chrono::seconds(1));  // in its event loop by now

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::mutex failuresMutex;
    std::vector<std::string> failures;
    const auto fail = [&](std::string what) {
        std::lock_guard lock(failuresMutex);
        if (failures.size() < 10) {
            failures.push_back(std::move(what));
        }
    };

    std::atomic<int> contended = 0;  // outputs that told of a locked or busy store
    std::atomic<int> switches = 0;
    std::thread switcher([&] {
        std::string target = "Home";
        while (std::chrono::steady_clock::now() < end) {
            const std::string output = world.folder() + "/switch.log";
            std::filesystem::remove(output);
            const int status = RunProgram({world.quorvel(), target + "/m"}, environment, output,
                                          std::chrono::seconds(20));
            const std::string said = ReadText(output);
            if (status != 0) {
                fail("quorvel " + target + "/m ended with " + std::to_string(status) +
                     " (a message box waits when it is -1): " + said);
            } else if (TakeSnapshot(world.store()).client != reference.at(target).first) {
                fail("quorvel " + target + "/m left the client's keys incomplete");
            } else {
                ++switches;
            }
            if (TellsOfContention(said)) {
                ++contended;
                fail("quorvel " + target + "/m said: " + said);
            }
            target = target == "Home" ? "Work" : "Home";
        }
    });

    std::atomic<int> adds = 0;
    std::thread adder([&] {
        for (int i = 0; std::chrono::steady_clock::now() < end; ++i) {
            const std::string output = world.folder() + "/add.log";
            std::filesystem::remove(output);
            const int status = RunProgram({world.reg(), "add", "HKCU\\" + std::string(kLoadKey),
                                           "/v", Numbered("add", i), "/d", std::to_string(i), "/f"},
                                          environment, output);
            contended += TellsOfContention(ReadText(output)) ? 1 : 0;
            if (status != 0 || TellsOfContention(ReadText(output))) {
                fail("quorvel-reg add " + std::to_string(i) + ": " + ReadText(output));
                return;
            }
            adds = i + 1;
        }
    });

    std::atomic<int> imports = 0;
    std::thread importer([&] {
        for (int i = 0; std::chrono::steady_clock::now() < end; ++i) {
            const std::string file = world.folder() + "/import.reg";
            const std::string output = world.folder() + "/import.log";
            std::ofstream(file) << ImportFile(i);
            std::filesystem::remove(output);
            const int status = RunProgram({world.reg(), "import", file}, environment, output);
            contended += TellsOfContention(ReadText(output)) ? 1 : 0;
            if (status != 0 || TellsOfContention(ReadText(output))) {
                fail("quorvel-reg import " + std::to_string(i) + ": " + ReadText(output));
                return;
            }
            imports = i + 1;
        }
    });

    switcher.join();
    adder.join();
    importer.join();

    int trayStatus = -2;
    if (::waitpid(tray, nullptr, WNOHANG) != 0) {
        fail("the tray instance ended under load: " + ReadText(trayLog));
    } else {
        ::kill(tray, SIGTERM);
        trayStatus = Wait(tray, std::chrono::seconds(10));
        if (trayStatus != 0) {
            fail("the tray instance did not end cleanly on SIGTERM: " + ReadText(trayLog));
        }
    }
    if (TellsOfContention(ReadText(trayLog))) {
        ++contended;
        fail("the tray instance said: " + ReadText(trayLog));
    }

    int lost = 0;
    {
        registry::SqliteHive hive(world.store());
        for (int i = 0; i < adds; ++i) {
            lost += StoredText(hive, kLoadKey, Numbered("add", i)) == std::to_string(i) ? 0 : 1;
        }
        for (int i = 0; i < imports; ++i) {
            const std::string key = std::string(kLoadKey) + "\\import" + std::to_string(i);
            for (int v = 0; v < kValuesPerImport; ++v) {
                lost +=
                    StoredText(hive, key, Numbered("v", v)) == std::to_string(i * 100 + v) ? 0 : 1;
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
