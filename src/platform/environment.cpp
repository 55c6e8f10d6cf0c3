#include <cstdlib>

#include "platform/data_locations.h"

namespace quorvel::platform {

EnvironmentLookup SystemEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read-only use
        return value == nullptr ? std::nullopt : std::optional<std::string>(value);
    };
}

}  // namespace quorvel::platform
