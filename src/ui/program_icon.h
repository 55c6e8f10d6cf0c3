#pragma once

#include <QIcon>

namespace quorvel::ui {

// The program's icon: drawn from its SVG where Qt has the SVG image plugin, else from the PNG
// sizes rendered from it (the Windows build ships no SVG plugin).
QIcon ProgramIcon();

}  // namespace quorvel::ui
