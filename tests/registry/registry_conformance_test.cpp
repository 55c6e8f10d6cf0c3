// Behaviour of the registry access layer, asserted through its own operations only, so that the
// same cases hold for every backend.
#include <gtest/gtest.h>

#include <algorithm>

#include "registry_fixture.h"
#include "support/wine.h"

namespace quorvel::testing {
namespace {

using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_SZ;
using registry::Root;

constexpr const char* kKey = "Software\\Quorvel!\\Test";

class Reading : public RegistryFixture {};

TEST_F(Reading, GivesTextNumbersAndHexOfEachType) {
    struct Case {
        const char* name;
        std::uint32_t type;
        std::vector<std::uint8_t> stored;
        Variant expected;
    };
    const std::vector<Case> cases = {
        {"text", REG_SZ, Bytes(std::string("Work\0", 5)), Variant("Work")},
        {"text without its NUL", REG_SZ, Bytes("Work"), Variant("Work")},
        {"zero-length text", REG_SZ, {}, Variant("")},
        {"number", REG_DWORD, {1, 0, 0, 0}, Variant(1)},
        {"negative number", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, Variant(-1)},
        {"short number", REG_DWORD, {0x34, 0x12}, Variant(0x1234)},
        {"binary", REG_BINARY, Bytes("abc="), Variant("61 62 63 3D 3D")},
        {"zero-length binary", REG_BINARY, {}, Variant("3D")},
        {"binary with a low byte", REG_BINARY, {0x41, 0x05, 0x42}, Variant("41 3D42 3D")},
        {"other type", registry::REG_EXPAND_SZ, Bytes(std::string("x\0", 2)), Variant("")},
        {"oversized number", REG_DWORD, {1, 2, 3, 4, 5}, Variant("")},
    };
    for (const auto& c : cases) {
        putRaw(kKey, c.name, c.type, c.stored);
        reg.RegValue = Variant(7);
        reg.GetValue(kKey, c.name);
        EXPECT_EQ(reg.RegValue, c.expected) << c.name;
    }
}

TEST_F(Reading, MissingValueOrKeyGivesEmptyTextEvenAfterANumber) {
    reg.CreateKey(kKey, Root::CurrentUser);
    for (const auto& [path, name] : {std::pair{kKey, "absent"}, {"Software\\Nowhere", "x"}}) {
        reg.RegValue = Variant(42);
        reg.GetValue(path, name);
        EXPECT_TRUE(reg.RegValue.isText()) << path;
        EXPECT_EQ(reg.RegValue.text(), "") << path;
    }
}

TEST_F(Reading, BinaryBufferBoundsTheValue) {
    // Exactly the buffer: every byte, and no "3D" for the byte past the end.
    putRaw(kKey, "full", REG_BINARY, std::vector<std::uint8_t>(256, 0x41));
    reg.GetValue(kKey, "full");
    EXPECT_EQ(reg.RegValue.text().size(), 3u * 256);
    EXPECT_TRUE(reg.RegValue.text().ends_with("41 41 "));

    // One byte more is unreadable rather than cut short.
    putRaw(kKey, "over", REG_BINARY, std::vector<std::uint8_t>(257, 0x41));
    reg.GetValue(kKey, "over");
    EXPECT_EQ(reg.RegValue, Variant(""));
}

TEST_F(Reading, HiveArgumentChoosesTheRoot) {
    auto key = hive.createKey(Root::LocalMachine, kKey);
    ASSERT_EQ(key->setValue("where", REG_SZ, Bytes(std::string("machine\0", 8))), 0);
    reg.GetValue(kKey, "where", Root::LocalMachine);
    EXPECT_EQ(reg.RegValue.text(), "machine");
    reg.GetValue(kKey, "where");
    EXPECT_EQ(reg.RegValue.text(), "");
}

class Writing : public RegistryFixture {};

TEST_F(Writing, ConvertsTheVariantToTheType) {
    struct Case {
        Variant value;
        std::uint32_t type;
        std::optional<std::vector<std::uint8_t>> stored;
    };
    const std::vector<Case> cases = {
        {Variant("Work"), REG_SZ, Bytes(std::string("Work\0", 5))},
        {Variant(), REG_SZ, std::vector<std::uint8_t>{0}},
        {Variant(12), REG_SZ, Bytes(std::string("12\0", 3))},
        {Variant("1"), REG_DWORD, std::vector<std::uint8_t>{1, 0, 0, 0}},
        {Variant("-1"), REG_DWORD, std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}},
        {Variant(), REG_DWORD, std::vector<std::uint8_t>{0, 0, 0, 0}},
        {Variant("abc"), REG_DWORD, std::nullopt},
        {Variant("YWJj"), REG_BINARY, Bytes("YWJj=")},
        {Variant("YQ=="), REG_BINARY, Bytes("YQ==")},
        {Variant(""), REG_BINARY, Bytes("=")},
        {Variant("x"), registry::REG_EXPAND_SZ, std::nullopt},
    };
    reg.CreateKey(kKey, Root::CurrentUser);
    int index = 0;
    for (const auto& c : cases) {
        const std::string name = "v" + std::to_string(index++);
        reg.SetValue(kKey, name, c.value, c.type);
        EXPECT_EQ(getRaw(kKey, name), c.stored) << name << " " << c.value.text();
    }
}

TEST_F(Writing, NeverCreatesAKey) {
    EXPECT_NE(reg.SetValue("Software\\New", "x", Variant("1"), REG_SZ), 0);
    EXPECT_EQ(hive.openKey(Root::CurrentUser, "Software\\New"), nullptr);
    EXPECT_EQ(hive.openKey(Root::CurrentUser, "Software"), nullptr);
}

class Keys : public RegistryFixture {};

TEST_F(Keys, CreateMakesParentsAndKeepsAnExistingKey) {
    EXPECT_TRUE(reg.CreateKey("A\\B\\C", Root::CurrentUser));
    EXPECT_NE(hive.openKey(Root::CurrentUser, "A\\B"), nullptr);
    reg.SetValue("A\\B\\C", "kept", Variant("yes"), REG_SZ);
    EXPECT_TRUE(reg.CreateKey("A\\B\\C", Root::CurrentUser));
    reg.GetValue("A\\B\\C", "kept");
    EXPECT_EQ(reg.RegValue.text(), "yes");
}

TEST_F(Keys, InvalidPathsAreRefused) {
    for (const std::string& path :
         std::vector<std::string>{"A\\\\B", "\\A", std::string(256, 'k')}) {
        EXPECT_FALSE(reg.CreateKey(path, Root::CurrentUser)) << path;
    }
    EXPECT_TRUE(reg.CreateKey(std::string(255, 'k'), Root::CurrentUser));
    EXPECT_TRUE(reg.CreateKey("Trailing\\", Root::CurrentUser));
    EXPECT_NE(hive.openKey(Root::CurrentUser, "Trailing"), nullptr);
}

TEST_F(Keys, NamesIgnoreCaseAndKeepTheirOwn) {
    reg.CreateKey("Software\\Quorvel!\\Profiles\\Work", Root::CurrentUser);
    reg.CreateKey("SOFTWARE\\quorvel!\\PROFILES\\work", Root::CurrentUser);
    reg.SetValue("software\\QUORVEL!\\profiles\\WORK", "Display Name", Variant("Ann"), REG_SZ);
    reg.SetValue("Software\\Quorvel!\\Profiles\\Work", "DISPLAY NAME", Variant("Bob"), REG_SZ);
    reg.GetValue("SOFTWARE\\QUORVEL!\\PROFILES\\WORK", "display name");
    EXPECT_EQ(reg.RegValue.text(), "Bob");

    reg.GetSubKeys("Software\\Quorvel!\\Profiles");
    EXPECT_EQ(reg.SubKeyNames[0], "Work");
    std::vector<registry::RawValue> values;
    hive.openKey(Root::CurrentUser, "Software\\Quorvel!\\Profiles\\Work")->values(values);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "Display Name");

    reg.CreateKey("Software\\Ärger", Root::CurrentUser);
    EXPECT_NE(hive.openKey(Root::CurrentUser, "SOFTWARE\\äRGER"), nullptr);
}

TEST_F(Keys, DeleteRemovesTheWholeSubtreeAndNothingElse) {
    reg.CreateKey("P\\Work\\Accounts\\Home", Root::CurrentUser);
    reg.CreateKey("P\\Workshop", Root::CurrentUser);
    reg.SetValue("P\\Work\\Accounts\\Home", "Server", Variant("pop"), REG_SZ);
    reg.DeleteKey("P", "work");
    EXPECT_EQ(hive.openKey(Root::CurrentUser, "P\\Work"), nullptr);
    EXPECT_EQ(hive.openKey(Root::CurrentUser, "P\\Work\\Accounts\\Home"), nullptr);
    EXPECT_NE(hive.openKey(Root::CurrentUser, "P\\Workshop"), nullptr);
    reg.CreateKey("P\\Work\\Accounts\\Home", Root::CurrentUser);
    reg.GetValue("P\\Work\\Accounts\\Home", "Server");
    EXPECT_EQ(reg.RegValue.text(), "");
}

TEST_F(Keys, DeletingWhatIsNotThereChangesNothing) {
    reg.CreateKey("P\\Keep", Root::CurrentUser);
    reg.DeleteKey("P", "Missing");
    reg.DeleteKey("Nowhere", "Keep");
    reg.DeleteKey("P", "");
    EXPECT_NE(hive.openKey(Root::CurrentUser, "P\\Keep"), nullptr);
}

TEST_F(Keys, DefaultValueHasTheEmptyName) {
    reg.CreateKey(kKey, Root::CurrentUser);
    reg.SetValue(kKey, "", Variant("default"), REG_SZ);
    reg.GetValue(kKey, "");
    EXPECT_EQ(reg.RegValue.text(), "default");
}

TEST_F(Keys, OpenKeyOfADeletedKeyFails) {
    reg.CreateKey("P\\Gone", Root::CurrentUser);
    auto key = hive.openKey(Root::CurrentUser, "P\\Gone");
    reg.DeleteKey("P", "Gone");
    EXPECT_EQ(key->setValue("x", REG_SZ, {}), registry::ERROR_KEY_DELETED);
    std::vector<std::string> names;
    EXPECT_EQ(key->subKeyNames(names), registry::ERROR_KEY_DELETED);
    reg.CreateKey("P\\Gone", Root::CurrentUser);
    EXPECT_EQ(key->setValue("x", REG_SZ, {}), registry::ERROR_KEY_DELETED);
}

class Enumeration : public RegistryFixture {};

TEST_F(Enumeration, NamesAreSortedWithoutRegardToCaseWithOneSpareElement) {
    for (const char* name : {"b", "A_", "AB", "c", "a"}) {
        reg.CreateKey(std::string("E\\") + name, Root::CurrentUser);
    }
    reg.GetSubKeys("E");
    ASSERT_EQ(reg.SubKeyNames.size(), 6u);  // upper bound 5
    // Windows compares upper-cased names, so "_" (between the upper- and the lower-case letters)
    // sorts after "B"; Wine compares lower-cased names and sorts it before.
    const std::vector<std::string> expected =
        RunningUnderWine() ? std::vector<std::string>{"a", "A_", "AB", "b", "c"}
                           : std::vector<std::string>{"a", "AB", "A_", "b", "c"};
    EXPECT_EQ(std::vector(reg.SubKeyNames.begin(), reg.SubKeyNames.end() - 1), expected);
}

TEST_F(Enumeration, ShapeAfterEarlierCallsAndTrimmedNames) {
    for (const char* key : {"Many\\1", "Many\\2", "Many\\3", "Two\\ A ", "Two\\B", "None"}) {
        reg.CreateKey(key, Root::CurrentUser);
    }
    reg.GetSubKeys("Many");
    reg.GetSubKeys("Two");
    EXPECT_EQ(reg.SubKeyNames, (std::vector<std::string>{"A", "B", ""}));
    for (const char* empty : {"None", "Missing"}) {
        reg.GetSubKeys("Many");
        reg.GetSubKeys(empty);
        ASSERT_EQ(reg.SubKeyNames.size(), 2u) << empty;  // the rest is left from before
        EXPECT_EQ(reg.SubKeyNames[0], "") << empty;
    }
}

class RoundTrip : public RegistryFixture {};

TEST_F(RoundTrip, EveryTypeAndByteSurvives) {
    std::vector<std::uint8_t> all(1000);
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<std::uint8_t>(i * 7);
    }
    // Windows' ANSI functions pass text values through the code page (UTF-8), which turns bytes
    // that are not UTF-8 into U+FFFD; the SQLite store keeps every byte.
    const std::vector<std::uint8_t> text =
        Bytes(std::string("Gr\xC3\xBC\xC3\x9F"
                          "e\0two\0\0",
                          13));
    for (std::uint32_t type = 0; type <= 11; ++type) {
        const std::string name = "type " + std::to_string(type);
        const bool isText =
            type == REG_SZ || type == registry::REG_EXPAND_SZ || type == registry::REG_MULTI_SZ;
        const auto& data = isText && !kTextKeepsEveryByte ? text : all;
        putRaw(kKey, name, type, data);
        std::uint32_t found = 99;
        EXPECT_EQ(getRaw(kKey, name, &found), data) << name;
        EXPECT_EQ(found, type);
    }
    putRaw(kKey, "odd type", 0x12345, {});
    std::uint32_t found = 0;
    EXPECT_EQ(getRaw(kKey, "odd type", &found), std::vector<std::uint8_t>{});
    EXPECT_EQ(found, 0x12345u);
}

TEST_F(RoundTrip, ValuesListInCreationOrderAndKeepTheirPlaceWhenReplaced) {
    for (const char* name : {"zeta", "alpha", "mid"}) {
        putRaw(kKey, name, REG_SZ, {0});
    }
    putRaw(kKey, "ALPHA", REG_DWORD, {1, 0, 0, 0});
    std::vector<registry::RawValue> values;
    hive.openKey(Root::CurrentUser, kKey)->values(values);
    std::vector<std::string> names;
    for (const auto& value : values) {
        names.push_back(value.name);
    }
    // Wine keeps a key's values sorted by name; Windows lists them in the order they were
    // created.
    const std::vector<std::string> expected =
        RunningUnderWine() ? std::vector<std::string>{"alpha", "mid", "zeta"}
                           : std::vector<std::string>{"zeta", "alpha", "mid"};
    ASSERT_EQ(names, expected);
    const auto alpha = std::find(names.begin(), names.end(), "alpha") - names.begin();
    EXPECT_EQ(values[alpha].type, REG_DWORD);
}

class Transactions : public RegistryFixture {};

TEST_F(Transactions, AllOrNothing) {
    QUORVEL_SKIP_WITHOUT_TRANSACTIONS();
    reg.CreateKey(kKey, Root::CurrentUser);
    {
        auto scope = reg.BeginTransaction();
        reg.SetValue(kKey, "a", Variant("1"), REG_SZ);
        reg.CreateKey("Software\\Other", Root::CurrentUser);
    }  // no commit
    reg.GetValue(kKey, "a");
    EXPECT_EQ(reg.RegValue.text(), "");
    EXPECT_EQ(hive.openKey(Root::CurrentUser, "Software\\Other"), nullptr);
    {
        auto scope = reg.BeginTransaction();
        reg.SetValue(kKey, "a", Variant("1"), REG_SZ);
        EXPECT_TRUE(scope->commit());
    }
    reg.GetValue(kKey, "a");
    EXPECT_EQ(reg.RegValue.text(), "1");
}

TEST_F(Transactions, AnInnerScopeThatFailsUndoesTheOuterOne) {
    QUORVEL_SKIP_WITHOUT_TRANSACTIONS();
    reg.CreateKey(kKey, Root::CurrentUser);
    auto outer = reg.BeginTransaction();
    reg.SetValue(kKey, "outer", Variant("1"), REG_SZ);
    {
        auto inner = reg.BeginTransaction();
        reg.SetValue(kKey, "inner", Variant("1"), REG_SZ);
    }
    EXPECT_FALSE(outer->commit());
    reg.GetValue(kKey, "outer");
    EXPECT_EQ(reg.RegValue.text(), "");
    // The store is usable again afterwards.
    reg.SetValue(kKey, "after", Variant("1"), REG_SZ);
    reg.GetValue(kKey, "after");
    EXPECT_EQ(reg.RegValue.text(), "1");
}

TEST(WindowsDirectory, StrippedAtItsFirstNulAndEmptyOnFailure) {
    FixedFolders folders;
    TempDir dir;
    TestHive hive(dir.file("registry.db"));
    registry::Registry reg(hive, folders);
    EXPECT_EQ(reg.GetWinDir(), "");
    folders.folder = std::string("C:\\WINDOWS\0junk", 15);
    EXPECT_EQ(reg.GetWinDir(), "C:\\WINDOWS");
    folders.folder = "/home/ann/.local/share/quorvel/windows";
    EXPECT_EQ(reg.GetWinDir(), "/home/ann/.local/share/quorvel/windows");
    EXPECT_EQ(registry::StripNull(std::string("\0a", 2)), "");
}

}  // namespace
}  // namespace quorvel::testing
