#include <iostream>
#include <string>
#include <vector>

#include "platform/data_locations.h"
#include "reg_tool.h"
#include "registry/sqlite/sqlite_hive.h"

int main(int argc, char** argv) {
    using namespace quorvel;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string store = platform::RegistryStorePath(platform::SystemEnvironment());
    try {
        registry::SqliteHive hive(store);
        regtool::Console console{std::cin, std::cout, std::cerr};
        return regtool::RunRegTool(args, hive, console);
    } catch (const registry::StoreError& error) {
        std::cerr << "ERROR: " << error.what() << '\n';
        return 1;
    }
}
