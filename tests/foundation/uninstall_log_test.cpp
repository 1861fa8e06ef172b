#include "exceptions.h"
#include "memory_file_system.h"
#include "test_dirs.h"
#include "uninstall_log.h"

#include "path_and_dir_helpers.h"

#include <gtest/gtest.h>

#include <vector>

TEST(UninstallLog, LinesOfEveryKind)
{
    TMemoryFileSystem FS;
    {
        CUInstLog Log(0, "C:\\App\\uinst.log", FS);
        ASSERT_TRUE(Log.Opened());
        Log.AddDelFile("C:\\App\\uinst.log");
        Log.AddDelDir("C:\\App");
        Log.AddLine(ulDelKey, "%\\SOFTWARE\\x");
        Log.AddLine(ulDelValue, "%\\SOFTWARE\\x%Display%Name");
        Log.AddLine(ulMessage1, "Remove?");
        Log.AddLine(ulMessage2, "Done");
        Log.AddLine(6, "ignored");
        Log.AddLine(-1, "ignored");
    }
    EXPECT_EQ(FS.FileBytes("C:\\App\\uinst.log"), "[DelFile]%C:\\App\\uinst.log\r\n"
                                                  "[DelDir]%C:\\App\r\n"
                                                  "[DelKey]%%\\SOFTWARE\\x\r\n"
                                                  "[DelValue]%%\\SOFTWARE\\x%Display%Name\r\n"
                                                  "[UImes 1]%Remove?\r\n"
                                                  "[UImes 2]%Done\r\n");
}

TEST(UninstallLog, EachLineIsInTheFileAtOnce)
{
    const std::string Path = ScratchDir() + "\\uinst.log";
    CUInstLog Log(0, Path);
    Log.AddDelDir("C:\\A");
    EXPECT_EQ(ReadWholeFile(Path), "[DelDir]%C:\\A\r\n");
    Log.AddDelFile("C:\\A\\f");
    EXPECT_EQ(ReadWholeFile(Path), "[DelDir]%C:\\A\r\n[DelFile]%C:\\A\\f\r\n");
}

TEST(UninstallLog, LineBreaksCannotSplitALine)
{
    TMemoryFileSystem FS;
    CUInstLog Log(0, "C:\\uinst.log", FS);
    Log.AddLine(ulMessage1, "Really\n\rremove?");
    Log.AddLine(ulMessage2, "a\rb\nc");
    EXPECT_THROW(Log.AddDelFile("C:\\evil\r\n[DelDir]%C:\\Windows"), EInOutError);
    EXPECT_THROW(Log.AddDelDir("x\ny"), EInOutError);
    EXPECT_EQ(FS.FileBytes("C:\\uinst.log"), "[UImes 1]%Really  remove?\r\n[UImes 2]%a b c\r\n");
}

TEST(UninstallLog, OpenModes)
{
    TMemoryFileSystem FS;
    {
        CUInstLog Created(0, "C:\\new\\deep\\uinst.log", FS);
        EXPECT_TRUE(Created.Opened());
    }
    EXPECT_TRUE(FS.DirectoryExists("C:\\new\\deep"));
    EXPECT_EQ(FS.FileBytes("C:\\new\\deep\\uinst.log"), "");

    FS.AddFile("C:\\a.log", "[DelDir]%C:\\old\r\n");
    {
        CUInstLog Append(1, "C:\\a.log", FS);
        Append.AddDelFile("C:\\new");
    }
    EXPECT_EQ(FS.FileBytes("C:\\a.log"), "[DelDir]%C:\\old\r\n[DelFile]%C:\\new\r\n");
    {
        CUInstLog AppendNew(1, "C:\\other\\b.log", FS);
        AppendNew.AddDelFile("x");
    }
    EXPECT_EQ(FS.FileBytes("C:\\other\\b.log"), "[DelFile]%x\r\n");
    {
        CUInstLog Fresh(0, "C:\\a.log", FS);
    }
    EXPECT_EQ(FS.FileBytes("C:\\a.log"), "");

    FS.AddFile("C:\\r.log", "[DelDir]%C:\\x\r\n");
    CUInstLog Read(2, "C:\\r.log", FS);
    EXPECT_TRUE(Read.Opened());
    Read.AddDelFile("C:\\y");
    EXPECT_EQ(FS.FileBytes("C:\\r.log"), "[DelDir]%C:\\x\r\n");

    const std::size_t Before = FS.Created().size();
    CUInstLog Missing(2, "C:\\missing.log", FS);
    EXPECT_FALSE(Missing.Opened());
    Missing.AddDelFile("C:\\y");
    CUInstLog NoName(0, "", FS);
    EXPECT_FALSE(NoName.Opened());
    CUInstLog OtherMode(3, "C:\\m.log", FS);
    EXPECT_FALSE(OtherMode.Opened());
    EXPECT_EQ(FS.Created().size(), Before);
}

TEST(UninstallLog, AFileThatCannotBeMadeRaises)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\file", "");
    try {
        CUInstLog(0, "C:\\file\\uinst.log", FS);
        ADD_FAILURE() << "made a log below a file";
    } catch (const EInOutError& E) {
        EXPECT_EQ(E.Message(), "Cannot create directory C:\\file: Cannot create a file when that file already exists");
    }
    FS.ForceDirectories("C:\\dir.log");
    EXPECT_THROW(CUInstLog(1, "C:\\dir.log", FS), EInOutError);
}

TEST(UninstallLog, RegistryAndMessageLines)
{
    TMemoryFileSystem FS;
    {
        CUInstLog Log(0, "C:\\App\\uinst.log", FS);
        const std::string Key = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool 100%";
        Log.AddDelValue("", Key, "DisplayName");
        Log.AddDelValue("HKEY_CU", "\\Software\\x", "a%b");
        Log.AddDelKey("", Key);
        Log.AddDelKey("HKEY_LM", "\\Software\\y");
        Log.AddUIMessage1(std::string(300, 'q'));
        Log.AddUIMessage2("Acme Tool uninstalled");
    }
    EXPECT_EQ(FS.FileBytes("C:\\App\\uinst.log"),
              "[DelValue]%%\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool 100%%DisplayName\r\n"
              "[DelValue]%HKEY_CU%\\Software\\x%a%b\r\n"
              "[DelKey]%%\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool 100%\r\n"
              "[DelKey]%HKEY_LM%\\Software\\y\r\n"
              "[UImes 1]%" + std::string(300, 'q') + "\r\n"
              "[UImes 2]%Acme Tool uninstalled\r\n");
}

namespace {

// The shell of a system whose folders the test chooses; it records the links made.
struct TFakeShell {
    std::string Desktop = "C:\\Users\\u\\Desktop";
    std::string QuickLaunch = "C:\\Users\\u\\Quick Launch";
    std::string Programs = "C:\\Users\\u\\Programs";
    std::vector<std::string> Made;
    bool SaveFails = false;

    TShortcutShell Shell()
    {
        TShortcutShell S;
        S.InstallFolder = [this](TLinkKind Kind, const std::string& Group) -> std::string {
            switch (Kind) {
            case TLinkKind::Desktop: return Desktop;
            case TLinkKind::QuickLaunch: return QuickLaunch;
            case TLinkKind::Group: return Group;
            case TLinkKind::ProgramsGroup: return JoinPath(Programs, Group);
            default: return "";
            }
        };
        S.CreateShortcut = [this](const std::string& Target, const std::string& Arguments, const std::string& WorkDir,
                                  const std::string& Name, const std::string& Group, TLinkKind Kind) -> std::string {
            Made.push_back(Target + "|" + Arguments + "|" + WorkDir + "|" + Name + "|" + Group + "|" +
                           std::to_string(static_cast<int>(Kind)));
            return SaveFails ? "" : "saved";
        };
        return S;
    }
};

} // namespace

TEST(UninstallLog, ShortcutsAreMadeAndLogged)
{
    using K = TLinkKind;
    TMemoryFileSystem FS;
    TFakeShell Fake;
    const TShortcutShell Shell = Fake.Shell();
    std::string Link;
    {
        CUInstLog Log(0, "C:\\App\\uinst.log", FS);
        EXPECT_TRUE(Log.AddShortcut("C:\\App\\tool.exe", "", "", "Tool", "", K::Desktop, Link, Shell));
        EXPECT_EQ(Link, "saved");
        EXPECT_TRUE(
            Log.AddShortcut("C:\\App\\tool.exe", "-x", "C:\\App", "", "Acme\\Tool", K::ProgramsGroup, Link, Shell));
        Fake.SaveFails = true;
        // Logged all the same, so that a link saved in part goes too.
        EXPECT_TRUE(Log.AddShortcut("C:\\App\\tool.exe", "", "", "Tool", "", K::QuickLaunch, Link, Shell));
        EXPECT_EQ(Link, "");
    }
    EXPECT_EQ(Fake.Made, (std::vector<std::string>{"C:\\App\\tool.exe|||Tool||1",
                                                   "C:\\App\\tool.exe|-x|C:\\App|ShortCut totool.exe|Acme\\Tool|5",
                                                   "C:\\App\\tool.exe|||Tool||3"}));
    EXPECT_EQ(FS.FileBytes("C:\\App\\uinst.log"), "[DelFile]%C:\\Users\\u\\Desktop\\Tool.lnk\r\n"
                                                  "[DelFile]%C:\\Users\\u\\Programs\\Acme\\Tool\\ShortCut totool.exe.lnk\r\n"
                                                  "[DelFile]%C:\\Users\\u\\Quick Launch\\Tool.lnk\r\n");
}

TEST(UninstallLog, NoLinkWithoutItsFolderOrOutsideIt)
{
    using K = TLinkKind;
    TMemoryFileSystem FS;
    TFakeShell Fake;
    Fake.QuickLaunch = "";
    Fake.Programs = "";
    const TShortcutShell Shell = Fake.Shell();
    std::string Link = "old";
    {
        CUInstLog Log(0, "C:\\App\\uinst.log", FS);
        EXPECT_FALSE(Log.AddShortcut("C:\\App\\a.exe", "", "", "A", "", K::QuickLaunch, Link, Shell));
        EXPECT_EQ(Link, "");
        EXPECT_FALSE(Log.AddShortcut("C:\\App\\a.exe", "", "", "A", "Group", K::ProgramsGroup, Link, Shell));
        EXPECT_FALSE(Log.AddShortcut("C:\\App\\a.exe", "", "", "..\\..\\Windows\\evil", "", K::Desktop, Link, Shell));
        EXPECT_FALSE(Log.AddShortcut("C:\\App\\a.exe", "", "", "A", "", static_cast<K>(0), Link, Shell));
        Fake.Programs = "C:\\P";
        EXPECT_FALSE(Log.AddShortcut("C:\\App\\a.exe", "", "", "A", "..\\Startup", K::ProgramsGroup, Link, Shell));
        EXPECT_FALSE(Log.AddShortcut("C:\\App\\a.exe", "", "", "A", "C:\\Elsewhere", K::ProgramsGroup, Link, Shell));
    }
    EXPECT_TRUE(Fake.Made.empty());
    EXPECT_EQ(FS.FileBytes("C:\\App\\uinst.log"), "");

    FS.AddFile("C:\\r.log", "");
    CUInstLog Read(2, "C:\\r.log", FS);
    EXPECT_FALSE(Read.AddShortcut("C:\\App\\a.exe", "", "", "A", "", K::Desktop, Link, Shell));
    EXPECT_TRUE(Fake.Made.empty());
}
