#include "help_browser.h"

namespace quorvel::standin {

std::optional<std::string> FindOnPath(std::string_view name, std::string_view searchPath) {
    if (name.empty()) {
        return std::nullopt;
    }
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        const auto colon = searchPath.find(':', start);
        const auto end = colon == std::string_view::npos ? searchPath.size() : colon;
        const std::string_view folder = searchPath.substr(start, end - start);
        if (!folder.empty()) {
            std::string candidate(folder);
            if (candidate.back() != '/') {
                candidate += '/';
            }
            candidate += name;
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
        if (colon == std::string_view::npos) {
            break;
        }
        start = colon + 1;
    }
    return std::nullopt;
}

bool RegisterHelpBrowser(registry::Registry& reg, const std::optional<std::string>& browser,
                         std::ostream& out) {
    using registry::Root;
    reg.GetValue(kIexploreAppPathKey, "", Root::LocalMachine);
    const std::string registered = reg.RegValue.text();
    if (!registered.empty() && IsExecutableFile(registered)) {
        out << "Help browser: " << registered << " (already registered)\n";
        return true;
    }
    if (!browser) {
        out << "Help browser: none registered; " << NoHelpBrowserReason()
            << ", so the help document will not open\n";
        return true;
    }
    if (!reg.CreateKey(kIexploreAppPathKey, Root::LocalMachine) ||
        reg.SetValue(kIexploreAppPathKey, "", *browser, registry::REG_SZ, Root::LocalMachine) !=
            registry::ERROR_SUCCESS) {
        return false;
    }
    out << "Help browser: " << *browser << " (registered";
    if (!registered.empty()) {
        out << ", replacing " << registered << ", which is gone";
    }
    out << ")\n";
    return true;
}

}  // namespace quorvel::standin
