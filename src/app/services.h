#pragma once

#include "app/platform.h"
#include "app/prompts.h"
#include "profiles/file_system.h"
#include "registry/system_folders.h"
#include "settings/event_pump.h"

namespace quorvel::app {

// What the operating system and the user interface provide to the program.
struct Services {
    Processes& processes;
    ClientFiles& clientFiles;
    profiles::FileSystem& files;
    Clock& clock;
    settings::EventPump& events;
    Prompts& prompts;
    SingleInstance& instance;
    const registry::SystemFolders& folders;
};

}  // namespace quorvel::app
