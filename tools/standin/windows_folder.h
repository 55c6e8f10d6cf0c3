#pragma once

#include <ostream>
#include <string>

namespace quorvel::standin {

// Makes the folder that stands in for the Windows directory ready for starting the clients:
// the folder itself, the two junction files and EXPLORER.EXE (a link to `self`, or a copy
// where links cannot be made). Existing junction files are left alone; an EXPLORER.EXE that
// is not this program is replaced. Reports one line per item; false, with `error` set, when
// something could not be made.
bool PrepareWindowsFolder(const std::string& windowsDir, const std::string& self, std::ostream& out,
                          std::string& error);

}  // namespace quorvel::standin
