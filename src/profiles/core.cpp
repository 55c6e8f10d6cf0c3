#include "profiles/core.h"

namespace quorvel::profiles {

Core::Core(registry::Hive& hive, const registry::SystemFolders& folders,
           settings::EventPump& events, Prompts& prompts, FileSystem& files)
    : reg(hive, folders),
      catalogue(context),
      base64(events),
      transfer(reg, catalogue, base64),
      store(reg, context),
      applier(reg, context, transfer, store, prompts, files) {}

}  // namespace quorvel::profiles
