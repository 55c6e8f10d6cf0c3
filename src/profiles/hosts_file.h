#pragma once

#include <optional>
#include <string>
#include <utility>

#include "profiles/file_system.h"

namespace quorvel::profiles {

// What the hosts file must become: its whole new text, or no file at all.
struct HostsChange {
    bool remove = false;
    std::string text;
    bool operator==(const HostsChange&) const = default;
};

// Makes the file at `path` what `change` says, whole or not at all.
std::optional<FileError> CarryOut(FileSystem& files, const std::string& path,
                                  const HostsChange& change);

// The Windows hosts file for a profile that polls several POP3 accounts: generated from the
// account profiles (a localhost line, an empty line, "address   name" per account) or copied
// from a file the user keeps in the Windows directory. The text is built in memory; the file
// is changed only once the switch is stored (see SwitchIntent).
class HostsFile {
  public:
    HostsFile(FileSystem& files, std::string winDir) : files_(files), winDir_(std::move(winDir)) {}

    // Named-file mode copies `namedFile` (relative to the Windows directory); generated mode
    // starts the two fixed lines. Returns the error when the named file cannot be read; the
    // caller then tells the user and calls StartGenerated().
    std::optional<FileError> Prepare(bool namedFileMode, const std::string& namedFile);
    void StartGenerated();
    // One account's line; an address shorter than 6 characters spoils the whole file.
    void AddLine(const std::string& address, const std::string& accountProfile);
    // What the file must become: the text built, or no file when an address was bad.
    HostsChange Finish() const;

    std::string HostsPath() const;
    std::string NamedFilePath(const std::string& namedFile) const;

  private:
    FileSystem& files_;
    std::string winDir_;
    std::string text_;
    bool openForLines_ = false;
    bool badAddress_ = false;
};

}  // namespace quorvel::profiles
