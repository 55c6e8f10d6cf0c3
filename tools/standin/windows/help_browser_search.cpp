#include <filesystem>

#include "help_browser.h"

namespace quorvel::standin {

bool IsExecutableFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Windows registers its browser itself; this finds it again should the entry have been lost.
std::optional<std::string> FindHelpBrowser(const platform::EnvironmentLookup& environment) {
    const auto programFiles = environment("ProgramFiles");
    if (!programFiles || programFiles->empty()) {
        return std::nullopt;
    }
    const std::string browser = *programFiles + "\\Internet Explorer\\iexplore.exe";
    return IsExecutableFile(browser) ? std::optional<std::string>(browser) : std::nullopt;
}

std::string NoHelpBrowserReason() {
    return "found no Internet Explorer in Program Files";
}

}  // namespace quorvel::standin
