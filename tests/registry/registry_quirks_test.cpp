// What the layer does when the backend misbehaves between two calls, which a real store only
// does under a race: a fake key makes it happen on demand.
#include <gtest/gtest.h>

#include "registry_fixture.h"

namespace quorvel::testing {
namespace {

using namespace registry;

// Reports five bytes, then fails or succeeds the read that should fetch them.
class ScriptedKey final : public OpenKey {
  public:
    ScriptedKey(std::uint32_t type, long secondRead) : type_(type), secondRead_(secondRead) {}
    long queryValue(std::string_view, std::uint32_t& t, std::span<std::uint8_t> data,
                    std::uint32_t& s) override {
        t = type_;
        s = data.empty() ? 5 : 0;
        return data.empty() ? ERROR_SUCCESS : secondRead_;
    }
    long setValue(std::string_view, std::uint32_t, std::span<const std::uint8_t>) override {
        return ERROR_SUCCESS;
    }
    long deleteValue(std::string_view) override { return ERROR_SUCCESS; }
    long deleteSubKeyTree(std::string_view) override { return ERROR_SUCCESS; }
    long subKeyNames(std::vector<std::string>&) override { return ERROR_SUCCESS; }
    long values(std::vector<RawValue>&) override { return ERROR_SUCCESS; }

  private:
    std::uint32_t type_;
    long secondRead_;
};

class RegistryQuirks : public RegistryFixture {};

TEST_F(RegistryQuirks, WhatAFailedOrEmptySecondReadLeavesInTheVariant) {
    const struct {
        std::uint32_t type;
        long secondRead;
        Variant before, after;
    } cases[] = {
        {REG_SZ, ERROR_MORE_DATA, Variant("before"), Variant()},
        {REG_DWORD, ERROR_MORE_DATA, Variant("before"), Variant("before")},
        {REG_BINARY, ERROR_MORE_DATA, Variant("before"), Variant("before")},
        // Binary text is appended to what the variant held.
        {REG_BINARY, ERROR_SUCCESS, Variant(5), Variant("53D")},
    };
    for (const auto& c : cases) {
        ScriptedKey key(c.type, c.secondRead);
        Variant value = c.before;
        EXPECT_EQ(reg.QueryValue(&key, "x", value), c.secondRead) << c.type;
        EXPECT_EQ(value, c.after) << c.type;
    }
    Variant value(3);
    EXPECT_EQ(reg.QueryValue(nullptr, "x", value), -1);
    EXPECT_EQ(value, Variant(3));
    EXPECT_EQ(reg.StoreValue(nullptr, "x", REG_SZ, Variant("a")), ERROR_INVALID_HANDLE);
    EXPECT_EQ(reg.StoreValue(nullptr, "x", REG_EXPAND_SZ, Variant("a")), ERROR_SUCCESS);
}

}  // namespace
}  // namespace quorvel::testing
