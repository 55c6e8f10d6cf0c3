#include "platform/windows_processes.h"

#include <windows.h>

#include <limits>
#include <vector>

#include "platform/windows/win32_error.h"

namespace quorvel::platform {
namespace {

constexpr DWORD kCloseWaitMs = 2000;
constexpr DWORD kFrontWaitMs = 1000;
constexpr DWORD kRaiseWaitMs = 1500;
constexpr DWORD kSettleMs = 300;
constexpr DWORD kPollMs = 20;

bool IsProcessId(app::TaskId task) {
    return task > 0 && task <= std::numeric_limits<DWORD>::max();
}

struct WindowSearch {
    DWORD process = 0;
    HWND found = nullptr;
};

// The task's main window, as AppActivate finds it: visible, top-level and owned by no other
// window.
BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND MainWindowOf(DWORD process) {
    WindowSearch search{process, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// True when `window` or a window it owns (its menu, say) is the one in front.
bool IsInFront(HWND window) {
    const HWND front = GetForegroundWindow();
    return front != nullptr && (front == window || GetAncestor(front, GA_ROOTOWNER) == window);
}

// True when no window but those that stay on top of all is above `window`.
bool IsOnTop(HWND window) {
    for (HWND above = GetTopWindow(nullptr); above != nullptr && above != window;
         above = GetWindow(above, GW_HWNDNEXT)) {
        const bool stays = (GetWindowLongPtrA(above, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        if (IsWindowVisible(above) && !stays && GetAncestor(above, GA_ROOTOWNER) != window) {
            return false;
        }
    }
    return true;
}

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

WindowsProcesses::~WindowsProcesses() {
    for (const auto& [task, process] : started_) {
        CloseHandle(process);
    }
}

app::TaskId WindowsProcesses::Start(const std::string& program, const std::string& argument,
                                    int windowStyle, std::string& error) {
    error.clear();
    std::string commandLine = "\"" + program + "\" " + argument;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION info{};
    // No handles inherited and no console of ours: the client lives on its own after we end.
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup,
                        &info)) {
        error = program + ": " + SystemMessage(GetLastError());
        return 0;
    }
    CloseHandle(info.hThread);
    const app::TaskId task = info.dwProcessId;
    if (const auto old = started_.find(task); old != started_.end()) {
        CloseHandle(old->second);
    }
    started_[task] = info.hProcess;
    ended_.erase(task);
    return task;
}

bool WindowsProcesses::Activate(app::TaskId task) {
    // A failed activation leaves nothing active, so a following Alt+F4 cannot reach a window the
    // caller no longer means.
    activeWindow_ = nullptr;
    if (!IsProcessId(task) || ended_.contains(task)) {
        return false;
    }
    if (const auto ours = started_.find(task); ours != started_.end()) {
        if (WaitForSingleObject(ours->second, 0) != WAIT_TIMEOUT) {
            CloseHandle(ours->second);
            started_.erase(ours);
            ended_.insert(task);
            return false;
        }
    }
    const HWND window = MainWindowOf(static_cast<DWORD>(task));
    if (window == nullptr) {
        return false;
    }
    // As AppActivate does: a minimized window is restored, brought to the keyboard and to the top
    // of the others. Wine's desktop may leave it below them, or put another over it a moment
    // after, while it carries out the activation; and a plain raise from another process does
    // not always move it. A moment on top of all windows does: repeated until the window has
    // stayed on top for a while (a second and a half at most).
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    }
    SetForegroundWindow(window);
    DWORD onTopFor = 0;
    for (DWORD waited = 0; onTopFor < kSettleMs && waited < kRaiseWaitMs; waited += kPollMs) {
        if (IsOnTop(window)) {
            onTopFor += kPollMs;
        } else {
            onTopFor = 0;
            constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kOrderOnly);
            SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kOrderOnly);
        }
        Sleep(kPollMs);
    }
    activeWindow_ = window;
    return true;
}

bool WindowsProcesses::SendKeys(std::string_view keys) {
    const HWND window = static_cast<HWND>(activeWindow_);
    if (!app::IsAltF4(keys) || window == nullptr || !IsWindow(window)) {
        return false;
    }
    // Keystrokes go to whatever window is in front: if the activated one is not (Windows may
    // refuse to hand the front over, or not have done it yet), they must not go at all.
    if (!IsInFront(window)) {
        SetForegroundWindow(window);
        for (DWORD waited = 0; !IsInFront(window); waited += kPollMs) {
            if (waited >= kFrontWaitMs) {
                return false;
            }
            Sleep(kPollMs);
        }
    }
    INPUT inputs[] = {Key(VK_MENU, false), Key(VK_F4, false), Key(VK_F4, true), Key(VK_MENU, true)};
    const UINT count = static_cast<UINT>(std::size(inputs));
    if (SendInput(count, inputs, sizeof(INPUT)) != count) {
        return false;
    }
    for (DWORD waited = 0; waited < kCloseWaitMs && IsWindow(window) && IsInFront(window);
         waited += kPollMs) {
        Sleep(kPollMs);
    }
    return true;
}

}  // namespace quorvel::platform
