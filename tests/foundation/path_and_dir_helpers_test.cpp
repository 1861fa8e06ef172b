#include "exceptions.h"
#include "file_stream.h"
#include "memory_file_system.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Values(const THash& H)
{
    std::vector<std::string> V;
    for (const THashPair& P : H.Pairs())
        V.push_back(P.Key + "=" + P.Value);
    return V;
}

} // namespace

TEST(ShellHelpers, JoinPath)
{
    const char* Cases[][3] = {
        {"C:\\a", "b", "C:\\a\\b"},  {"C:\\a\\", "\\b", "C:\\a\\b"}, {"C:\\", "", "C:"},
        {"", "\\x", "x"},            {"C:\\a", "\\*", "C:\\a\\*"},   {"", "", ""},
        {"C:\\a", "b\\", "C:\\a\\b"}, {"a", "\\\\b", "a\\\\b"},      {"", "\\", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(JoinPath(C[0], C[1]), C[2]) << C[0] << " + " << C[1];
}

TEST(ShellHelpers, IsInsideDir)
{
    struct TCase {
        const char* Dir;
        const char* Path;
        bool Inside;
    };
    const TCase Cases[] = {
        {"C:\\Src", "C:\\Src\\bin\\tool.exe", true}, {"C:\\Src", "c:\\SRC\\x.exe", true},
        {"C:\\Src", "C:\\Src", true},                 {"C:\\Src\\", "C:\\Src\\x.exe", true},
        {"C:\\", "C:\\x.exe", true},                  {"C:\\Src", "C:\\Src2\\x.exe", false},
        {"C:\\Src", "C:\\Sr", false},                 {"C:\\Src", "D:\\Src\\x", false},
        {"", "C:\\x.exe", false},                     {"\\", "\\x", false},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(IsInsideDir(C.Dir, C.Path), C.Inside) << C.Dir << " " << C.Path;
}

TEST(ShellHelpers, MatchesMaskOnLongNamesOnly)
{
    EXPECT_TRUE(MatchesMask("readme", "*.*"));
    EXPECT_TRUE(MatchesMask("a.dll", "*.dll"));
    EXPECT_TRUE(MatchesMask("A.DLL", "*.dll"));
    EXPECT_FALSE(MatchesMask("b.dllx", "*.dll"));
    EXPECT_TRUE(MatchesMask("x1.txt", "x?.txt"));
    EXPECT_FALSE(MatchesMask("x12.txt", "x?.txt"));
    EXPECT_TRUE(MatchesMask("a.b.c", "*.c"));
    EXPECT_TRUE(MatchesMask("noext", "*."));
    EXPECT_FALSE(MatchesMask("has.ext", "*."));
}

TEST(ShellHelpers, FileModeAndEmptyFile)
{
    TMemoryFileSystem FS;
    EXPECT_EQ(FileModeFor("C:\\f", false, FS), 65535u);
    FS.AddFile("C:\\f", "data");
    EXPECT_EQ(FileModeFor("C:\\f", false, FS), 2u);
    EXPECT_EQ(FileModeFor("C:\\f", true, FS), 65535u);
    EXPECT_TRUE(CreateEmptyFile("C:\\f", FS));
    EXPECT_EQ(FS.FileBytes("C:\\f"), "");
    EXPECT_FALSE(CreateEmptyFile("C:\\no\\dir\\f", FS));
}

TEST(ShellHelpers, ListDirTreeWalksParentsBeforeSubtreesAndNumbersOn)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\src\\a\\x\\f1", "");
    FS.AddFile("C:\\src\\b\\f2", "");
    FS.ForceDirectories("C:\\src\\a\\y");
    FS.SetAttributes("C:\\src\\b", faHidden | faReadOnly);
    FS.AddFile("C:\\src\\top.txt", "");

    THash List(false);
    List.Add("x", "", true);
    List.Add("y", "", true);
    List.Add("z", "", true);
    ListDirTree("C:\\src", List, FS);
    EXPECT_EQ(Values(List), (std::vector<std::string>{"x=", "y=", "z=", "3=C:\\src", "4=C:\\src\\a", "5=C:\\src\\a\\x",
                                                      "6=C:\\src\\a\\y", "7=C:\\src\\b"}));

    THash Files(false);
    ListFiles("C:\\src", "*.*", Files, false, FS);
    EXPECT_EQ(Values(Files), (std::vector<std::string>{"=top.txt"}));
    THash Full(false);
    ListFiles("C:\\src\\b", "*.*", Full, true, FS);
    EXPECT_EQ(Values(Full), (std::vector<std::string>{"=C:\\src\\b\\f2"}));
}

TEST(ShellHelpers, ListDirTreeOfAMissingDirectoryAddsOnlyItself)
{
    TMemoryFileSystem FS;
    THash List(false);
    ListDirTree("C:\\nothing", List, FS);
    EXPECT_EQ(Values(List), (std::vector<std::string>{"0=C:\\nothing"}));
}

TEST(ShellHelpers, EveryWalkFailsAtADirectoryThatCannotBeListed)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\src\\a.txt", "a");
    FS.AddFile("C:\\src\\sealed\\b.txt", "b");
    FS.SetUnreadable("C:\\src\\sealed");
    THash List(false), Dirs(false), Files(false);
    std::vector<std::string> Strings;
    EXPECT_THROW(ListDirTree("C:\\src", List, FS), EInOutError);
    EXPECT_THROW(ScanDirTree("C:\\src", "*.*", Dirs, Files, FS), EInOutError);
    EXPECT_THROW(CopyDirTree("C:\\src", "D:\\copy", "*.*", nullptr, nullptr, FS), EInOutError);
    EXPECT_THROW(ListFiles("C:\\src\\sealed", "*.*", Files, false, FS), EInOutError);
    EXPECT_THROW(ListFilesToStrings("C:\\src\\sealed", "*.*", Strings, false, FS), EInOutError);
    // The readable part still lists.
    ListFiles("C:\\src", "*.*", Files, false, FS);
    EXPECT_EQ(Values(Files), (std::vector<std::string>{"=a.txt"}));
}

TEST(ShellHelpers, ListDirTreeWithATrailingSlashDoublesIt)
{
    TMemoryFileSystem FS;
    FS.ForceDirectories("C:\\src\\a");
    THash List(false);
    ListDirTree("C:\\src\\", List, FS);
    EXPECT_EQ(Values(List), (std::vector<std::string>{"0=C:\\src\\", "1=C:\\src\\\\a"}));
}

TEST(ShellHelpers, ScanDirTreeKeysFilesByDirectory)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\s\\a.dll", "");
    FS.AddFile("C:\\s\\b.txt", "");
    FS.AddFile("C:\\s\\d\\c.dll", "");
    THash Dirs(false), Files(false);
    Dirs.Add("0", "C:\\elsewhere", true);
    ScanDirTree("C:\\s", "*.dll", Dirs, Files, FS);
    EXPECT_EQ(Values(Dirs), (std::vector<std::string>{"0=C:\\elsewhere", "1=C:\\s", "2=C:\\s\\d"}));
    EXPECT_EQ(Values(Files), (std::vector<std::string>{"1=a.dll", "2=c.dll"}));
}

TEST(ShellHelpers, CopyDirTreeMirrorsAndCountsFailures)
{
    TMemoryFileSystem FS;
    FS.AddFile("C:\\s\\a", "1");
    FS.AddFile("C:\\s\\e\\b", "22");
    FS.ForceDirectories("C:\\s\\empty");
    FS.AddFile("D:\\t\\a", "old");
    THash Dirs(false), Files(false);
    Dirs.Add("stale", "", true);
    EXPECT_EQ(CopyDirTree("C:\\s", "D:\\t", "*.*", &Dirs, &Files, FS), 0);
    EXPECT_EQ(FS.FileBytes("D:\\t\\a"), "1");
    EXPECT_EQ(FS.FileBytes("D:\\t\\e\\b"), "22");
    EXPECT_TRUE(FS.DirectoryExists("D:\\t\\empty"));
    EXPECT_EQ(Values(Dirs), (std::vector<std::string>{"0=C:\\s", "1=C:\\s\\e", "2=C:\\s\\empty"}));
    EXPECT_EQ(Values(Files), (std::vector<std::string>{"0=D:\\t\\a", "1=D:\\t\\e\\b"}));

    // A directory in the way of a file makes that copy fail, and it is counted.
    FS.ForceDirectories("E:\\u\\a");
    EXPECT_EQ(CopyDirTree("C:\\s", "E:\\u", "*.*", nullptr, nullptr, FS), 1);
}

TEST(ShellHelpers, CanInstallTo)
{
    TMemoryFileSystem FS;
    FS.SetDriveType('E', dtCDRom);
    FS.SetDriveType('N', dtRemote);
    FS.SetDriveType('R', dtRamDisk);
    FS.SetDriveType('F', dtRemovable);
    FS.SetDriveType('A', dtRemovable);
    struct Case {
        const char* Dir;
        bool Expected;
    };
    const Case Cases[] = {{"", false},          {"relative\\dir", false}, {"\\\\server\\share", false},
                          {"A:\\setup", false}, {"a:", false},            {"E:\\x", false},
                          {"N:\\x", false},     {"R:\\x", false},         {"F:\\x", true},
                          {"c:\\x", true}};
    for (const Case& C : Cases)
        EXPECT_EQ(CanInstallTo(C.Dir, false, FS), C.Expected) << C.Dir;
    EXPECT_FALSE(FS.DirectoryExists("c:\\x"));
    EXPECT_TRUE(CanInstallTo("c:\\x\\y", true, FS));
    EXPECT_TRUE(FS.DirectoryExists("c:\\x\\y"));
    FS.AddFile("c:\\file", "");
    EXPECT_FALSE(CanInstallTo("c:\\file\\sub", true, FS));
}

TEST(ShellHelpers, WalksTheRealDiskToo)
{
    TFileSystem& FS = LocalFileSystem();
    const std::string Root = ScratchDir();
    FS.ForceDirectories(Root + "\\a\\deep\\er");
    FS.ForceDirectories(Root + "\\.hidden");
    FS.Create(Root + "\\a\\f.txt")->WriteString("x");
    THash List(false);
    ListDirTree(Root, List, FS);
    ASSERT_EQ(List.Count(), 5); // the root, a, deep, er and the hidden one
    EXPECT_EQ(List.GetEntry(0).Value, Root);
    THash Files(false);
    ListFiles(Root + "\\a", "*.txt", Files, true, FS);
    ASSERT_EQ(Files.Count(), 1);
    EXPECT_EQ(Files.GetEntry(0).Value, JoinPath(Root + "\\a", "f.txt"));
}

TEST(ShellHelpers, FilePathAndName)
{
    const char* Cases[][3] = {
        {"C:\\dir\\file.txt", "C:\\dir\\", "file.txt"}, {"C:\\file", "C:\\", "file"}, {"C:file", "C:", "file"},
        {"file", "", "file"},                           {"a/b", "", "b"},           {"C:\\dir\\", "C:\\dir\\", ""},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(ExtractFilePath(C[0]), C[1]) << C[0];
        EXPECT_EQ(ExtractFileName(C[0]), C[2]) << C[0];
    }
}

TEST(ShellHelpers, InstallDirPartNeverLeavesTheDirectoryAbove)
{
    const char* Cases[][2] = {
        {"Game", "Game"},         {"v1.0 \"new\"", "v1.0 new"}, {"A<b>|c?*", "Abc"}, {"x/y:z\\w", "xyzw"},
        {"Tab\tBell\a", "TabBell"}, {"..", ""},                   {".", ""},          {" . . ", ""},
        {"..\\..", ""},           {"?:*", ""},                    {"", ""},           {"...x", "...x"},
        {"\x7F", "\x7F"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(InstallDirPart(C[0]), C[1]) << C[0];
}

TEST(ShellHelpers, DirectoriesMadeAreNotedAndGoAgainWhenEmpty)
{
    TMemoryFileSystem FS;
    FS.ForceDirectories("C:\\Program Files");
    const std::vector<std::string> Made = ForceDirectoriesNoting("C:\\Program Files\\Acme\\Tool\\", FS);
    EXPECT_EQ(Made, (std::vector<std::string>{"C:\\Program Files\\Acme", "C:\\Program Files\\Acme\\Tool"}));
    EXPECT_TRUE(FS.DirectoryExists("C:\\Program Files\\Acme\\Tool"));
    EXPECT_TRUE(ForceDirectoriesNoting("C:\\Program Files\\Acme", FS).empty());
    EXPECT_EQ(ForceDirectoriesNoting("D:\\x", FS), std::vector<std::string>{"D:\\x"});

    // Something of the user's in Acme: Tool goes, Acme stays, and so does Program Files.
    FS.AddFile("C:\\Program Files\\Acme\\notes.txt", "");
    RemoveEmptyDirectories(Made, FS);
    EXPECT_FALSE(FS.DirectoryExists("C:\\Program Files\\Acme\\Tool"));
    EXPECT_TRUE(FS.DirectoryExists("C:\\Program Files\\Acme"));
    FS.EraseFile("C:\\Program Files\\Acme\\notes.txt");
    RemoveEmptyDirectories(Made, FS);
    EXPECT_FALSE(FS.DirectoryExists("C:\\Program Files\\Acme"));
    EXPECT_TRUE(FS.DirectoryExists("C:\\Program Files"));

    // A file in the way: nothing more is made.
    FS.AddFile("C:\\blocked", "");
    EXPECT_TRUE(ForceDirectoriesNoting("C:\\blocked\\x", FS).empty());
}

TEST(CanonicalPath, NamesWhatACreationOfThePathMakes)
{
    const struct {
        const char* Path;
        const char* Canonical;
    } Cases[] = {
        {"C:\\Program Files\\Brindlo Demo Inc.\\Tool App", "C:\\Program Files\\Brindlo Demo Inc\\Tool App"},
        {"C:\\Apps\\Tool. . ", "C:\\Apps\\Tool"},
        {"C:/Apps//Tool/", "C:\\Apps\\Tool"},
        {"C:\\Apps\\\\\\Tool\\\\", "C:\\Apps\\Tool"},
        {"C:\\", "C:\\"},
        {"C:/", "C:\\"},
        {"C:", "C:"},
        {"C:\\a\\.\\b", "C:\\a\\b"},
        {"C:\\a\\..\\b", "C:\\b"},
        {"C:\\..\\..\\b", "C:\\b"},
        {"C:\\a\\...\\b", "C:\\a\\b"},
        {"C:\\ a\\b", "C:\\ a\\b"},
        {"\\\\server\\share\\dir.", "\\\\server\\share\\dir"},
        {"\\dir\\", "\\dir"},
        {"Acme Tool.", "Acme Tool"},
        {"Acme/Tools \\Tool", "Acme\\Tools\\Tool"},
        {"..\\up", "..\\up"},
        {"a\\..\\..\\up", "..\\up"},
        {"", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(CanonicalPath(C.Path), C.Canonical) << C.Path;
}
