#pragma once

#include <string>

namespace quorvel::standin {

// Adds `line` to the end of `file`, creating it, in one write: lines of clients started at the
// same moment never mix. Nothing is told on failure; the log is for tests to read.
void AppendLine(const std::string& file, const std::string& line);

}  // namespace quorvel::standin
