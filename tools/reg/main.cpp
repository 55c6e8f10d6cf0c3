#include <iostream>
#include <string>
#include <vector>

#include "reg_tool.h"
#include "registry/store_error.h"
#ifdef _WIN32
#include "registry/win32/win32_hive.h"
#else
#include "platform/data_locations.h"
#include "registry/sqlite/sqlite_hive.h"
#endif

int main(int argc, char** argv) {
    using namespace quorvel;
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
#ifdef _WIN32
        registry::Win32Hive hive;
#else
        registry::SqliteHive hive(platform::RegistryStorePath(platform::SystemEnvironment()));
#endif
        regtool::Console console{std::cin, std::cout, std::cerr};
        return regtool::RunRegTool(args, hive, console);
    } catch (const registry::StoreError& error) {
        std::cerr << "ERROR: " << error.what() << '\n';
        return 1;
    }
}
