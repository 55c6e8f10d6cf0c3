#include "profiles/file_system.h"

namespace quorvel::profiles {

FileError MakeFileError(FileFault fault) {
    const int number = static_cast<int>(fault);
    switch (fault) {
        case FileFault::FileNotFound:
            return {number, "File not found"};
        case FileFault::DeviceIo:
            return {number, "Device I/O error"};
        case FileFault::DiskFull:
            return {number, "Disk full"};
        case FileFault::TooManyFiles:
            return {number, "Too many files"};
        case FileFault::PermissionDenied:
            return {number, "Permission denied"};
        case FileFault::PathFileAccess:
            return {number, "Path/File access error"};
        case FileFault::PathNotFound:
            return {number, "Path not found"};
    }
    return {number, "Device I/O error"};
}

}  // namespace quorvel::profiles
