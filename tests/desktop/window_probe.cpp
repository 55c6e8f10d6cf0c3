// What a person sees of the windows on a Windows desktop, for the Wine walk, whose windows live
// inside Wine's own desktop where the X tools cannot tell them apart.
//   window_probe foreground      the title of the window in front
//   window_probe top             the title of the topmost visible window that has one
//   window_probe visible TITLE   how many visible top-level windows have that title
//   window_probe exists TITLE    how many top-level windows have it, hidden ones too
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string TitleOf(HWND window) {
    char title[512] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

struct Count {
    std::string title;
    bool visibleOnly = true;
    int found = 0;
};

// Windows are listed from the top down.
BOOL CALLBACK FindTop(HWND window, LPARAM context) {
    auto* title = reinterpret_cast<std::string*>(context);
    if (IsWindowVisible(window) && !TitleOf(window).empty()) {
        *title = TitleOf(window);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM context) {
    auto* count = reinterpret_cast<Count*>(context);
    if ((!count->visibleOnly || IsWindowVisible(window)) && TitleOf(window) == count->title) {
        ++count->found;
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "foreground" && argc == 2) {
        const HWND front = GetForegroundWindow();
        std::printf("%s\n", front != nullptr ? TitleOf(front).c_str() : "");
        return 0;
    }
    if (command == "top" && argc == 2) {
        std::string title;
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&title));
        std::printf("%s\n", title.c_str());
        return 0;
    }
    if ((command == "visible" || command == "exists") && argc == 3) {
        Count count{argv[2], command == "visible"};
        EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
        std::printf("%d\n", count.found);
        return 0;
    }
    std::fprintf(stderr, "usage: window_probe foreground | top | visible TITLE | exists TITLE\n");
    return 2;
}
