#pragma once

#include <memory>

#include "app/platform.h"
#include "app/prompts.h"
#include "app/services.h"
#include "platform/local_file_system.h"
#include "platform/window_raiser.h"
#include "registry/hive.h"
#include "registry/system_folders.h"
#include "settings/event_pump.h"

namespace quorvel::platform {

// What the operating system provides to the program, each part behind the interface a layer
// above defines. One factory per system builds it; CMake compiles the one of the target system.
struct SystemServices {
    std::unique_ptr<registry::Hive> hive;
    // Before the processes, which raise windows through it; none where the system raises them
    // itself.
    std::unique_ptr<WindowRaiser> raiser;
    std::unique_ptr<app::Processes> processes;
    std::unique_ptr<app::SingleInstance> instance;
    std::unique_ptr<registry::SystemFolders> folders;
    std::unique_ptr<LocalFileSystem> files;
    std::unique_ptr<app::Clock> clock;

    // These, with the events and prompts of the user interface, as the program takes them.
    app::Services ForProgram(settings::EventPump& events, app::Prompts& prompts) const;
};

// Opens the registry store of this user and builds the services over it. Throws
// registry::StoreError when the store cannot be used: damaged, not a Quorvel store, or written
// by a newer Quorvel.
SystemServices MakeSystemServices();

}  // namespace quorvel::platform
