// The uninstaller on Windows: the disk and registry back end, and its window driven
// through its question, progress and closing text.
#include "uninstall_form.h"
#include "uninstall_system.h"

#include "gui_support.h"
#include "test_registry_key.h"

#include "system_error.h"
#include "win32_handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

using namespace castremove;

namespace {

bool Exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(HKEY Root, const std::string& Path)
{
    TRegKey K;
    return RegOpenKeyExA(Root, Path.c_str(), 0, KEY_READ, K.Receive()) == ERROR_SUCCESS;
}

bool ValueExists(HKEY Root, const std::string& Path, const std::string& Name)
{
    TRegKey K;
    return RegOpenKeyExA(Root, Path.c_str(), 0, KEY_READ, K.Receive()) == ERROR_SUCCESS &&
           RegQueryValueExA(K.Get(), Name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// The text of a platform message box.
std::string BoxText(HWND Box)
{
    char Text[512] = {};
    GetDlgItemTextA(Box, 0xFFFF, Text, sizeof Text);
    return Text;
}

void Press(HWND Box, int Id) { PostMessageA(Box, WM_COMMAND, MAKEWPARAM(Id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Box, Id))); }

// An installation on disk and in the current user's registry, and its log.
struct TInstalled {
    std::string Dir;
    std::string LogPath;
    TTestRegKey Key;

    TInstalled() : Key(HKEY_CURRENT_USER, "Software\\Brindlo Tests\\" + UniqueTestName("Uninstall"))
    {
        Dir = ScratchDir() + "\\Acme Tool";
        CreateDirectoryA(Dir.c_str(), nullptr);
        CreateDirectoryA((Dir + "\\docs").c_str(), nullptr);
        WriteWholeFile(Dir + "\\tool.exe", "MZ");
        SetFileAttributesA((Dir + "\\tool.exe").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        WriteWholeFile(Dir + "\\docs\\read.txt", "read me");
        Key.SetString("DisplayName", "Acme Tool");
        Key.SetString("UninstallString", "x");
        LogPath = Dir + "\\uinst.log";
        WriteWholeFile(LogPath, "[DelFile]%" + LogPath + "\r\n"
                                "[DelDir]%" + Dir + "\r\n"
                                "[DelDir]%" + Dir + "\\docs\r\n"
                                "[DelFile]%" + Dir + "\\tool.exe\r\n"
                                "[DelFile]%" + Dir + "\\docs\\read.txt\r\n"
                                "[DelValue]%HKEY_CU%\\" + Key.Path() + "%DisplayName\r\n"
                                "[DelValue]%HKEY_CU%\\" + Key.Path() + "%UninstallString\r\n"
                                "[DelKey]%HKEY_CU%\\" + Key.Path() + "\r\n"
                                "[UImes 1]%Do you realy what to uninstall Acme Tool\r\n"
                                "[UImes 2]%Acme Tool uninstalled\r\n");
    }

    // A read-only file left behind would keep the next run from emptying its scratch directory.
    ~TInstalled() { SetFileAttributesA((Dir + "\\tool.exe").c_str(), FILE_ATTRIBUTE_NORMAL); }

    std::string CommandLine() const { return "C:\\windows\\Castremove.exe #uninstall \"" + LogPath + "\""; }
};

// Passes everything on to Windows and photographs the window at one item.
class TPhotographingSystem : public TWindowsUninstallSystem {
public:
    TPhotographingSystem() : TWindowsUninstallSystem(nullptr, "Uninstall") {}
    TForm1* Form = nullptr;
    std::string PhotographAt;
    std::string EditText;
    int BarPosition = -1;
    TSystemResult EraseFile(const std::string& Path) override
    {
        if (Form && Path == PhotographAt) {
            Photograph(Form->Handle(), "uninstaller_progress.png");
            EditText = Form->Edit1->Text();
            BarPosition = static_cast<int>(SendMessageA(Form->PB->Handle(), PBM_GETPOS, 0, 0));
        }
        return TWindowsUninstallSystem::EraseFile(Path);
    }
};

} // namespace

TEST(UninstallerWindows, FilesDirectoriesAndKeysAsTheReplayAsks)
{
    const std::string Dir = ScratchDir();
    TWindowsUninstallSystem S(nullptr, "Uninstall");
    WriteWholeFile(Dir + "\\ro.txt", "x");
    SetFileAttributesA((Dir + "\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(DeleteFileIfExists(Dir + "\\ro.txt", S).Outcome, TOutcome::Done);
    EXPECT_FALSE(Exists(Dir + "\\ro.txt"));
    EXPECT_EQ(DeleteFileIfExists(Dir + "\\ro.txt", S).Outcome, TOutcome::Missing);
    EXPECT_EQ(DeleteFileIfExists(Dir + "\\none\\ro.txt", S).Outcome, TOutcome::Missing);
    CreateDirectoryA((Dir + "\\d").c_str(), nullptr);
    EXPECT_EQ(DeleteFileIfExists(Dir + "\\d", S).Outcome, TOutcome::Missing); // a directory is no file
    WriteWholeFile(Dir + "\\d\\f", "x");
    EXPECT_EQ(S.RemoveDir(Dir + "\\d").Outcome, TOutcome::NotEmpty);
    EXPECT_TRUE(Exists(Dir + "\\d\\f"));
    EXPECT_EQ(S.RemoveDir(Dir + "\\gone").Outcome, TOutcome::Missing);
    {
        // Open without delete sharing, the file cannot go; the system says why.
        const TFileHandle Held(CreateFileA((Dir + "\\d\\f").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(Held);
        const TSystemResult R = DeleteFileIfExists(Dir + "\\d\\f", S);
        EXPECT_EQ(R.Outcome, TOutcome::Failed);
        SetLastError(ERROR_SHARING_VIOLATION);
        EXPECT_EQ(R.Reason, LastSystemError());
        EXPECT_TRUE(Exists(Dir + "\\d\\f"));
    }

    TTestRegKey Key(HKEY_CURRENT_USER, "Software\\Brindlo Tests\\" + UniqueTestName("Keys"));
    Key.SetString("A", "1");
    TTestRegKey Inner(HKEY_CURRENT_USER, Key.Path() + "\\Inner");
    Inner.SetString("B", "2");
    EXPECT_EQ(S.DeleteValue(rrCurrentUser, "\\" + Key.Path(), "A").Outcome, TOutcome::Done);
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, Key.Path(), "A"));
    // A key that holds a key stays, on any system.
    EXPECT_EQ(S.DeleteKey(rrCurrentUser, "\\" + Key.Path()).Outcome, TOutcome::NotEmpty);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Inner.Path()));
    EXPECT_EQ(S.DeleteKey(rrCurrentUser, Inner.Path()).Outcome, TOutcome::Done);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Inner.Path()));
    EXPECT_EQ(S.DeleteKey(rrCurrentUser, "\\" + Key.Path()).Outcome, TOutcome::Done);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key.Path()));
    // Missing things are no error.
    EXPECT_EQ(S.DeleteKey(rrCurrentUser, "\\" + Key.Path()).Outcome, TOutcome::Missing);
    EXPECT_EQ(S.DeleteValue(rrCurrentUser, "\\" + Key.Path(), "A").Outcome, TOutcome::Missing);
    TTestRegKey Other(HKEY_CURRENT_USER, "Software\\Brindlo Tests\\" + UniqueTestName("Values"));
    EXPECT_EQ(S.DeleteValue(rrCurrentUser, "\\" + Other.Path(), "A").Outcome, TOutcome::Missing);
}

TEST(UninstallerWindows, TheWindowAsksShowsProgressAndCloses)
{
    TInstalled I;
    TPhotographingSystem S;
    std::vector<std::string> Boxes;
    TModalScript Script([&](HWND Box) {
        Boxes.push_back(BoxText(Box));
        Photograph(Box, Boxes.size() == 1 ? "uninstaller_question.png" : "uninstaller_closing.png");
        Press(Box, IDOK);
    });
    TForm1 Form(nullptr, I.CommandLine(), &S);
    S.Form = &Form;
    S.PhotographAt = I.Dir + "\\docs\\read.txt";
    bool Closed = false;
    Form.OnClose = [&](TObject*) { Closed = true; };
    EXPECT_EQ(Form.ClientWidth(), 290);
    EXPECT_EQ(Form.ClientHeight(), 49);
    ASSERT_TRUE(Form.Log && Form.Log->Opened());
    Form.Show();
    for (int Round = 0; Round < 200 && !Closed; ++Round)
        PumpMessages(1);
    ASSERT_TRUE(Closed);
    EXPECT_EQ(Boxes, (std::vector<std::string>{"Do you realy what to uninstall Acme Tool", "Acme Tool uninstalled"}));
    // The third of eight items, when its file went.
    EXPECT_EQ(S.EditText, I.Dir + "\\docs\\read.txt");
    EXPECT_EQ(S.BarPosition, 25);
    EXPECT_FALSE(Exists(I.Dir));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, I.Key.Path()));
    EXPECT_EQ(Form.ExitCode(), 0);

    // Shown again and activated again, it does not replay.
    Boxes.clear();
    Closed = false;
    Form.Show();
    SendMessageA(Form.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    PumpMessages(20);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_FALSE(Closed);
}

TEST(UninstallerWindows, CancelLeavesEverything)
{
    TInstalled I;
    int Asked = 0;
    TModalScript Script([&](HWND Box) {
        ++Asked;
        Press(Box, IDCANCEL);
    });
    TForm1 Form(nullptr, I.CommandLine());
    bool Closed = false;
    Form.OnClose = [&](TObject*) { Closed = true; };
    Form.Show();
    for (int Round = 0; Round < 200 && !Closed; ++Round)
        PumpMessages(1);
    EXPECT_TRUE(Closed);
    EXPECT_EQ(Asked, 1);
    EXPECT_TRUE(Exists(I.LogPath));
    EXPECT_TRUE(Exists(I.Dir + "\\docs\\read.txt"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, I.Key.Path(), "DisplayName"));
}

TEST(UninstallerWindows, WithoutALogItClosesWithoutAWord)
{
    const std::string Dir = ScratchDir();
    for (const std::string& Line : {std::string("Castremove.exe"), "Castremove.exe #uninstall \"" + Dir + "\\none.log\""}) {
        SCOPED_TRACE(Line);
        int Boxes = 0;
        TModalScript Script([&](HWND Box) {
            ++Boxes;
            Press(Box, IDOK);
        });
        TForm1 Form(nullptr, Line);
        bool Closed = false;
        Form.OnClose = [&](TObject*) { Closed = true; };
        Form.Show();
        for (int Round = 0; Round < 100 && !Closed; ++Round)
            PumpMessages(1);
        EXPECT_TRUE(Closed);
        EXPECT_EQ(Boxes, 0);
    }
}

// Fails the replay at its first file, as a fault of the program would.
class TRaisingSystem : public TWindowsUninstallSystem {
public:
    TRaisingSystem() : TWindowsUninstallSystem(nullptr, "Uninstall") {}
    TSystemResult EraseFile(const std::string&) override { throw std::runtime_error("replay broke"); }
};

TEST(UninstallerWindows, AReplayThatRaisesClosesTheWindowAndFails)
{
    TInstalled I;
    TRaisingSystem S;
    TErrorBoxCapture Errors;
    int Boxes = 0;
    TModalScript Script([&](HWND Box) {
        ++Boxes;
        Press(Box, IDOK);
    });
    TForm1 Form(nullptr, I.CommandLine(), &S);
    bool Closed = false;
    Form.OnClose = [&](TObject*) { Closed = true; };
    Form.Show();
    for (int Round = 0; Round < 200 && !Closed; ++Round)
        PumpMessages(1);
    EXPECT_TRUE(Closed);
    EXPECT_EQ(Errors.Messages, std::vector<std::string>{"replay broke"});
    // The question only; no closing text claims anything.
    EXPECT_EQ(Boxes, 1);
    EXPECT_NE(Form.ExitCode(), 0);
}
