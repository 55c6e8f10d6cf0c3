#include "support/wine.h"

#include <windows.h>

namespace quorvel::testing {

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace quorvel::testing
