#pragma once

#include "profiles/apply_profile.h"
#include "profiles/file_system.h"
#include "profiles/profile_store.h"
#include "profiles/prompts.h"
#include "registry/hive.h"
#include "registry/registry.h"
#include "registry/system_folders.h"
#include "settings/base64.h"
#include "settings/catalogue.h"
#include "settings/event_pump.h"
#include "settings/setting_context.h"
#include "settings/setting_transfer.h"

namespace quorvel::profiles {

// The registry layer and the profile routines over one store, wired together in one place: the
// program is built on it, and so is every test or benchmark that switches in its own process.
// The members refer to one another, so the whole stays where it was built.
struct Core {
    Core(registry::Hive& hive, const registry::SystemFolders& folders, settings::EventPump& events,
         Prompts& prompts, FileSystem& files);
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    registry::Registry reg;
    settings::SettingContext context;
    settings::SettingCatalogue catalogue;
    settings::Base64 base64;
    settings::SettingTransfer transfer;
    ProfileStore store;
    ProfileApplier applier;
};

}  // namespace quorvel::profiles
