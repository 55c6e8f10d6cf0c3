#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/data_locations.h"
#include "registry/registry.h"

namespace quorvel::standin {

// Where the program looks up the browser for its help document (HKEY_LOCAL_MACHINE, default
// value), as Windows registers Internet Explorer.
inline constexpr std::string_view kIexploreAppPathKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";

// The first executable file called `name` in the colon-separated folder list `searchPath`.
// Empty entries are skipped rather than read as the current folder: a registered browser must
// not depend on where the program happens to run.
std::optional<std::string> FindOnPath(std::string_view name, std::string_view searchPath);

// Whether `path` is a file this system would run.
bool IsExecutableFile(const std::string& path);

// A browser for the help document: xdg-open, else sensible-browser, on $PATH; on Windows,
// Internet Explorer.
std::optional<std::string> FindHelpBrowser(const platform::EnvironmentLookup& environment);
// Why FindHelpBrowser found none, for the install's report.
std::string NoHelpBrowserReason();

// Registers `browser` unless a browser that still exists is registered already; reports one
// line. Returns false when a write failed.
bool RegisterHelpBrowser(registry::Registry& reg, const std::optional<std::string>& browser,
                         std::ostream& out);

}  // namespace quorvel::standin
