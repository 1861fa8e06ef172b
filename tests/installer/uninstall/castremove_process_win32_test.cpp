// Castremove.exe as a user meets it: started as its own process with the command line
// the installer registers, from the installation directory as the uninstall shortcut
// does, its boxes answered from outside.
#include "driver.h"
#include "gui_support.h"
#include "test_registry_key.h"
#include "win32_handles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool Exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct TInstallation {
    std::string Dir;
    std::string LogPath;
    TTestRegKey Key;

    TInstallation() : Key(HKEY_CURRENT_USER, "Software\\Brindlo Tests\\" + UniqueTestName("Castremove"))
    {
        Dir = ScratchDir() + "\\Acme Tool";
        CreateDirectoryA(Dir.c_str(), nullptr);
        CreateDirectoryA((Dir + "\\bin").c_str(), nullptr);
        WriteWholeFile(Dir + "\\bin\\tool.exe", "MZ");
        Key.SetString("DisplayName", "Acme Tool");
        LogPath = Dir + "\\uinst.log";
        WriteWholeFile(LogPath, "[DelFile]%" + LogPath + "\r\n"
                                "[DelDir]%" + Dir + "\r\n"
                                "[DelDir]%" + Dir + "\\bin\r\n"
                                "[DelFile]%" + Dir + "\\bin\\tool.exe\r\n"
                                "[DelValue]%HKEY_CU%\\" + Key.Path() + "%DisplayName\r\n"
                                "[DelKey]%HKEY_CU%\\" + Key.Path() + "\r\n"
                                "[UImes 1]%Do you realy what to uninstall Acme Tool\r\n"
                                "[UImes 2]%Acme Tool uninstalled\r\n");
    }

    TDrivenProcess Start() const
    {
        return TDrivenProcess::Start({BuiltProgramPath("Castremove.exe"), {"#uninstall", LogPath}, Dir, {}, ""});
    }
};

bool Shows(HWND Box, const std::string& Text)
{
    const std::vector<std::string> Texts = DialogTexts(Box);
    return std::find(Texts.begin(), Texts.end(), Text) != Texts.end();
}

} // namespace

TEST(CastremoveProcess, AsksRemovesAndSaysSo)
{
    TInstallation I;
    TDrivenProcess P = I.Start();
    const HWND Question = WaitTopWindow(P.Id(), {"#32770"});
    EXPECT_TRUE(Shows(Question, "Do you realy what to uninstall Acme Tool"));
    EXPECT_TRUE(Shows(Question, "OK"));
    EXPECT_TRUE(Shows(Question, "Cancel"));
    // The uninstaller's own strip stands behind its question.
    const HWND Strip = FindTopWindow(P.Id(), {"", "Uninstall", true, {Question}});
    ASSERT_NE(Strip, nullptr);
    EXPECT_EQ(ItemOf(ReadTexts(Strip), {"TForm1", "Form1"}).Width, 290);
    PhotographWindow(Question, ScreenshotPath("castremove_question.png"));
    ClickDialogButton(Question, "OK");
    const HWND Closing = WaitTopWindow(P.Id(), {"#32770", "", true, {Question}});
    EXPECT_TRUE(Shows(Closing, "Acme Tool uninstalled"));
    EXPECT_FALSE(Shows(Closing, "Cancel"));
    // Everything was gone before the closing text came, the directory it was started in too.
    EXPECT_FALSE(Exists(I.Dir));
    TRegKey K;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, I.Key.Path().c_str(), 0, KEY_READ, K.Receive()), ERROR_SUCCESS);
    ClickDialogButton(Closing, "OK");
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST(CastremoveProcess, CancelRemovesNothing)
{
    TInstallation I;
    TDrivenProcess P = I.Start();
    ClickDialogButton(WaitTopWindow(P.Id(), {"#32770"}), "Cancel");
    EXPECT_EQ(P.WaitExit(), 0u);
    EXPECT_TRUE(Exists(I.LogPath));
    EXPECT_TRUE(Exists(I.Dir + "\\bin\\tool.exe"));
}

TEST(CastremoveProcess, EndsWithoutAWordWithoutALog)
{
    const std::string Dir = ScratchDir();
    for (const std::vector<std::string>& Args :
         {std::vector<std::string>{}, std::vector<std::string>{"#uninstall", Dir + "\\missing.log"}}) {
        TDrivenProcess P = TDrivenProcess::Start({BuiltProgramPath("Castremove.exe"), Args, Dir, {}, ""});
        EXPECT_EQ(P.WaitExit(), 0u);
        EXPECT_EQ(FindTopWindow(P.Id(), {"#32770"}), nullptr);
    }
}
