#include "cab_maker.h"

#include "memory_file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string InfText(const CCabMaker& M)
{
    TArrayOfString Lines;
    M.WriteInf(Lines);
    std::string T;
    for (const std::string& L : Lines)
        T += L + "\n";
    return T;
}

// One section of the setup description, header included, up to the next blank line.
std::string Section(const CCabMaker& M, const std::string& Header)
{
    const std::string T = InfText(M);
    const std::size_t At = T.find(Header + "\n");
    if (At == std::string::npos)
        return "";
    const std::size_t End = T.find("\n\n", At);
    return T.substr(At, End == std::string::npos ? std::string::npos : End + 1 - At);
}

std::vector<std::string> Pairs(const THash& H)
{
    std::vector<std::string> V;
    for (const THashPair& P : H.Pairs())
        V.push_back(P.Key + "=" + P.Value);
    return V;
}

} // namespace

TEST(CabMaker, SourceTreeWithASubdirectoryAndNoShortcuts)
{
    CCabMaker M;
    M.AppName = "Tool";
    M.CompanyName = "Acme";
    M.InstallDir = "%CE1%\\Acme\\Tool";
    M.Description = "not written";
    M.AddFile(0, "C:\\Src", "a.exe", "%InstallDir%");
    M.AddFile(0, "C:\\Src\\data", "b.dat", "%InstallDir%\\data");
    EXPECT_EQ(InfText(M), "[Version]\n"
                          "Signature = \"$Windows NT$\"\n"
                          "Provider = \"Acme\"\n"
                          "CESignature = \"$Windows CE$\"\n"
                          "\n"
                          "[CEStrings]\n"
                          "AppName=\"Tool\"\n"
                          "CompanyName=\"Acme\"\n"
                          "InstallDir=\"%CE1%\\Acme\\Tool\"\n"
                          "\n"
                          "\n"
                          "[SourceDisksNames]\n"
                          "1 = ,,,C:\\Src\n"
                          "2 = ,,,C:\\Src\\data\n"
                          "\n"
                          "[DefaultInstall]\n"
                          "CopyFiles = TCF_0,TCF_1\n"
                          "\n"
                          "[SourceDisksFiles]\n"
                          "a.exe=1\n"
                          "b.dat=2\n"
                          "\n"
                          "[DestinationDirs]\n"
                          "TCF_0 = 0,%InstallDir%\n"
                          "TCF_1 = 0,%InstallDir%\\data\n"
                          "\n"
                          "[TCF_0]\n"
                          "\"a.exe\",,,0x00000001\n"
                          "\n"
                          "[TCF_1]\n"
                          "\"b.dat\",,,0x00000001\n");
}

TEST(CabMaker, NothingToInstallWritesOnlyTheFixedSections)
{
    CCabMaker M;
    EXPECT_EQ(InfText(M), "[Version]\nSignature = \"$Windows NT$\"\nProvider = \"\"\nCESignature = \"$Windows CE$\"\n\n"
                          "[CEStrings]\nAppName=\"\"\nCompanyName=\"\"\nInstallDir=\"\"\n\n\n\n[SourceDisksFiles]\n\n\n");
}

TEST(CabMaker, ShortcutsOnlyStillGetTheirSections)
{
    CCabMaker M;
    M.AddShortcut("tool.exe", "Tool", CEDirMacro("Start Menu"));
    M.AddShortcut("tool.exe", "Tool", CEDirMacro("App Root"));
    EXPECT_EQ(Section(M, "[DefaultInstall]"), "[DefaultInstall]\nCEShortcuts = SCUTS\n");
    EXPECT_EQ(Section(M, "[DestinationDirs]"), "[DestinationDirs]\nSCUTS = 0,%InstallDir%\n");
    EXPECT_EQ(Section(M, "[SCUTS]"),
              "[SCUTS]\n\"Tool.lnk\",0,\"tool.exe\",%CE17%\n\"Tool.lnk\",0,\"tool.exe\",%InstallDir%\n");
}

TEST(CabMaker, OneFileForTwoProcessorsSharesItsDiskId)
{
    CCabMaker M;
    M.AddFile(0, "C:\\Src", "a.exe", "%InstallDir%");
    M.AddFile(1, "C:\\Dev\\arm\\", "x.dll", "%InstallDir%");
    M.AddFile(2, "C:\\Dev\\mips\\", "x.dll", "%InstallDir%");
    EXPECT_EQ(Pairs(M.Files), (std::vector<std::string>{"a.exe|%InstallDir%=1", "x.dll|%InstallDir%=2"}));
    // Quoted: a final "\" would continue the line into the next one.
    EXPECT_EQ(Section(M, "[SourceDisksNames.ARM]"), "[SourceDisksNames.ARM]\n2 = ,,,\"C:\\Dev\\arm\\\"\n");
    EXPECT_EQ(Section(M, "[SourceDisksNames.MIPS]"), "[SourceDisksNames.MIPS]\n2 = ,,,\"C:\\Dev\\mips\\\"\n");
    EXPECT_EQ(Section(M, "[SourceDisksNames.SH3]"), "");
    EXPECT_EQ(Section(M, "[TCF_0]"), "[TCF_0]\n\"a.exe\",,,0x00000001\n\"x.dll\",,,0x00000001\n");
}

// Every processor must find each of its files in the directory it came from, and a
// common file wherever a processor brings no copy of its own.
TEST(CabMaker, SourceDisksStayCorrectWhenAFileNameRepeats)
{
    struct TAdd {
        int Cpu;
        std::string Dir, Name;
    };
    struct TCase {
        const char* What;
        std::vector<TAdd> Adds;
        std::vector<std::string> Files;
        std::vector<std::string> Disks[4];
    };
    const TCase Cases[] = {
        {"the second processor's directory holds other files already",
         {{1, "C:\\arm\\", "x.dll"}, {2, "C:\\mips\\", "y.dll"}, {2, "C:\\mips\\", "x.dll"}},
         {"x.dll|D=1", "y.dll|D=2"},
         {{}, {"C:\\arm\\=1"}, {"C:\\mips\\=2", "C:\\mips\\=1"}, {}}},
        {"a processor's copy of a common file",
         {{0, "C:\\Src", "a.exe"}, {0, "C:\\Src", "readme.txt"}, {1, "C:\\arm\\", "readme.txt"}},
         {"a.exe|D=1", "readme.txt|D=2"},
         {{"C:\\Src=1", "C:\\Src=2"}, {"C:\\arm\\=2"}, {}, {}}},
        {"the only common file of its directory",
         {{0, "C:\\Src", "a.exe"}, {1, "C:\\arm\\", "a.exe"}},
         {"a.exe|D=1"},
         {{"C:\\Src=1"}, {"C:\\arm\\=1"}, {}, {}}},
        {"a file whose disk is shared on the first processor's side",
         {{1, "C:\\arm\\", "x.dll"}, {1, "C:\\arm\\", "z.dll"}, {3, "C:\\sh3\\", "x.dll"}},
         {"x.dll|D=2", "z.dll|D=1"},
         {{}, {"C:\\arm\\=1", "C:\\arm\\=2"}, {}, {"C:\\sh3\\=2"}}},
        {"a processor's copy from the common file's own directory",
         {{0, "C:\\Src", "a.exe"}, {0, "C:\\Src", "b.exe"}, {1, "c:\\SRC\\", "a.exe"}},
         {"a.exe|D=1", "b.exe|D=1"},
         {{"C:\\Src=1"}, {}, {}, {}}},
        {"one processor twice: the first registration wins",
         {{1, "C:\\arm\\", "x.dll"}, {1, "C:\\other\\", "x.dll"}},
         {"x.dll|D=1"},
         {{}, {"C:\\arm\\=1"}, {}, {}}},
        {"a processor's disk that other files of its own share",
         {{1, "C:\\arm\\", "x.dll"}, {2, "C:\\mips\\", "q.dll"}, {2, "C:\\mips\\", "x.dll"},
          {2, "C:\\mips\\", "r.dll"}, {3, "C:\\sh3\\", "r.dll"}},
         {"x.dll|D=1", "q.dll|D=2", "r.dll|D=4"},
         {{}, {"C:\\arm\\=1"}, {"C:\\mips\\=2", "C:\\mips\\=1", "C:\\mips\\=4"}, {"C:\\sh3\\=4"}}},
    };
    for (const TCase& C : Cases) {
        CCabMaker M;
        for (const TAdd& A : C.Adds)
            M.AddFile(A.Cpu, A.Dir, A.Name, "D");
        EXPECT_EQ(Pairs(M.Files), C.Files) << C.What;
        for (int Cpu = 0; Cpu < 4; ++Cpu)
            EXPECT_EQ(Pairs(M.SourceDisks[Cpu]), C.Disks[Cpu]) << C.What << ", table " << Cpu;
    }
}

TEST(CabMaker, NewDiskIdsCountTheEntriesOfAllFourTables)
{
    CCabMaker M;
    EXPECT_EQ(M.NextDiskId(), 1);
    M.AddFile(0, "C:\\a", "1", "D");
    M.AddFile(1, "C:\\b", "2", "D");
    M.AddFile(2, "C:\\c", "3", "D");
    M.AddFile(3, "C:\\d", "4", "D");
    M.AddFile(3, "C:\\d", "5", "D");
    EXPECT_EQ(M.NextDiskId(), 5);
    EXPECT_EQ(M.Files.Lookup("5|D"), "4");
    M.AddFile(4, "C:\\e", "6", "D"); // no such processor
    M.AddFile(-1, "C:\\e", "6", "D");
    EXPECT_EQ(M.Files.Count(), 5);
    M.Clear();
    EXPECT_EQ(M.NextDiskId(), 1);
    EXPECT_EQ(M.Files.Count(), 0);
    EXPECT_TRUE(M.CopySections.empty());
}

TEST(CabMaker, CopySectionsPerDestinationWithoutRepeatedNames)
{
    CCabMaker M;
    M.AddToCopySection("%InstallDir%", "a.exe");
    M.AddToCopySection("%CE2%", "w.dll");
    M.AddToCopySection("%InstallDir%", "A.EXE");
    M.AddToCopySection("%installdir%", "b.exe"); // another text is another section
    M.AddToCopySection("%InstallDir%", "c.exe");
    ASSERT_EQ(M.CopySections.size(), 3u);
    EXPECT_EQ(M.CopySections[0], (TArrayOfString{"%InstallDir%", "a.exe", "c.exe"}));
    EXPECT_EQ(M.CopySections[1], (TArrayOfString{"%CE2%", "w.dll"}));
    EXPECT_EQ(M.CopySections[2], (TArrayOfString{"%installdir%", "b.exe"}));
}

TEST(CabMaker, ValuesAndNamesAreQuotedAsTheSyntaxRequires)
{
    CCabMaker M;
    M.AppName = "The \"Best\" Game";
    M.CompanyName = "Say \"Hi\", Inc.";
    M.InstallDir = "%CE1%\\a;b";
    M.AddFile(0, "C:\\Src,1", "x=y.exe", "%InstallDir%");
    M.AddFile(0, "C:\\Src,1\\a;b", "z;1.dat", "%InstallDir%\\a;b");
    M.AddFile(0, "C:\\Src,1", "plain.txt", "%InstallDir%");
    M.AddShortcut("x=y.exe", "My \"X\"", "%CE17%");
    const std::string T = InfText(M);
    EXPECT_NE(T.find("Provider = \"Say \"\"Hi\"\", Inc.\"\n"), std::string::npos) << T;
    EXPECT_NE(T.find("AppName=\"The \"\"Best\"\" Game\"\n"), std::string::npos);
    EXPECT_NE(T.find("CompanyName=\"Say \"\"Hi\"\", Inc.\"\n"), std::string::npos);
    EXPECT_NE(T.find("InstallDir=\"%CE1%\\a;b\"\n"), std::string::npos);
    EXPECT_EQ(Section(M, "[SourceDisksNames]"),
              "[SourceDisksNames]\n1 = ,,,\"C:\\Src,1\"\n2 = ,,,\"C:\\Src,1\\a;b\"\n");
    EXPECT_EQ(Section(M, "[SourceDisksFiles]"), "[SourceDisksFiles]\n\"x=y.exe\"=1\n\"z;1.dat\"=2\nplain.txt=1\n");
    EXPECT_EQ(Section(M, "[DestinationDirs]"),
              "[DestinationDirs]\nTCF_0 = 0,%InstallDir%\nTCF_1 = 0,\"%InstallDir%\\a;b\"\nSCUTS = 0,%InstallDir%\n");
    EXPECT_EQ(Section(M, "[SCUTS]"), "[SCUTS]\n\"My \"\"X\"\".lnk\",0,\"x=y.exe\",%CE17%\n");
    EXPECT_EQ(InfField(" lead"), "\" lead\"");
    EXPECT_EQ(InfField("C:\\Program Files\\x"), "C:\\Program Files\\x");
    EXPECT_EQ(InfField("C:\\Dev\\arm\\"), "\"C:\\Dev\\arm\\\"");
}

// A "%" of a name or path would start a macro reference and a final "\" would join
// the next line to the value; the builder's own macros stay macros.
TEST(CabMaker, PercentSignsAndFinalBackslashesReadAsWritten)
{
    CCabMaker M;
    M.AppName = "100% Fun";
    M.CompanyName = "50%";
    M.InstallDir = "%CE1%\\50%\\100% Fun";
    M.AddFile(0, "C:\\100%", "a%b.exe", "%InstallDir%");
    M.AddFile(0, "C:\\100%\\x%", "c.dat", "%InstallDir%\\x%");
    M.AddFile(1, "C:\\Dev\\arm\\", "d.dll", CEDirMacro("System Root"));
    M.AddFile(2, "C:\\Dev\\mips\\", "d.dll", CEDirMacro("System Root"));
    M.AddShortcut("a%b.exe", "100% Fun", CEDirMacro("Start Menu"));
    M.AddShortcut("d.dll", "Driver", CEDirMacro("System Root"));
    EXPECT_EQ(InfText(M), "[Version]\n"
                          "Signature = \"$Windows NT$\"\n"
                          "Provider = \"50%%\"\n"
                          "CESignature = \"$Windows CE$\"\n"
                          "\n"
                          "[CEStrings]\n"
                          "AppName=\"100%% Fun\"\n"
                          "CompanyName=\"50%%\"\n"
                          "InstallDir=\"%CE1%\\50%%\\100%% Fun\"\n"
                          "\n"
                          "\n"
                          "[SourceDisksNames]\n"
                          "1 = ,,,C:\\100%%\n"
                          "2 = ,,,C:\\100%%\\x%%\n"
                          "\n"
                          "[SourceDisksNames.ARM]\n"
                          "3 = ,,,\"C:\\Dev\\arm\\\"\n"
                          "\n"
                          "[SourceDisksNames.MIPS]\n"
                          "3 = ,,,\"C:\\Dev\\mips\\\"\n"
                          "\n"
                          "[DefaultInstall]\n"
                          "CopyFiles = TCF_0,TCF_1,TCF_2\n"
                          "CEShortcuts = SCUTS\n"
                          "\n"
                          "[SourceDisksFiles]\n"
                          "a%%b.exe=1\n"
                          "c.dat=2\n"
                          "d.dll=3\n"
                          "\n"
                          "[DestinationDirs]\n"
                          "TCF_0 = 0,%InstallDir%\n"
                          "TCF_1 = 0,%InstallDir%\\x%%\n"
                          "TCF_2 = 0,\"\\\"\n"
                          "SCUTS = 0,%InstallDir%\n"
                          "\n"
                          "[TCF_0]\n"
                          "\"a%%b.exe\",,,0x00000001\n"
                          "\n"
                          "[TCF_1]\n"
                          "\"c.dat\",,,0x00000001\n"
                          "\n"
                          "[TCF_2]\n"
                          "\"d.dll\",,,0x00000001\n"
                          "\n"
                          "[SCUTS]\n"
                          "\"100%% Fun.lnk\",0,\"a%%b.exe\",%CE17%\n"
                          "\"Driver.lnk\",0,\"d.dll\",\"\\\"\n");
}

TEST(CabMaker, DeviceDirectoriesKeepTheMacroTheyBeginWith)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"%InstallDir%", "%InstallDir%"},
        {"%CE1%\\100% Fun", "%CE1%\\100%% Fun"},
        {"%InstallDir%\\a%\\%CE2%", "%InstallDir%\\a%%\\%%CE2%%"},
        {"\\Games\\100%", "\\Games\\100%%"},
        {"%no macro%\\x", "%%no macro%%\\x"},
        {"%%", "%%%%"},
        {"%", "%%"},
        {"\\", "\\"},
        {"", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(InfDeviceDir(C.first), C.second) << C.first;
}

TEST(CabMaker, DeviceDirectoryMacros)
{
    const std::pair<const char*, const char*> Cases[] = {
        {"App Root", "%InstallDir%"}, {"Start Menu", "%CE17%"}, {"Win Root", "%CE2%"},
        {"System Root", "\\"},        {"", "%InstallDir%"},      {"Desktop", "%InstallDir%"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(CEDirMacro(C.first), C.second) << C.first;
}

TEST(CabMaker, SavedLinesEndInCarriageReturnAndLineFeed)
{
    TMemoryFileSystem FS;
    CCabMaker M;
    M.AppName = "A";
    M.AddFile(0, "C:\\S", "f", "%InstallDir%");
    ASSERT_TRUE(FS.ForceDirectories("C:\\t"));
    M.SaveInf("C:\\t\\a.inf", FS);
    const std::string Bytes = FS.FileBytes("C:\\t\\a.inf");
    std::string Expected = InfText(M);
    for (std::size_t At = Expected.find('\n'); At != std::string::npos; At = Expected.find('\n', At + 2))
        Expected.insert(At, "\r");
    EXPECT_EQ(Bytes, Expected);
    EXPECT_EQ(Bytes.substr(Bytes.size() - 2), "\r\n");
}
