#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace quorvel::standin {

// Puts EXPLORER.EXE in `folder`: a program that runs as `self` does, its name telling it to play
// the Explorer. Reports one line; false, with `error` set, when it could not be placed.
bool PlaceExplorer(const std::filesystem::path& folder, const std::string& self, std::ostream& out,
                   std::string& error);

// Renames `fresh`, made for `target` (`made` tells why that failed, if it did), over `target`, so
// that a client being started at this moment finds the old one or the new one whole, never none.
// On failure `fresh` is removed and `error` says why.
bool RenameIntoPlace(const std::filesystem::path& fresh, const std::filesystem::path& target,
                     std::error_code made, std::string& error);

}  // namespace quorvel::standin
