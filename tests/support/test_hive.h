#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#ifdef _WIN32
#include "registry/win32/win32_hive.h"
#else
#include "registry/sqlite/sqlite_hive.h"
#endif

namespace quorvel::testing {

#ifdef _WIN32

// A registry of one test's own inside the real one: both roots below
// HKEY_CURRENT_USER\Software\QuorvelTest\<random>, deleted with everything in it afterwards.
class TestHive final : public registry::Hive {
  public:
    // The store file only matters to the SQLite backend.
    explicit TestHive(const std::string& /*storeFile*/ = {})
        : name_(std::to_string(std::random_device{}()) + "-" +
                std::to_string(std::random_device{}())),
          hive_(std::make_unique<registry::Win32Hive>(std::string(kParent) + "\\" + name_)) {}
    ~TestHive() override {
        hive_.reset();
        registry::Win32Hive user;
        if (const auto parent = user.openKey(registry::Root::CurrentUser, kParent)) {
            parent->deleteSubKeyTree(name_);
        }
    }

    std::unique_ptr<registry::OpenKey> openKey(registry::Root root,
                                               std::string_view path) override {
        return hive_->openKey(root, path);
    }
    std::unique_ptr<registry::OpenKey> createKey(registry::Root root,
                                                 std::string_view path) override {
        return hive_->createKey(root, path);
    }
    std::unique_ptr<registry::WriteScope> beginWrite() override { return hive_->beginWrite(); }

  private:
    static constexpr const char* kParent = "Software\\QuorvelTest";
    std::string name_;
    std::unique_ptr<registry::Win32Hive> hive_;
};

inline constexpr bool kStoreHasTransactions = false;

#else

using TestHive = registry::SqliteHive;
inline constexpr bool kStoreHasTransactions = true;

#endif

}  // namespace quorvel::testing

// For cases about grouped writes that are undone or become visible together: the Windows
// registry stores every write as it happens.
#define QUORVEL_SKIP_WITHOUT_TRANSACTIONS()                         \
    if (!::quorvel::testing::kStoreHasTransactions) {               \
        GTEST_SKIP() << "the Windows registry has no transactions"; \
    }
