#pragma once

#include <cmath>

#include "registry/registry.h"

namespace quorvel::app {

// The windows were designed in twips, 1440 to the logical inch; a screen has `dpi` logical dots
// per inch.
inline constexpr double kTwipsPerInch = 1440.0;
inline int TwipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}
inline double PixelsToTwips(double pixels, double dpi) {
    return pixels * kTwipsPerInch / dpi;
}

// The settings window's outer frame, in twips from the screen's top left corner.
struct WindowTwips {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The screen's size in twips when the window opens.
struct ScreenTwips {
    double width = 0;
    double height = 0;
};

// Writes "Width", "Height", "Top" and "Left" under the program's key, as decimal text.
void SaveWindowPlacement(registry::Registry& reg, const WindowTwips& window);

// Where the window opens: the stored placement when all of it still fits the screen, else 70 %
// of the screen's width and 77 % of its height, centred. A stored size may exceed the screen by
// 2 % (a maximized window's frame hangs over its edges); a position may reach the far edge.
WindowTwips RestoreWindowPlacement(registry::Registry& reg, const ScreenTwips& screen);

class Program;
// The same, on the program's store.
void SaveWindowPlacement(Program& program, const WindowTwips& window);
WindowTwips RestoreWindowPlacement(Program& program, const ScreenTwips& screen);

}  // namespace quorvel::app
