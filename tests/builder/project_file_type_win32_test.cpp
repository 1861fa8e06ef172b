// The project file type in the real registry (under Wine): registered on a clean
// registry, a foreign "open" command left alone.
#include "builder_services.h"
#include "project.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlwapi.h>

namespace {

std::string DefaultValue(const std::string& Key)
{
    HKEY H;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, Key.c_str(), 0, KEY_QUERY_VALUE, &H) != ERROR_SUCCESS)
        return "<missing>";
    char Buf[1024] = {};
    DWORD Size = sizeof Buf - 1, Type = 0;
    const LONG R = RegQueryValueExA(H, nullptr, nullptr, &Type, reinterpret_cast<BYTE*>(Buf), &Size);
    RegCloseKey(H);
    return R == ERROR_SUCCESS ? std::string(Buf) : "<no value>";
}

void SetDefaultValue(const std::string& Key, const std::string& Value)
{
    HKEY H;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, Key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &H, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(H, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                   static_cast<DWORD>(Value.size() + 1));
    RegCloseKey(H);
}

void RemoveFileType()
{
    SHDeleteKeyA(HKEY_CLASSES_ROOT, ".bxp");
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "Castbuild");
}

TBuilderServices ServicesIn(const std::string& Dir)
{
    TBuilderServices S = SystemBuilderServices();
    S.ProgramFileName = Dir + "\\Castbuild.exe";
    return S;
}

} // namespace

TEST(ProjectFileTypeRegistry, ACleanRegistryGetsTheThreeKeys)
{
    RemoveFileType();
    const std::string Dir = ScratchDir();
    THash Paths(true);
    {
        CCastamer Project(ServicesIn(Dir), Paths);
        EXPECT_TRUE(Project.Ready);
    }
    EXPECT_EQ(DefaultValue(".bxp"), "Castbuild");
    EXPECT_EQ(DefaultValue("Castbuild\\shell\\open\\command"), "\"" + Dir + "\\Castbuild.exe\" %1");
    EXPECT_EQ(DefaultValue("Castbuild\\DefaultIcon"), Dir + "\\Castbuild.exe,1");
    RemoveFileType();
}

TEST(ProjectFileTypeRegistry, AForeignOpenCommandIsLeftAlone)
{
    RemoveFileType();
    SetDefaultValue(".bxp", "OtherEditor");
    SetDefaultValue("OtherEditor\\Shell\\open\\command", "\"C:\\Other\\edit.exe\" \"%1\"");
    THash Paths(true);
    {
        CCastamer Project(ServicesIn(ScratchDir()), Paths);
        EXPECT_TRUE(Project.Ready);
    }
    EXPECT_EQ(DefaultValue(".bxp"), "OtherEditor");
    EXPECT_EQ(DefaultValue("OtherEditor\\Shell\\open\\command"), "\"C:\\Other\\edit.exe\" \"%1\"");
    EXPECT_EQ(DefaultValue("Castbuild"), "<missing>");
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "OtherEditor");
    RemoveFileType();
}
