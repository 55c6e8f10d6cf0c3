// Behaviour of the registry access layer, asserted through its own operations only, so that the
// same cases hold for every backend.
#include <gtest/gtest.h>

#include "registry_fixture.h"
#include "support/wine.h"

namespace quorvel::testing {
namespace {

using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_SZ;
using registry::Root;

constexpr const char* kKey = "Software\\Quorvel!\\Test";

class RegistryLayer : public RegistryFixture {
  protected:
    std::string get(std::string_view path, std::string_view name) {
        reg.GetValue(path, name);
        return reg.RegValue.text();
    }
};

TEST_F(RegistryLayer, ReadingGivesTextNumbersAndHexOfEachType) {
    const struct {
        const char* name;
        std::uint32_t type;
        std::vector<std::uint8_t> stored;
        Variant expected;
    } cases[] = {
        {"text", REG_SZ, Bytes(std::string("Work\0", 5)), Variant("Work")},
        {"text without its NUL", REG_SZ, Bytes("Work"), Variant("Work")},
        {"negative number", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, Variant(-1)},
        {"short number", REG_DWORD, {0x34, 0x12}, Variant(0x1234)},
        {"oversized number", REG_DWORD, {1, 2, 3, 4, 5}, Variant("")},
        {"binary", REG_BINARY, Bytes("abc="), Variant("61 62 63 3D 3D")},
        {"binary with a low byte", REG_BINARY, {0x41, 0x05, 0x42}, Variant("41 3D42 3D")},
        {"other type", registry::REG_EXPAND_SZ, Bytes(std::string("x\0", 2)), Variant("")},
    };
    for (const auto& c : cases) {
        putRaw(kKey, c.name, c.type, c.stored);
        reg.RegValue = Variant(7);
        reg.GetValue(kKey, c.name);
        EXPECT_EQ(reg.RegValue, c.expected) << c.name;
    }
    // Missing values and keys read as empty text, even where a number was before.
    for (const auto& [path, name] : {std::pair{kKey, "absent"}, {"Software\\Nowhere", "x"}}) {
        reg.RegValue = Variant(42);
        EXPECT_EQ(get(path, name), "") << path;
        EXPECT_TRUE(reg.RegValue.isText()) << path;
    }
    // A binary value that fills the buffer is read whole; one byte more is unreadable.
    putRaw(kKey, "full", REG_BINARY, std::vector<std::uint8_t>(256, 0x41));
    EXPECT_EQ(get(kKey, "full").size(), 3u * 256);
    putRaw(kKey, "over", REG_BINARY, std::vector<std::uint8_t>(257, 0x41));
    EXPECT_EQ(get(kKey, "over"), "");

    ASSERT_EQ(hive.createKey(Root::LocalMachine, kKey)->setValue("m", REG_SZ, Bytes("lm")), 0);
    reg.GetValue(kKey, "m", Root::LocalMachine);
    EXPECT_EQ(reg.RegValue.text(), "lm");
    EXPECT_EQ(get(kKey, "m"), "");
}

TEST_F(RegistryLayer, WritingConvertsTheVariantToTheTypeAndNeverCreatesAKey) {
    const struct {
        Variant value;
        std::uint32_t type;
        std::optional<std::vector<std::uint8_t>> stored;
    } cases[] = {
        {Variant(), REG_SZ, std::vector<std::uint8_t>{0}},
        {Variant(12), REG_SZ, Bytes(std::string("12\0", 3))},
        {Variant("-1"), REG_DWORD, std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}},
        {Variant("abc"), REG_DWORD, std::nullopt},
        {Variant("YWJj"), REG_BINARY, Bytes("YWJj=")},
        {Variant("YQ=="), REG_BINARY, Bytes("YQ==")},
        {Variant("x"), registry::REG_EXPAND_SZ, std::nullopt},
    };
    reg.CreateKey(kKey, Root::CurrentUser);
    int index = 0;
    for (const auto& c : cases) {
        const std::string name = "v" + std::to_string(index++);
        reg.SetValue(kKey, name, c.value, c.type);
        EXPECT_EQ(getRaw(kKey, name), c.stored) << name;
    }
    EXPECT_NE(reg.SetValue("Software\\New", "x", Variant("1"), REG_SZ), 0);
    EXPECT_EQ(hive.openKey(Root::CurrentUser, "Software\\New"), nullptr);
}

TEST_F(RegistryLayer, NamesIgnoreCaseAndKeepTheirOwn) {
    EXPECT_TRUE(reg.CreateKey("Software\\Quorvel!\\Profiles\\Work", Root::CurrentUser));
    reg.SetValue("software\\QUORVEL!\\profiles\\WORK", "Display Name", Variant("Ann"), REG_SZ);
    EXPECT_TRUE(reg.CreateKey("SOFTWARE\\quorvel!\\PROFILES\\work", Root::CurrentUser));
    reg.SetValue("Software\\Quorvel!\\Profiles\\Work", "DISPLAY NAME", Variant("Bob"), REG_SZ);
    EXPECT_EQ(get("SOFTWARE\\QUORVEL!\\PROFILES\\WORK", "display name"), "Bob");

    std::vector<registry::RawValue> values;
    hive.openKey(Root::CurrentUser, "Software\\Quorvel!\\Profiles\\Work")->values(values);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "Display Name");

    reg.CreateKey("Software\\Ärger", Root::CurrentUser);
    EXPECT_NE(hive.openKey(Root::CurrentUser, "SOFTWARE\\äRGER"), nullptr);
}

TEST_F(RegistryLayer, DeleteRemovesTheWholeSubtreeAndNothingElse) {
    reg.CreateKey("P\\Work\\Accounts\\Home", Root::CurrentUser);
    reg.CreateKey("P\\Workshop", Root::CurrentUser);
    reg.SetValue("P\\Work\\Accounts\\Home", "Server", Variant("pop"), REG_SZ);
    auto deleted = hive.openKey(Root::CurrentUser, "P\\Work");
    reg.DeleteKey("P", "work");
    EXPECT_EQ(hive.openKey(Root::CurrentUser, "P\\Work"), nullptr);
    EXPECT_EQ(deleted->setValue("x", REG_SZ, {}), registry::ERROR_KEY_DELETED);
    reg.CreateKey("P\\Work\\Accounts\\Home", Root::CurrentUser);
    EXPECT_EQ(get("P\\Work\\Accounts\\Home", "Server"), "");

    reg.DeleteKey("Nowhere", "Workshop");
    EXPECT_EQ(reg.DeleteKey("P", ""), registry::ERROR_INVALID_PARAMETER);
    EXPECT_NE(hive.openKey(Root::CurrentUser, "P\\Workshop"), nullptr);
}

TEST_F(RegistryLayer, SubKeysAreSortedWithoutRegardToCaseTrimmedAndWithOneSpareElement) {
    for (const char* name : {"b", "A_", "AB", "c ", "a"}) {
        reg.CreateKey(std::string("E\\") + name, Root::CurrentUser);
    }
    reg.GetSubKeys("E");
    // Windows compares upper-cased names, so "_" (between the upper- and the lower-case letters)
    // sorts after "B"; Wine compares lower-cased names and sorts it before.
    const std::vector<std::string> expected =
        RunningUnderWine() ? std::vector<std::string>{"a", "A_", "AB", "b", "c", ""}
                           : std::vector<std::string>{"a", "AB", "A_", "b", "c", ""};
    EXPECT_EQ(reg.SubKeyNames, expected);
    reg.GetSubKeys("Missing");
    ASSERT_EQ(reg.SubKeyNames.size(), 2u);  // the rest is left from before
    EXPECT_EQ(reg.SubKeyNames[0], "");
}

TEST_F(RegistryLayer, EveryTypeAndByteSurvivesAndValuesKeepTheirPlace) {
    // Text is left to the cases above: Windows passes it through the ANSI code page.
    std::vector<std::uint8_t> all(1000);
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<std::uint8_t>(i * 7);
    }
    for (const std::uint32_t type : {0u, 3u, 4u, 11u, 0x12345u}) {
        putRaw(kKey, std::to_string(type), type, all);
        std::uint32_t found = 99;
        EXPECT_EQ(getRaw(kKey, std::to_string(type), &found), all) << type;
        EXPECT_EQ(found, type);
    }
    for (const char* name : {"zeta", "alpha"}) {
        putRaw("Order", name, REG_SZ, {0});
    }
    std::vector<registry::RawValue> values;
    hive.openKey(Root::CurrentUser, "Order")->values(values);
    // Wine keeps a key's values sorted by name; Windows lists them in the order they were created.
    EXPECT_EQ(values.at(0).name, RunningUnderWine() ? "alpha" : "zeta");
}

}  // namespace
}  // namespace quorvel::testing
