// What the Win32 hive adds to the conformance suite: the subtree deletion it does itself, and
// text that reaches the registry as the characters it means.
#include <gtest/gtest.h>

#include "registry/win32/win32_hive.h"
#include "registry_fixture.h"

// After our headers: its macros (REG_SZ, ERROR_SUCCESS ...) would clash with our constants of
// the same names and values.
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

namespace quorvel::testing {
namespace {

using registry::Root;

class Win32Hive : public RegistryFixture {};

TEST_F(Win32Hive, DeletesWideAndDeepSubtreesThatRegDeleteKeyRefuses) {
    for (int branch = 0; branch < 30; ++branch) {
        const std::string path = "P\\Gone\\B" + std::to_string(branch);
        reg.CreateKey(path + "\\C\\D\\E", Root::CurrentUser);
        reg.SetValue(path + "\\C", "v", Variant("x"), REG_SZ);
    }
    reg.CreateKey("P\\Stays\\Below", Root::CurrentUser);
    EXPECT_EQ(reg.DeleteKey("P", "Gone"), ERROR_SUCCESS);
    EXPECT_EQ(hive.openKey(Root::CurrentUser, "P\\Gone"), nullptr);
    std::vector<std::string> left;
    hive.openKey(Root::CurrentUser, "P")->subKeyNames(left);
    EXPECT_EQ(left, std::vector<std::string>{"Stays"});
}

// As most of HKEY_LOCAL_MACHINE is for a user: a key everyone may read and nobody may change.
TEST(Win32HiveAccess, AKeyThatMayOnlyBeReadIsReadAndRefusesWrites) {
    const std::string base = "Software\\QuorvelTest\\read-" + std::to_string(GetCurrentProcessId());
    registry::Win32Hive hive(base);
    FixedFolders folders;
    registry::Registry reg(hive, folders);
    reg.CreateKey("Locked", Root::LocalMachine);
    reg.SetValue("Locked", "Path", Variant("C:\\browser.exe"), REG_SZ, Root::LocalMachine);
    const std::string locked = base + "\\HKEY_LOCAL_MACHINE\\Locked";
    const auto setAccess = [&locked](const char* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        HKEY key = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                             nullptr);
        RegOpenKeyExA(HKEY_CURRENT_USER, locked.c_str(), 0, WRITE_DAC, &key);
        EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
        RegCloseKey(key);
        LocalFree(descriptor);
    };
    setAccess("D:(A;;KR;;;WD)");  // everyone may read; the owner may still change the grants
    reg.GetValue("Locked", "Path", Root::LocalMachine);
    EXPECT_EQ(reg.RegValue, Variant("C:\\browser.exe"));
    EXPECT_NE(reg.SetValue("Locked", "Path", Variant("x"), REG_SZ, Root::LocalMachine),
              ERROR_SUCCESS);
    setAccess("D:(A;;KA;;;WD)");
    registry::Win32Hive()
        .openKey(Root::CurrentUser, "Software\\QuorvelTest")
        ->deleteSubKeyTree(base.substr(base.rfind('\\') + 1));
}

TEST(Win32HiveText, ReachesTheRegistryAsTheCharactersItMeans) {
    // Without the executable's code-page manifest the ANSI functions would take these UTF-8
    // bytes for Windows-1252 and store "Ã„rger", which no other program reads as "Ärger".
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    const std::string base = "Software\\QuorvelTest\\text-" + std::to_string(GetCurrentProcessId());
    {
        registry::Win32Hive hive(base);
        auto key = hive.createKey(Root::CurrentUser, "Text\\\xC3\x84rger");
        ASSERT_NE(key, nullptr);
        ASSERT_EQ(key->setValue("Gr\xC3\xBC\xC3\x9F"
                                "e",
                                REG_SZ, Bytes(std::string("\xCE\xA9\0", 3))),
                  ERROR_SUCCESS);
        EXPECT_NE(hive.openKey(Root::CurrentUser, "TEXT\\\xC3\xA4RGER"), nullptr)
            << "case is folded beyond ASCII";
    }
    const std::wstring wideBase(base.begin(), base.end());
    HKEY text = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (wideBase + L"\\HKEY_CURRENT_USER\\Text").c_str(), 0,
                            KEY_READ, &text),
              ERROR_SUCCESS);
    wchar_t name[256] = {};
    DWORD length = 256;
    EXPECT_EQ(RegEnumKeyExW(text, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(name, length), L"\u00C4rger");
    HKEY word = nullptr;
    ASSERT_EQ(RegOpenKeyExW(text, name, 0, KEY_READ, &word), ERROR_SUCCESS);
    wchar_t data[8] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(RegQueryValueExW(word, L"Gr\u00FC\u00DFe", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(data), L"\u03A9");
    RegCloseKey(word);
    RegCloseKey(text);
    registry::Win32Hive()
        .openKey(Root::CurrentUser, "Software\\QuorvelTest")
        ->deleteSubKeyTree(base.substr(base.rfind('\\') + 1));
}

}  // namespace
}  // namespace quorvel::testing
