// What the layer does when the backend misbehaves between two calls, which a real store only
// does under a race: a fake key makes it happen on demand.
#include <gtest/gtest.h>

#include "registry/registry.h"

namespace quorvel::testing {
namespace {

using namespace registry;

class ScriptedKey final : public OpenKey {
  public:
    std::uint32_t type = REG_SZ;
    std::uint32_t size = 5;
    long secondRead = ERROR_MORE_DATA;

    long queryValue(std::string_view, std::uint32_t& t, std::span<std::uint8_t> data,
                    std::uint32_t& s) override {
        t = type;
        s = size;
        return data.empty() ? ERROR_SUCCESS : secondRead;
    }
    long setValue(std::string_view, std::uint32_t, std::span<const std::uint8_t>) override {
        return ERROR_SUCCESS;
    }
    long deleteValue(std::string_view) override { return ERROR_SUCCESS; }
    long deleteSubKeyTree(std::string_view) override { return ERROR_SUCCESS; }
    long subKeyNames(std::vector<std::string>&) override { return ERROR_SUCCESS; }
    long values(std::vector<RawValue>&) override { return ERROR_SUCCESS; }
};

class NoHive final : public Hive {
  public:
    std::unique_ptr<OpenKey> openKey(Root, std::string_view) override { return nullptr; }
    std::unique_ptr<OpenKey> createKey(Root, std::string_view) override { return nullptr; }
    std::unique_ptr<WriteScope> beginWrite() override { return nullptr; }
};

class NoFolders final : public SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

class QueryValue : public ::testing::Test {
  protected:
    NoHive hive;
    NoFolders folders;
    Registry reg{hive, folders};
};

TEST_F(QueryValue, FailedSecondReadOfTextLeavesAnEmptyVariant) {
    ScriptedKey key;
    Variant value("before");
    EXPECT_EQ(reg.QueryValue(&key, "x", value), ERROR_MORE_DATA);
    EXPECT_TRUE(value.isEmpty());
}

TEST_F(QueryValue, FailedSecondReadOfOtherTypesLeavesTheVariant) {
    for (const std::uint32_t type : {REG_DWORD, REG_BINARY}) {
        ScriptedKey key;
        key.type = type;
        Variant value("before");
        EXPECT_EQ(reg.QueryValue(&key, "x", value), ERROR_MORE_DATA);
        EXPECT_EQ(value, Variant("before"));
    }
}

TEST_F(QueryValue, BinaryTextIsAppendedToWhatTheVariantHeld) {
    ScriptedKey key;
    key.type = REG_BINARY;
    key.size = 0;
    key.secondRead = ERROR_SUCCESS;
    Variant value(5);
    EXPECT_EQ(reg.QueryValue(&key, "x", value), ERROR_SUCCESS);
    EXPECT_EQ(value, Variant("53D"));
}

TEST_F(QueryValue, NullKeyFailsWithoutTouchingTheVariant) {
    Variant value(3);
    EXPECT_EQ(reg.QueryValue(nullptr, "x", value), -1);
    EXPECT_EQ(value, Variant(3));
    EXPECT_EQ(reg.StoreValue(nullptr, "x", REG_SZ, Variant("a")), ERROR_INVALID_HANDLE);
    EXPECT_EQ(reg.StoreValue(nullptr, "x", REG_EXPAND_SZ, Variant("a")), ERROR_SUCCESS);
}

}  // namespace
}  // namespace quorvel::testing
