// A stand-in client for the process tests: it writes the show command it was started with into
// the file its command line names, then shows one top-level window until that window is closed.
// Started with "nowindow" after the file name, it runs for a minute without any window.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    std::string report = commandLine;
    const bool noWindow = report.size() > 9 && report.ends_with(" nowindow");
    if (noWindow) {
        report.resize(report.size() - 9);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    if (FILE* file = std::fopen(report.c_str(), "w")) {
        std::fprintf(file, "%d",
                     (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1);
        std::fclose(file);
    }
    if (noWindow) {
        Sleep(60000);
        return 0;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuorvelWindowHelper";
    RegisterClassA(&windowClass);
    const HWND window =
        CreateWindowA("QuorvelWindowHelper", "Window helper", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 3;  // no desktop to show a window on
    }
    ShowWindow(window, SW_SHOWDEFAULT);  // the show command the process was started with
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
