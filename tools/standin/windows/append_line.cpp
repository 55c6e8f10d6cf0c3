#include <windows.h>

#include "append_line.h"

namespace quorvel::standin {

void AppendLine(const std::string& file, const std::string& line) {
    // Append-only access makes every write go to the end, whoever else has the file open.
    const HANDLE handle =
        CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(handle);
}

}  // namespace quorvel::standin
