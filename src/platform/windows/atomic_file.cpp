#include "platform/atomic_file.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "platform/windows/win32_error.h"

namespace quorvel::platform {
namespace {

// Here GetLastError, not errno, tells the caller the cause of a failure: every way out restores
// the code of the step that failed.
std::string Failure(const std::string& what, const std::string& path, DWORD error) {
    const std::string message = what + " \"" + path + "\": " + SystemMessage(error);
    SetLastError(error);
    return message;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name beside the target that no other writer picks at the same time.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return FolderOf(path) + "\\." + NameOf(path) + "." + std::to_string(GetCurrentProcessId()) +
           "." + std::to_string(counter++) + ".tmp";
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string temporary = TemporaryName(path);
    const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Failure("Cannot create a temporary file in", FolderOf(path), GetLastError());
    }
    const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    const DWORD writeError = GetLastError();
    CloseHandle(file);
    if (!written) {
        DeleteFileA(temporary.c_str());
        return Failure("Cannot write", temporary, writeError);
    }
    // Write-through: the rename has reached the disk when the call returns.
    if (!MoveFileExA(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD moveError = GetLastError();
        DeleteFileA(temporary.c_str());
        return Failure("Cannot replace", path, moveError);
    }
    return "";
}

}  // namespace quorvel::platform
