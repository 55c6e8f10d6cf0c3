#include <unistd.h>

#include <filesystem>

#include "help_browser.h"

namespace quorvel::standin {

bool IsExecutableFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> FindHelpBrowser(const platform::EnvironmentLookup& environment) {
    const std::string searchPath = environment("PATH").value_or("");
    for (const std::string_view name : {"xdg-open", "sensible-browser"}) {
        if (auto found = FindOnPath(name, searchPath)) {
            return found;
        }
    }
    return std::nullopt;
}

std::string NoHelpBrowserReason() {
    return "found neither xdg-open nor sensible-browser on PATH";
}

}  // namespace quorvel::standin
