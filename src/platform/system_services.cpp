#include "platform/system_services.h"

namespace quorvel::platform {

app::Services SystemServices::ForProgram(settings::EventPump& events, app::Prompts& prompts) const {
    return app::Services{*processes, *files, *files, *clock, events, prompts, *instance, *folders};
}

}  // namespace quorvel::platform
