// Switches the client between the profiles "Home" and "Work" in this process, as the tray does
// on a menu choice, over the store and Windows directory the environment names: forever, or as
// many times as the one argument says. The fault-injection run kills it at random moments.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/local_file_system.h"
#include "profiles/core.h"
#include "registry/sqlite/sqlite_hive.h"
#include "settings/client_keys.h"

namespace {

using namespace quorvel;

class NoFolders final : public registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

// A switch that has to tell the user anything has gone wrong: say so and stop.
class FailingPrompts final : public profiles::Prompts {
  public:
    profiles::Answer MsgBox(std::string_view text, profiles::Buttons, profiles::Icon,
                            std::string_view) override {
        std::fprintf(stderr, "apply_loop: a switch showed: %.*s\n", static_cast<int>(text.size()),
                     text.data());
        std::exit(3);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const char* store = std::getenv("QUORVEL_REGISTRY");
    const char* winDir = std::getenv("QUORVEL_WINDIR");
    if (store == nullptr || winDir == nullptr) {
        std::fprintf(stderr, "apply_loop: QUORVEL_REGISTRY and QUORVEL_WINDIR must be set\n");
        return 2;
    }
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;

    registry::SqliteHive hive(store);
    NoFolders folders;
    settings::NoEventPump events;
    FailingPrompts prompts;
    platform::LocalFileSystem files;
    profiles::Core core(hive, folders, events, prompts, files);
    core.store.WinDir = winDir;

    core.reg.GetValue(settings::kImnKey, "Current Profile");
    bool home = core.reg.RegValue.text() != "Home";
    for (long i = 0; count == 0 || i < count; ++i) {
        core.context.CurrentProfile = home ? "Home" : "Work";
        if (!core.applier.ApplyProfile()) {
            return 1;
        }
        home = !home;
    }
    return 0;
}
