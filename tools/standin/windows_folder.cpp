#include "windows_folder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "client_kind.h"

namespace fs = std::filesystem;

namespace quorvel::standin {
namespace {

std::string JunctionText(ClientKind kind) {
    const std::string title(ClientTitle(kind));
    return "This file starts " + title +
           ". EXPLORER.EXE in this folder opens it when given /root, and its full path.\n"
           "A copy under another name with the same ending starts " +
           title + " as well.\n";
}

bool WriteJunction(const fs::path& folder, ClientKind kind, std::ostream& out, std::string& error) {
    const fs::path file = folder / JunctionFileName(kind);
    std::error_code status;
    if (fs::exists(file, status)) {
        out << JunctionFileName(kind) << ": already there\n";
        return true;
    }
    std::ofstream stream(file, std::ios::binary);
    stream << JunctionText(kind);
    stream.close();
    if (!stream) {
        error = "cannot write " + file.string();
        return false;
    }
    out << JunctionFileName(kind) << ": created\n";
    return true;
}

// A link is replaced by renaming a fresh one over it, so that a client being started at this
// moment finds either the old EXPLORER.EXE or the new one, never none.
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
    if (!status) {
        fs::rename(fresh, explorer, status);
    }
    if (status) {
        std::error_code ignored;
        fs::remove(fresh, ignored);
        error = "cannot place " + explorer.string() + ": " + status.message();
        return false;
    }
    out << "EXPLORER.EXE: " << how << self << (existed ? " (replaced)" : " (created)") << "\n";
    return true;
}

}  // namespace

bool PrepareWindowsFolder(const std::string& windowsDir, const std::string& self, std::ostream& out,
                          std::string& error) {
    if (self.empty()) {
        error = "cannot tell where this program lives (/proc/self/exe)";
        return false;
    }
    const fs::path folder(windowsDir);
    std::error_code status;
    const bool created = fs::create_directories(folder, status);
    if (status || !fs::is_directory(folder, status)) {
        error = "cannot create the Windows directory " + windowsDir +
                (status ? ": " + status.message() : std::string());
        return false;
    }
    out << "Windows directory: " << windowsDir << (created ? " (created)" : " (already there)")
        << "\n";
    return WriteJunction(folder, ClientKind::Mail, out, error) &&
           WriteJunction(folder, ClientKind::News, out, error) &&
           PlaceExplorer(folder, self, out, error);
}

}  // namespace quorvel::standin
