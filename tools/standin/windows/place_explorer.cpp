#include <windows.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "place_explorer.h"

namespace fs = std::filesystem;

namespace quorvel::standin {
namespace {

bool SameContents(const fs::path& a, const fs::path& b) {
    std::error_code status;
    if (!fs::is_regular_file(b, status) || fs::file_size(a, status) != fs::file_size(b, status) ||
        status) {
        return false;
    }
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    return first && second &&
           std::equal(std::istreambuf_iterator<char>(first), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(second), std::istreambuf_iterator<char>());
}

bool IsLibrary(const fs::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".dll";
}

// A copy whose contents are already there is left alone: a running client holds it open.
bool CopyIfChanged(const fs::path& from, const fs::path& to, std::string& error) {
    if (SameContents(from, to)) {
        return true;
    }
    std::error_code status;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, status);
    if (status) {
        error = "cannot copy " + from.string() + " to " + to.string() + ": " + status.message();
        return false;
    }
    return true;
}

// The libraries in one folder.
bool CopyLibraries(const fs::path& from, const fs::path& to, int& copied, std::string& error) {
    std::error_code status;
    fs::create_directories(to, status);
    for (const fs::directory_entry& entry : fs::directory_iterator(from, status)) {
        if (IsLibrary(entry.path())) {
            if (!CopyIfChanged(entry.path(), to / entry.path().filename(), error)) {
                return false;
            }
            ++copied;
        }
    }
    if (status) {
        error = "cannot copy the libraries of " + from.string() + ": " + status.message();
        return false;
    }
    return true;
}

// The libraries the program loads from its own folder, and Qt's platform plugin beside them.
bool CopyLibrariesOf(const fs::path& programFolder, const fs::path& to, int& copied,
                     std::string& error) {
    std::error_code status;
    return CopyLibraries(programFolder, to, copied, error) &&
           (!fs::is_directory(programFolder / "platforms", status) ||
            CopyLibraries(programFolder / "platforms", to / "platforms", copied, error));
}

}  // namespace

// Windows has no links a user may make, and a program started through a link would not find
// its libraries: EXPLORER.EXE is a copy, with copies of the libraries beside it. A fresh copy is
// renamed over the old one.
bool PlaceExplorer(const fs::path& folder, const std::string& self, std::ostream& out,
                   std::string& error) {
    const fs::path explorer = folder / "EXPLORER.EXE";
    int libraries = 0;
    if (!CopyLibrariesOf(fs::path(self).parent_path(), folder, libraries, error)) {
        return false;
    }
    const std::string beside = " with " + std::to_string(libraries) + " libraries beside it";
    if (SameContents(self, explorer)) {
        out << "EXPLORER.EXE: copy of " << self << beside << " (already there)\n";
        return true;
    }
    std::error_code status;
    const bool existed = fs::exists(explorer, status);
    const fs::path fresh = folder / (".EXPLORER.EXE." + std::to_string(GetCurrentProcessId()));
    fs::copy_file(self, fresh, fs::copy_options::overwrite_existing, status);
    if (!RenameIntoPlace(fresh, explorer, status, error)) {
        return false;
    }
    out << "EXPLORER.EXE: copy of " << self << beside << (existed ? " (replaced)" : " (created)")
        << "\n";
    return true;
}

}  // namespace quorvel::standin
