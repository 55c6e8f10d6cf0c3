#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "reg_tool.h"
#include "support/temp_dir.h"
#include "support/test_hive.h"

namespace quorvel::testing {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class RegTool : public ::testing::Test {
  protected:
    TempDir dir;
    TestHive hive{dir.file("registry.db")};

    Outcome run(std::vector<std::string> args, const std::string& answers = "") {
        std::istringstream in(answers);
        std::ostringstream out;
        std::ostringstream err;
        regtool::Console console{in, out, err};
        const int status = regtool::RunRegTool(args, hive, console);
        return {status, out.str(), err.str()};
    }
    // The type and bytes of a value below HKEY_CURRENT_USER; nullopt when it is missing.
    std::optional<std::pair<std::uint32_t, std::vector<std::uint8_t>>> stored(
        const std::string& path, const std::string& name) {
        const auto key = hive.openKey(registry::Root::CurrentUser, path);
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (!key || key->queryValue(name, type, {}, size) != registry::ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> data(size);
        key->queryValue(name, type, data, size);
        return std::pair{type, data};
    }
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = dir.file(name);
        WriteBytes(path, bytes);
        return path;
    }
};

}  // namespace quorvel::testing
