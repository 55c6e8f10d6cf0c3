#pragma once

#include <optional>
#include <string>
#include <utility>

#include "profiles/file_system.h"

namespace quorvel::profiles {

// The Windows hosts file for a profile that polls several POP3 accounts: generated from the
// account profiles (a localhost line, an empty line, "address   name" per account) or copied
// from a file the user keeps in the Windows directory. The text is built in memory and written
// once, whole, at Finish.
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
    // Writes the hosts file, or deletes it when an address was bad.
    std::optional<FileError> Finish();
    // Puts back the hosts file that Finish replaced or deleted, for a switch that was undone
    // after it: the file has to keep matching the client's keys.
    void Restore();

    std::string HostsPath() const;
    std::string NamedFilePath(const std::string& namedFile) const;

  private:
    enum class Before { Unknown, Missing, Present };

    FileSystem& files_;
    std::string winDir_;
    std::string text_;
    bool openForLines_ = false;
    bool badAddress_ = false;
    // The hosts file as Finish found it; Unknown when it could not be read or Finish did not
    // change it.
    Before before_ = Before::Unknown;
    std::string beforeText_;
};

}  // namespace quorvel::profiles
