#pragma once

#include <string>
#include <string_view>

#include "app/platform.h"

namespace quorvel::app {

class Program;

// The about box's text, the same from the tray and the settings window.
std::string AboutText(std::string_view version);

// Opens the help document of the program in `folder` (its own folder), beside it or in its
// installed data folder, in the browser the program remembers, or else the registered one: the
// browser's task, or 0 when none could be started (the user has been told).
TaskId StartHelp(Program& program, const std::string& folder);

}  // namespace quorvel::app
