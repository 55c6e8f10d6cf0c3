#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "registry/registry.h"
#include "support/store_view.h"
#include "support/temp_dir.h"
#include "support/test_hive.h"

namespace quorvel::testing {

class FixedFolders final : public registry::SystemFolders {
  public:
    std::optional<std::string> folder;
    std::optional<std::string> windowsDirectory() const override { return folder; }
};

// A registry layer on a store of its own: a fresh file on Linux, a fresh key on Windows.
class RegistryFixture : public ::testing::Test {
  protected:
    TempDir dir;
    TestHive hive{dir.file("registry.db")};
    FixedFolders folders;
    registry::Registry reg{hive, folders};

    // Writes raw bytes, bypassing the layer's conversions.
    void putRaw(const std::string& path, const std::string& name, std::uint32_t type,
                const std::vector<std::uint8_t>& data) {
        auto key = hive.createKey(registry::Root::CurrentUser, path);
        ASSERT_NE(key, nullptr);
        ASSERT_EQ(key->setValue(name, type, data), registry::ERROR_SUCCESS);
    }
    std::optional<std::vector<std::uint8_t>> getRaw(const std::string& path,
                                                    const std::string& name,
                                                    std::uint32_t* type = nullptr) {
        return ReadRaw(hive, path, name, type);
    }
};

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

}  // namespace quorvel::testing
