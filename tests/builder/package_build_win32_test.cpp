// The package build on the real disk under Windows or Wine: stand-in runtime programs
// beside the builder, the real program start and the system's drive types.
#include "builder_fakes.h"
#include "package_reader.h"

#include "path_and_dir_helpers.h"
#include "stand_in_program.h"
#include "test_dirs.h"
#include "wine_drive.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

bool Exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class PackageBuildWin32 : public ::testing::Test {
protected:
    THash Remembered{true};
    TFakeBuilderUI UI;
    std::string Dir, Program, Source;
    std::unique_ptr<TStandIn> StandIn;
    std::unique_ptr<CCastamer> B;
    int Starts = 0;

    void SetUp() override
    {
        Dir = ScratchDir();
        Program = Dir + "\\prog";
        Source = Dir + "\\src";
        TFileSystem& Disk = LocalFileSystem();
        ASSERT_TRUE(Disk.ForceDirectories(Program));
        StandIn = std::make_unique<TStandIn>(Dir);
        ASSERT_TRUE(CopyFileA(StandIn->ExePath().c_str(), (Program + "\\Install.exe").c_str(), FALSE));
        WriteWholeFile(Program + "\\Castremove.exe", "uninstaller stand-in");

        ASSERT_TRUE(Disk.ForceDirectories(Source + "\\bin"));
        ASSERT_TRUE(Disk.ForceDirectories(Source + "\\empty"));
        WriteWholeFile(Source + "\\bin\\tool.exe", "tool");
        WriteWholeFile(Source + "\\readme.txt", "read me");
        WriteWholeFile(Source + "\\zero.dat", "");

        TBuilderServices S = SystemBuilderServices();
        S.ProgramFileName = Program + "\\Castbuild.exe";
        S.Registry = nullptr;
        const auto Real = S.RunProgram;
        S.RunProgram = [this, Real](const std::string& Exe, const std::string& Cmd, bool Wait) {
            ++Starts;
            return Real(Exe, Cmd, Wait);
        };
        B = std::make_unique<CCastamer>(S, Remembered);
        B->AttachUI(&UI);
        CCst_App* App = B->AddApp();
        App->Props.Add("DID", "2");
        App->Props.Add("InDir", Source);
        App->Props.Add("OutFN", "tool.ime");
        App->Shortcuts.Add("s1", "Tool|SCut to file|" + Source + "\\bin\\tool.exe|Desktop|Tools");
    }

    void TearDown() override { B.reset(); }

    // The stand-in ran as Path: its own command line names it.
    void ExpectStartedAs(const std::string& Path)
    {
        const std::vector<std::string> Record = StandIn->WaitForRecord();
        ASSERT_FALSE(Record.empty());
        EXPECT_NE(Record[0].find(Path), std::string::npos) << Record[0];
        EXPECT_EQ(Starts, 1);
    }
};

} // namespace

TEST_F(PackageBuildWin32, BuildWritesThePackageAndStartsItsInstaller)
{
    const std::string Out = Dir + "\\out";
    UI.DirAnswer = Out;
    ASSERT_TRUE(BuildAndRunInstaller(*B, TBuildMode::Build));
    ExpectStartedAs(Out + "\\Install.exe");
    EXPECT_EQ(ReadWholeFile(Out + "\\Data\\Castremove.exe"), "uninstaller stand-in");
    EXPECT_EQ(ReadWholeFile(Out + "\\Install.exe"), ReadWholeFile(Program + "\\Install.exe"));

    TFileSystem& Disk = LocalFileSystem();
    CDataBag Bag;
    LoadPackage(Bag, Out + "\\view.inst", Disk);
    EXPECT_EQ(BagKeys(Bag), (std::vector<std::int32_t>{100000, 5}));
    TPackageRecord R;
    ReadAppRecord(Bag, 100000, R);
    EXPECT_EQ(Entries(R.Shortcuts), (std::vector<std::string>{"s1=Tool|SCut to file|\\bin\\tool.exe|Desktop|Tools"}));
    ASSERT_TRUE(CArchive_BZip(nullptr, Disk).Unpack(Out + "\\Data\\tool.ime", Dir + "\\check"));
    EXPECT_EQ(TreeBelow(Disk, Dir + "\\check"), TreeBelow(Disk, Source));
}

TEST_F(PackageBuildWin32, PreviewRefillsTheTemporaryDirectoryAndStartsTheInstallerOnce)
{
    const std::string Temp = Program + "\\temp";
    ASSERT_TRUE(LocalFileSystem().ForceDirectories(Temp + "\\old"));
    WriteWholeFile(Temp + "\\old\\stale.txt", "stale");
    ASSERT_TRUE(BuildAndRunInstaller(*B, TBuildMode::Preview));
    ExpectStartedAs(Temp + "\\Install.exe");
    std::vector<std::string> Names;
    for (const TDirEntry& E : LocalFileSystem().ListDirectory(Temp))
        Names.push_back(E.Name);
    EXPECT_EQ(Sorted(Names), (std::vector<std::string>{"Install.exe", "view.inst"}));
    EXPECT_FALSE(Exists(Temp + "\\Data\\Castremove.exe"));
    EXPECT_EQ(UI.MessageTypes.size(), 0u);
}

TEST_F(PackageBuildWin32, AReadOnlyFileOfOnePalmInstallationStaysOutOfTheNextOnesArchive)
{
    TFileSystem& Disk = LocalFileSystem();
    const std::string First = Dir + "\\palm1", Second = Dir + "\\palm2";
    ASSERT_TRUE(Disk.ForceDirectories(First) && Disk.ForceDirectories(Second));
    WriteWholeFile(First + "\\first.prc", "first");
    WriteWholeFile(First + "\\locked.pdb", "read-only data");
    ASSERT_TRUE(SetFileAttributesA((First + "\\locked.pdb").c_str(), FILE_ATTRIBUTE_READONLY));
    WriteWholeFile(Second + "\\second.prc", "second");
    B->Apps().front()->Props.Add("DID", "-1");
    for (const auto& [Source, Name] : {std::pair<std::string, std::string>{First, "first.ime"}, {Second, "second.ime"}}) {
        CCst_App* App = B->AddApp();
        App->Props.Add("DID", "0");
        App->Props.Add("InDir", Source);
        App->Props.Add("OutFN", Name);
    }
    const std::string Out = Dir + "\\out";
    UI.DirAnswer = Out;
    ASSERT_TRUE(B->Build(TBuildMode::Build));
    EXPECT_EQ(ArchiveFiles(Out + "\\Data\\first.ime", Disk), (std::vector<std::string>{"first.prc", "locked.pdb"}));
    EXPECT_EQ(ArchiveFiles(Out + "\\Data\\second.ime", Disk), (std::vector<std::string>{"second.prc"}));
    EXPECT_TRUE(Disk.ListDirectory(Program + "\\temp").empty());
    SetFileAttributesA((First + "\\locked.pdb").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(PackageBuildWin32, CdRomAndNetworkDrivesAreRefusedWithAMessage)
{
    if (!UnderWine())
        GTEST_SKIP() << "drive letters with a type are made through Wine's mount manager";
    const std::string Target = Dir + "\\drive";
    ASSERT_TRUE(LocalFileSystem().ForceDirectories(Target));
    const std::string Unix = UnixPath(Target);
    ASSERT_FALSE(Unix.empty());
    // Letters below those the foundation's drive test takes ("q" and above), which may run alongside.
    char Next = 'p';
    for (ULONG Type : {DRIVE_CDROM, DRIVE_REMOTE, DRIVE_FIXED}) {
        const char Letter = FreeLetter(Next);
        ASSERT_NE(Letter, 0);
        Next = static_cast<char>(Letter - 1);
        TWineDrive Drive(Letter, Type, Unix);
        ASSERT_TRUE(Drive.Defined()) << Letter;
        UI.Calls.clear();
        UI.DirAnswer = Drive.Root() + "pkg";
        const bool Fixed = Type == DRIVE_FIXED;
        EXPECT_EQ(B->Build(TBuildMode::Build), Fixed) << Drive.Root();
        EXPECT_EQ(Exists(Target + "\\pkg\\view.inst"), Fixed) << Drive.Root();
        if (!Fixed) {
            // The chooser, then why its answer cannot be used.
            ASSERT_EQ(UI.Calls.size(), 2u) << Drive.Root();
            EXPECT_EQ(UI.Calls[1], "message Build directory must be a full path on a local disk, not on a network "
                                   "drive,\n\r a CD-ROM, a RAM disk or drive A:\n\r" +
                                       UI.DirAnswer)
                << Drive.Root();
        }
    }
    EXPECT_EQ(Starts, 0);
}
