#include "windows_folder.h"

#include <filesystem>
#include <fstream>

#include "client_kind.h"
#include "place_explorer.h"

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

}  // namespace

bool RenameIntoPlace(const fs::path& fresh, const fs::path& target, std::error_code made,
                     std::string& error) {
    if (!made) {
        fs::rename(fresh, target, made);
    }
    if (made) {
        std::error_code ignored;
        fs::remove(fresh, ignored);
        error = "cannot place " + target.string() + ": " + made.message();
        return false;
    }
    return true;
}

bool PrepareWindowsFolder(const std::string& windowsDir, const std::string& self, std::ostream& out,
                          std::string& error) {
    if (self.empty()) {
        error = "cannot tell where this program lives";
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
