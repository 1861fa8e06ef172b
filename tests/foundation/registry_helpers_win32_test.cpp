#include "registry_helpers.h"
#include "test_registry_key.h"

#include <gtest/gtest.h>

namespace {

const std::string AppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

std::string Environment(const char* Name)
{
    char Buf[MAX_PATH] = "";
    GetEnvironmentVariableA(Name, Buf, sizeof Buf);
    return Buf;
}

} // namespace

TEST(RegistryHelpers, GetAppPathReadsOnlyStringsAndAlwaysTerminatesThem)
{
    const std::string ExeName = UniqueTestName("brindlo_value_") + ".exe";
    TTestRegKey Key(HKEY_LOCAL_MACHINE, AppPaths + ExeName);
    EXPECT_EQ(GetAppPath(ExeName), "") << "missing key";
    ASSERT_TRUE(Key.SetString("Path", "C:\\elsewhere"));
    EXPECT_EQ(GetAppPath(ExeName), "") << "key without a default value";

    const DWORD One = 1;
    struct {
        const char* What;
        DWORD Type;
        std::string Bytes;
        std::string Expected;
    } Cases[] = {
        {"plain", REG_SZ, std::string("C:\\x\\a.exe\0", 11), "C:\\x\\a.exe"},
        {"no NUL", REG_SZ, "C:\\x\\a.exe", "C:\\x\\a.exe"},
        {"odd size, no NUL", REG_SZ, "abc", "abc"},
        {"quoted", REG_SZ, std::string("\"C:\\p q\\a.exe\"\0", 15), "\"C:\\p q\\a.exe\""},
        {"inner NUL", REG_SZ, std::string("ab\0cd\0", 6), "ab"},
        {"empty", REG_SZ, "", ""},
        {"expandable", REG_EXPAND_SZ, std::string("%SystemRoot%\\a.exe\0", 19), Environment("SystemRoot") + "\\a.exe"},
        {"number", REG_DWORD, std::string(reinterpret_cast<const char*>(&One), sizeof One), ""},
        {"binary", REG_BINARY, "C:\\x.exe", ""},
        {"list", REG_MULTI_SZ, std::string("C:\\a\0C:\\b\0\0", 11), ""},
    };
    for (const auto& C : Cases) {
        ASSERT_TRUE(Key.SetValue("", C.Type, C.Bytes.data(), static_cast<DWORD>(C.Bytes.size()))) << C.What;
        EXPECT_EQ(GetAppPath(ExeName), C.Expected) << C.What;
    }
    ASSERT_FALSE(Environment("SystemRoot").empty());
}

TEST(RegistryHelpers, OddSizedWideValueReadsAsATerminatedString)
{
    const std::string ExeName = UniqueTestName("brindlo_wide_") + ".exe";
    TTestRegKey Key(HKEY_LOCAL_MACHINE, AppPaths + ExeName);
    ASSERT_TRUE(Key.SetValue("Path", REG_SZ, "", 1)); // creates the key
    HKEY K = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, Key.Path().c_str(), 0, KEY_SET_VALUE, &K), ERROR_SUCCESS);
    const wchar_t Wide[] = L"ab";
    const LONG R = RegSetValueExW(K, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(Wide), 3);
    RegCloseKey(K);
    ASSERT_EQ(R, ERROR_SUCCESS);
    EXPECT_EQ(GetAppPath(ExeName), "a");
}

TEST(RegistryHelpers, RegisterFileTypeOverwritesOnlyWhenAsked)
{
    const std::string Ext = "." + UniqueTestName("brt");
    const std::string Type1 = UniqueTestName("BrindloTestA");
    const std::string Type2 = UniqueTestName("BrindloTestB");
    TTestRegKey ExtKey(HKEY_CLASSES_ROOT, Ext);
    TTestRegKey Type1Key(HKEY_CLASSES_ROOT, Type1);
    TTestRegKey Type2Key(HKEY_CLASSES_ROOT, Type2);
    EXPECT_EQ(GetFileTypeCommand(Ext, "open"), "");

    ASSERT_TRUE(RegisterFileType(Ext, Type1, "open", "\"C:\\b x\\castbuild.exe\" \"%1\"", false));
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, Ext), Type1);
    // Written as "shell", read back through "Shell".
    EXPECT_EQ(FirstSubkeyName(HKEY_CLASSES_ROOT, Type1), "shell");
    EXPECT_EQ(GetFileTypeCommand(Ext, "open"), "\"C:\\b x\\castbuild.exe\" \"%1\"");
    EXPECT_EQ(GetFileTypeCommand(Ext, "edit"), "");

    EXPECT_FALSE(RegisterFileType(Ext, Type2, "open", "other %1", false));
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, Ext), Type1);
    EXPECT_EQ(GetFileTypeCommand(Ext, "open"), "\"C:\\b x\\castbuild.exe\" \"%1\"");
    EXPECT_EQ(FirstSubkeyName(HKEY_CLASSES_ROOT, Type2), "") << "nothing written for the refused type";

    EXPECT_TRUE(RegisterFileType(Ext, Type2, "open", "other %1", true));
    EXPECT_EQ(GetFileTypeCommand(Ext, "open"), "other %1");

    // Empty names would write into the root of the classes: refused, nothing changes.
    EXPECT_FALSE(RegisterFileType("", Type1, "open", "x", true));
    EXPECT_FALSE(RegisterFileType(Ext, "", "open", "x", true));
    EXPECT_FALSE(RegisterFileType(Ext, Type1, "", "x", true));
    EXPECT_EQ(GetFileTypeCommand(Ext, "open"), "other %1");
}

TEST(RegistryHelpers, AnExtensionKeyWithoutATypeCountsAsRegistered)
{
    const std::string Ext = "." + UniqueTestName("brk");
    const std::string Type = UniqueTestName("BrindloTestK");
    TTestRegKey ExtKey(HKEY_CLASSES_ROOT, Ext);
    TTestRegKey TypeKey(HKEY_CLASSES_ROOT, Type);
    ASSERT_TRUE(ExtKey.SetString("Content Type", "text/plain"));
    EXPECT_FALSE(RegisterFileType(Ext, Type, "open", "x", false));
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, Ext), "");
    EXPECT_EQ(GetFileTypeCommand(Ext, "open"), "");
}

TEST(RegistryHelpers, SetFileTypeIcon)
{
    const std::string Type = UniqueTestName("BrindloTestI");
    TTestRegKey TypeKey(HKEY_CLASSES_ROOT, Type);
    EXPECT_TRUE(SetFileTypeIcon(Type, "C:\\b x\\castbuild.exe,0"));
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, Type + "\\DefaultIcon"), "C:\\b x\\castbuild.exe,0");
    EXPECT_TRUE(SetFileTypeIcon(Type, "C:\\other.ico"));
    EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, Type + "\\DefaultIcon"), "C:\\other.ico");
    EXPECT_FALSE(SetFileTypeIcon("", "C:\\other.ico"));
}
