#include <unistd.h>

#include "place_explorer.h"

namespace fs = std::filesystem;

namespace quorvel::standin {

// A link is replaced by a fresh one renamed over it.
bool PlaceExplorer(const fs::path& folder, const std::string& self, std::ostream& out,
                   std::string& error) {
    const fs::path explorer = folder / "EXPLORER.EXE";
    std::error_code status;
    if (fs::is_symlink(explorer, status) && fs::read_symlink(explorer, status) == self) {
        out << "EXPLORER.EXE: link to " << self << " (already there)\n";
        return true;
    }
    const bool existed = fs::exists(fs::symlink_status(explorer, status));
    const fs::path fresh = folder / (".EXPLORER.EXE." + std::to_string(::getpid()));
    fs::remove(fresh, status);
    std::string how = "link to ";
    fs::create_symlink(self, fresh, status);
    if (status) {
        how = "copy of ";
        fs::copy_file(self, fresh, fs::copy_options::overwrite_existing, status);
        if (!status) {
            fs::permissions(fresh,
                            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec,
                            status);
        }
    }
    if (!RenameIntoPlace(fresh, explorer, status, error)) {
        return false;
    }
    out << "EXPLORER.EXE: " << how << self << (existed ? " (replaced)" : " (created)") << "\n";
    return true;
}

}  // namespace quorvel::standin
