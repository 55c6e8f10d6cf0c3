#pragma once

#include <filesystem>
#include <ostream>
#include <string>

namespace quorvel::standin {

// Puts EXPLORER.EXE in `folder`: a program that runs as `self` does, its name telling it to play
// the Explorer. Reports one line; false, with `error` set, when it could not be placed.
bool PlaceExplorer(const std::filesystem::path& folder, const std::string& self, std::ostream& out,
                   std::string& error);

}  // namespace quorvel::standin
