#include "platform/instance_mutex.h"

#include <windows.h>

#include <utility>

namespace quorvel::platform {

InstanceMutex::InstanceMutex(std::string name) : name_(std::move(name)) {}

InstanceMutex::~InstanceMutex() {
    if (handle_ != nullptr) {
        CloseHandle(handle_);
    }
}

bool InstanceMutex::AnotherInstanceRunning() {
    if (handle_ != nullptr) {
        return false;
    }
    // Whoever creates the mutex first is the running instance; everyone after it only finds
    // it. Ownership does not matter, only that the mutex exists.
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, name_.c_str());
    const DWORD error = GetLastError();
    if (mutex == nullptr) {
        // Access refused: the mutex exists, made by an instance running elevated. Anything else
        // tells nothing, and refusing to start would be worse than a second instance.
        return error == ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return true;
    }
    handle_ = mutex;
    return false;
}

}  // namespace quorvel::platform
