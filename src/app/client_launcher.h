#pragma once

#include <cstdint>
#include <string>

#include "app/ending.h"
#include "app/platform.h"
#include "app/prompts.h"
#include "app/services.h"
#include "profiles/apply_profile.h"
#include "profiles/file_system.h"
#include "profiles/profile_store.h"
#include "registry/registry.h"
#include "settings/event_pump.h"
#include "settings/setting_transfer.h"

namespace quorvel::app {

// The client's start files in the Windows directory: the originals the client installs, and
// the per-profile copies the program starts them through.
inline constexpr std::string_view kMailClassId = ".{89292102-4755-11cf-9DC2-00AA006C2B84}";
inline constexpr std::string_view kNewsClassId = ".{89292103-4755-11cf-9DC2-00AA006C2B84}";

// Starts Internet Mail and Internet News for the current profile: brings a client to the front
// when it already works with that profile, or closes and restarts it when the profile changed.
class ClientLauncher {
  public:
    ClientLauncher(registry::Registry& reg, settings::SettingContext& context,
                   settings::SettingTransfer& transfer, profiles::ProfileStore& store,
                   profiles::ProfileApplier& applier, const Ending& ending,
                   const Services& services)
        : reg_(reg),
          context_(context),
          transfer_(transfer),
          store_(store),
          applier_(applier),
          ending_(ending),
          services_(services) {}

    TaskId MailTask = 0;  // 0 until the mail client was started in this run
    TaskId NewsTask = 0;

    void StartMail();
    void StartNews();
    void CloseMail();
    void CloseNews();
    // Waits `PauseTime` seconds while the windows stay alive, also across midnight.
    void delay(std::int16_t PauseTime);
    // The command line's road: apply the profile and start the client(s); the program then ends.
    void LaunchFromCommandLine(std::int16_t mode);

    // "<WinDir>/EXPLORER.EXE", which starts a client from its start file.
    std::string ExplorerPath() const;

  private:
    struct Client {
        std::string_view title;       // "Internet Mail"
        std::string_view copyPrefix;  // "Mail---"
        std::string_view classId;
        std::int16_t windowArea;  // the profile's "Maximize ... Window" setting
        std::int16_t windowItem;
    };
    static const Client kMail;
    static const Client kNews;

    // Closes the client the activated task runs; false when it cannot be told to.
    bool CloseActivated();
    // Copies the start file for the current profile and starts the client through it; the task,
    // or 0 after telling the user what is missing. Once the program is ending it starts nothing:
    // a client started then would outlive the exit routine with the profile it blanked.
    TaskId Launch(const Client& client);

    registry::Registry& reg_;
    settings::SettingContext& context_;
    settings::SettingTransfer& transfer_;
    profiles::ProfileStore& store_;
    profiles::ProfileApplier& applier_;
    const Ending& ending_;
    const Services& services_;
};

}  // namespace quorvel::app
