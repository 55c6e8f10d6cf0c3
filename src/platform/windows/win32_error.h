#pragma once

#include <string>

namespace quorvel::platform {

// The system's text for a GetLastError code, without its trailing line break.
std::string SystemMessage(unsigned long error);

}  // namespace quorvel::platform
