// The Pocket PC build on the real disk under Windows or Wine, with the stand-in CAB
// wizard started, waited for and checked the way the builder does it.
#include "builder_fakes.h"
#include "package_reader.h"
#include "pocketpc_fixture.h"

#include "stand_in_program.h"
#include "string_helpers.h"
#include "test_dirs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::string LongPath(const std::string& Path)
{
    char Long[MAX_PATH];
    const DWORD N = GetLongPathNameA(Path.c_str(), Long, sizeof Long);
    return N > 0 && N < sizeof Long ? std::string(Long, N) : Path;
}

std::string ShortPath(const std::string& Path)
{
    char Short[MAX_PATH];
    const DWORD N = GetShortPathNameA(Path.c_str(), Short, sizeof Short);
    return N > 0 && N < sizeof Short ? std::string(Short, N) : Path;
}

std::string CurrentDir()
{
    char Dir[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof Dir, Dir);
    return Dir;
}

std::string BesideThisProgram(const std::string& Name)
{
    char Self[MAX_PATH];
    const DWORD N = GetModuleFileNameA(nullptr, Self, sizeof Self);
    const std::string Path(Self, N);
    return Path.substr(0, Path.find_last_of('\\') + 1) + Name;
}

std::vector<std::string> Lines(const std::string& Text)
{
    std::vector<std::string> V;
    std::size_t From = 0;
    for (std::size_t At; (At = Text.find('\n', From)) != std::string::npos; From = At + 1)
        V.push_back(Text.substr(From, At - From));
    return V;
}

class PocketPCBuildWin32 : public ::testing::Test {
protected:
    THash Remembered{true};
    TFakeBuilderUI UI;
    std::string Dir, Program, Tools, Record, Saved;
    std::unique_ptr<CCastamer> B;
    std::vector<std::string> ShellOpens;

    void SetUp() override
    {
        Saved = CurrentDir();
        Dir = ScratchDir();
        // Blanks everywhere, so that only short or quoted paths reach the wizard whole.
        Program = Dir + "\\Brindlo Program";
        Tools = Dir + "\\CE Tools";
        Record = Dir + "\\wizard record.txt";
        TFileSystem& Disk = LocalFileSystem();
        ASSERT_TRUE(Disk.ForceDirectories(Program));
        ASSERT_TRUE(Disk.ForceDirectories(Tools));
        WriteWholeFile(Program + "\\Install.exe", "installer stand-in");
        ASSERT_TRUE(CopyFileA(BesideThisProgram("cab_wizard_stand_in.exe").c_str(), (Tools + "\\Cabwiz.exe").c_str(),
                              FALSE));
        WriteWholeFile(Tools + "\\cabwiz.ddf", "ddf");
        WriteWholeFile(Tools + "\\Makecab.exe", "makecab");
        SetEnvironmentVariableA("BRINDLO_CABWIZ_RECORD", Record.c_str());
        SetEnvironmentVariableA("BRINDLO_CABWIZ_MODE", nullptr);

        TBuilderServices S = SystemBuilderServices();
        S.ProgramFileName = Program + "\\Castbuild.exe";
        S.Registry = nullptr;
        // Notepad would stay open on the test display.
        S.ShellOpen = [this](const std::string& File, const std::string& Params) {
            ShellOpens.push_back(File + "|" + Params);
            return true;
        };
        B = std::make_unique<CCastamer>(S, Remembered);
        B->AttachUI(&UI);
        B->SetCabwizPath(Tools + "\\Cabwiz.exe");
        B->SetCabwizDdfPath(Tools + "\\cabwiz.ddf");
        B->SetMakecabPath(Tools + "\\Makecab.exe");
        MakePocketPCGame(*B, Disk, Dir + "\\game src", Dir + "\\dev");
    }

    void TearDown() override
    {
        B.reset();
        SetCurrentDirectoryA(Saved.c_str());
        SetEnvironmentVariableA("BRINDLO_CABWIZ_RECORD", nullptr);
        SetEnvironmentVariableA("BRINDLO_CABWIZ_MODE", nullptr);
    }
};

} // namespace

TEST_F(PocketPCBuildWin32, TheWizardMakesTheCabsAndTheBuildArchivesThem)
{
    const std::string Out = Dir + "\\out";
    UI.DirAnswer = Out;
    ASSERT_TRUE(B->Build(TBuildMode::Build));

    // Its own quoted path first, then the setup description, the error file and the processors.
    const std::vector<std::string> R = Lines(ReadWholeFile(Record));
    ASSERT_EQ(R.size(), 10u);
    EXPECT_EQ(R[0].rfind("\"" + Tools + "\\Cabwiz.exe\" ", 0), 0u) << R[0];
    EXPECT_TRUE(SameText(R[1], Tools)) << R[1];
    // The files are gone by now; their directory is not.
    const std::string Temp = ShortPath(Program + "\\temp");
    EXPECT_EQ(Temp.find(' '), std::string::npos) << Temp;
    EXPECT_TRUE(SameText(R[3], Temp + "\\MyGameD.inf")) << R[3];
    EXPECT_EQ(R[4], "/err");
    EXPECT_TRUE(SameText(R[5], Temp + "\\MyGameD.txt")) << R[5];
    EXPECT_EQ(std::vector<std::string>(R.begin() + 6, R.end()), (std::vector<std::string>{"/cpu", "ARM", "MIPS", "SH3"}));
    EXPECT_EQ(ReadWholeFile(Record + ".inf"), ExpectedGameInf(Dir + "\\game src", Dir + "\\dev"));
    // The builder stays in the wizard's directory.
    EXPECT_TRUE(SameText(CurrentDir(), Tools)) << CurrentDir();

    EXPECT_EQ(ShellOpens, (std::vector<std::string>{"notepad.exe|\"" + Program + "\\MyGameD.txt\""}));
    EXPECT_EQ(ReadWholeFile(Program + "\\MyGameD.txt"), "Warnings: none\r\n");

    TFileSystem& Disk = LocalFileSystem();
    ASSERT_TRUE(CArchive_BZip(nullptr, Disk).Unpack(Out + "\\Data\\ppc.ime", Dir + "\\check"));
    EXPECT_EQ(TreeBelow(Disk, Dir + "\\check"),
              (std::vector<std::string>{"\\MyGameD.ARM.CAB=CAB for ARM", "\\MyGameD.MIPS.CAB=CAB for MIPS",
                                        "\\MyGameD.SH3.CAB=CAB for SH3"}));
    CDataBag Bag;
    LoadPackage(Bag, Out + "\\view.inst", Disk);
    TPackageRecord Rec;
    ReadAppRecord(Bag, 100000, Rec);
    EXPECT_EQ(Rec.PocketPC.Lookup("PPC_ICabFARM"), "MyGameD.ARM.CAB");
    EXPECT_EQ(Rec.PocketPC.Lookup("PPC_ICabFMIPS"), "MyGameD.MIPS.CAB");
    EXPECT_EQ(Rec.PocketPC.Lookup("PPC_ICabFSH"), "MyGameD.SH3.CAB");
    EXPECT_TRUE(Disk.ListDirectory(Program + "\\temp").empty());
}

TEST_F(PocketPCBuildWin32, AWizardThatExitsWithoutWritingFailsTheBuild)
{
    SetEnvironmentVariableA("BRINDLO_CABWIZ_MODE", "silent");
    const std::string Out = Dir + "\\out";
    UI.DirAnswer = Out;
    EXPECT_FALSE(B->Build(TBuildMode::Build));
    ASSERT_GE(UI.Calls.size(), 2u);
    EXPECT_EQ(UI.Calls[UI.Calls.size() - 2], "message Installation Package not built.");
    EXPECT_EQ(GetFileAttributesA((Out + "\\view.inst").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((Out + "\\Data\\ppc.ime").c_str()), INVALID_FILE_ATTRIBUTES);
    // The report of what went wrong is still there to read.
    EXPECT_EQ(ShellOpens.size(), 1u);
    EXPECT_EQ(ReadWholeFile(Program + "\\MyGameD.txt"), "Error: the stand-in was told to write nothing\r\n");
    EXPECT_TRUE(LocalFileSystem().ListDirectory(Program + "\\temp").empty());
}

TEST_F(PocketPCBuildWin32, AWizardThatCannotStartFailsTheBuild)
{
    B->SetCabwizPath(Tools + "\\cabwiz.ddf"); // there, but no program
    UI.DirAnswer = Dir + "\\out";
    EXPECT_FALSE(B->Build(TBuildMode::Build));
    EXPECT_EQ(UI.Calls[UI.Calls.size() - 2], "message Installation Package not built.");
    EXPECT_EQ(GetFileAttributesA(Record.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(ShellOpens.empty());
}

TEST(BuilderSystemServices, ShellOpenHandsTheParametersToTheProgram)
{
    const std::string Dir = ScratchDir();
    TStandIn StandIn(Dir);
    const TBuilderServices S = SystemBuilderServices();
    ASSERT_TRUE(S.ShellOpen(StandIn.ExePath(), "\"" + Dir + "\\a b.txt\""));
    const std::vector<std::string> R = StandIn.WaitForRecord();
    ASSERT_EQ(R.size(), 4u);
    EXPECT_EQ(R[3], Dir + "\\a b.txt");
    EXPECT_FALSE(S.ShellOpen(Dir + "\\missing.exe", ""));
}

TEST(BuilderSystemServices, ShortPathNamesHaveNoBlanks)
{
    const std::string Dir = ScratchDir() + "\\long directory name";
    ASSERT_TRUE(LocalFileSystem().ForceDirectories(Dir));
    const TBuilderServices S = SystemBuilderServices();
    const std::string Short = S.ShortPathName(Dir);
    ASSERT_FALSE(Short.empty());
    EXPECT_EQ(Short.find(' '), std::string::npos) << Short;
    EXPECT_TRUE(SameText(LongPath(Short), Dir));
    EXPECT_EQ(S.ShortPathName(Dir + "\\missing"), "");
}
