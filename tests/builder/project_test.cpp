#include "builder_fakes.h"

#include "archive.h"
#include "exceptions.h"
#include "file_system.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

namespace {

// The test helpers take the host's own path form.
std::string Host(const std::string& Path) { return HostPath(Path); }

} // namespace

using Castamer = TBuilderTest;

TEST_F(Castamer, NewProjectHasTheDefaultSettingsInFileOrder)
{
    auto B = MakeBuilder();
    ASSERT_TRUE(B->Ready);
    EXPECT_EQ(B->ProgramDir, "C:\\Brindlo\\");
    EXPECT_EQ(B->HelpDir, "C:\\Brindlo\\help");
    EXPECT_EQ(Entries(B->Settings),
              (std::vector<std::string>{
                  "Create Date=01.02.2024", "Create time=12:00:00", "Wnd_Caption=Installer",
                  "Wnd_Style_Caption=Caption", "Wnd_sRect=-1,-1,490,330", "Wnd_Width_Min=", "Wnd_Width_Max=",
                  "Wnd_Height_Min=", "Wnd_Height_Max=", "Wnd_ColorGB=8404992", "Wnd_Image_Bg=", "Wnd_ImgBg_Left=",
                  "Wnd_ImgBg_Top=", "Wnd_Type=Resizable", "Wnd_Color_Fnt=16777215", "eList_ColorCor=1.8",
                  "eList_ColorCorGrp=1.3", "eList_ColorCorAct=1.3", "eList_GGroup=Installations",
                  "eList_GHeight=35", "eList_AHeight=25", "eList_Icon_GWidth=30", "eList_Icon_GHeight=20",
                  "eList_Width=200", "eList_CloseA=true", "eList_SBOn=false", "eList_HomeA=true", "APPs=0"}));
    EXPECT_EQ(B->Groups.Count(), 0);
    EXPECT_TRUE(B->Apps().empty());
    EXPECT_EQ(Entries(B->ProjectOptions), (std::vector<std::string>{"O_OutDir="}));
    EXPECT_EQ(Entries(B->EnvOptions), (std::vector<std::string>{"O_NADID=-1", "O_PAB=1", "O_VEL=1"}));
    EXPECT_EQ(B->ProjectFileName, "");
    EXPECT_FALSE(B->Modified);
    EXPECT_EQ(B->GetGroupIconWidth(), 30);
    EXPECT_EQ(B->GetGroupIconHeight(), 20);
}

TEST_F(Castamer, EveryChangeOfSettingsOrGroupsMarksTheProjectModified)
{
    auto B = MakeBuilder();
    const std::function<void(CCastamer&)> Changes[] = {
        [](CCastamer& P) { P.Settings.Add("Wnd_Caption", "Setup"); },
        [](CCastamer& P) { P.Settings.Add("RootGID", "Root|"); },
        [](CCastamer& P) { P.Settings.Remove("APPs"); },
        [](CCastamer& P) { P.Settings.Clear(); },
        [](CCastamer& P) { P.Groups.Add("g1", "Tools||true"); },
        [](CCastamer& P) { P.Groups.Clear(); },
    };
    for (std::size_t I = 0; I < std::size(Changes); ++I) {
        B->NewProject();
        ASSERT_FALSE(B->Modified);
        Changes[I](*B);
        EXPECT_TRUE(B->Modified) << "change " << I;
    }
    // A new project forgets installations and options of the one before.
    B->AddApp();
    B->ProjectOptions.Add("Foreign", "x");
    B->NewProject();
    EXPECT_TRUE(B->Apps().empty());
    EXPECT_EQ(Entries(B->ProjectOptions), (std::vector<std::string>{"O_OutDir="}));
}

TEST_F(Castamer, GroupIconSizeGettersDifferOnAbsentKeys)
{
    auto B = MakeBuilder();
    B->Settings.Remove("eList_Icon_GWidth");
    B->Settings.Remove("eList_Icon_GHeight");
    EXPECT_THROW(B->GetGroupIconWidth(), EConvertError);
    EXPECT_EQ(B->GetGroupIconHeight(), -1);
    B->Settings.Add("eList_Icon_GHeight", "big");
    EXPECT_THROW(B->GetGroupIconHeight(), EConvertError);
}

TEST_F(Castamer, OutputDirectoryFollowsTheBuildMode)
{
    auto B = MakeBuilder();
    B->SetOutDir("");
    EXPECT_FALSE(B->Modified);
    B->SetOutDir("D:\\Out");
    EXPECT_TRUE(B->Modified);
    B->Modified = false;
    B->SetOutDir("D:\\Out");
    EXPECT_FALSE(B->Modified);
    EXPECT_EQ(B->GetOutDir(), "D:\\Out");
    EXPECT_EQ(B->GetDataDir(), "D:\\Out\\Data");
    EXPECT_EQ(B->GetViewFileName(), "D:\\Out\\view.inst");

    EXPECT_FALSE(FS.DirectoryExists("C:\\Brindlo\\temp"));
    B->BuildMode = TBuildMode::Preview;
    EXPECT_EQ(B->GetOutDir(), "C:\\Brindlo\\temp");
    EXPECT_TRUE(FS.DirectoryExists("C:\\Brindlo\\temp"));
    // The stored directory, not the preview's, decides whether anything changed.
    B->SetOutDir("D:\\Out");
    EXPECT_FALSE(B->Modified);

    EXPECT_EQ(B->GetProjectDir(), "");
    B->ProjectFileName = "C:\\Projects\\demo.bxp";
    EXPECT_EQ(B->GetProjectDir(), "C:\\Projects\\");
}

TEST_F(Castamer, ClearTempDirEmptiesTheTreeAndNeverEntersALink)
{
    auto B = MakeBuilder();
    B->ClearTempDir(); // no temporary directory yet: nothing happens
    EXPECT_FALSE(FS.DirectoryExists("C:\\Brindlo\\temp"));

    FS.ForceDirectories("C:\\Brindlo\\temp\\a\\b\\c");
    FS.AddFile("C:\\Brindlo\\temp\\top.txt", "1");
    FS.AddFile("C:\\Brindlo\\temp\\a\\b\\c\\deep.txt", "2");
    FS.AddFile("C:\\Brindlo\\temp\\a\\mid.txt", "3");
    FS.ForceDirectories("C:\\Brindlo\\temp\\link");
    FS.AddFile("C:\\Brindlo\\temp\\link\\precious.txt", "keep");
    FS.SetAttributes("C:\\Brindlo\\temp\\link", faReparsePoint);
    B->ClearTempDir();
    EXPECT_TRUE(FS.DirectoryExists("C:\\Brindlo\\temp"));
    EXPECT_FALSE(FS.DirectoryExists("C:\\Brindlo\\temp\\a"));
    EXPECT_FALSE(FS.FileExists("C:\\Brindlo\\temp\\top.txt"));
    EXPECT_EQ(FS.FileBytes("C:\\Brindlo\\temp\\link\\precious.txt"), "keep");
}

TEST_F(Castamer, ClearTempDirOnTheDisk)
{
    const std::string Program = ScratchDir();
    const std::string Outside = JoinPath(Program, "outside");
    TFileSystem& Disk = LocalFileSystem();
    Disk.ForceDirectories(Outside);
    WriteWholeFile(Host(JoinPath(Outside, "precious.txt")), "keep");
    {
        TBuilderServices S = Services(&Disk);
        S.ProgramFileName = JoinPath(Program, "Castbuild.exe");
        CCastamer B(S, Remembered);
        const std::string Temp = B.GetTempDir();
        Disk.ForceDirectories(JoinPath(Temp, "a\\b\\c"));
        WriteWholeFile(Host(JoinPath(Temp, "a\\b\\c\\deep.txt")), "x");
        WriteWholeFile(Host(JoinPath(Temp, "a\\mid.txt")), "x");
        B.ClearTempDir();
        EXPECT_TRUE(Disk.DirectoryExists(Temp));
        EXPECT_TRUE(Disk.ListDirectory(Temp).empty());
    }
    EXPECT_EQ(ReadWholeFile(Host(JoinPath(Outside, "precious.txt"))), "keep");
}

TEST_F(Castamer, RunInstallerAsksTheOptionUnlessForced)
{
    auto B = MakeBuilder();
    B->RunInstaller("D:\\Out", false);
    B->SetRunAfterBuild(false);
    B->RunInstaller("D:\\Out", false);
    B->RunInstaller("C:\\Brindlo\\temp", true);
    EXPECT_EQ(Started, (std::vector<std::string>{"D:\\Out\\Install.exe|", "C:\\Brindlo\\temp\\Install.exe|"}));
}

TEST_F(Castamer, ShowOptionsAndProgressReachTheWindow)
{
    auto B = MakeBuilder();
    B->ShowOptions("", 0);
    B->ShowOptions("External cab meke files must be selected", 2);
    B->ProgressBegin("Building Project...");
    CArchive_BZip Archive([&B](TObject* Sender) { B->ArchiveProgress(Sender); }, FS);
    Archive.Progress = 42;
    Archive.DoProgress();
    B->ProgressEnd();
    EXPECT_EQ(UI.Calls, (std::vector<std::string>{"options 0", "options 2External cab meke files must be selected",
                                                 "begin Building Project...", "step 42", "end"}));
}

TEST_F(Castamer, OptionSettersWriteOnlyValuesThatDiffer)
{
    auto B = MakeBuilder();
    // "Ok" in the options window with nothing changed.
    B->SetNewAppPlatform(-1);
    B->SetRunAfterBuild(true);
    B->SetViewErrorLog(true);
    B->SetCabwizPath("");
    B->SetCabwizDdfPath("");
    B->SetMakecabPath("");
    EXPECT_EQ(Entries(B->EnvOptions), (std::vector<std::string>{"O_NADID=-1", "O_PAB=1", "O_VEL=1"}));

    B->SetNewAppPlatform(1);
    B->SetRunAfterBuild(false);
    B->SetViewErrorLog(false);
    B->SetCabwizPath("C:\\ce\\cabwiz.exe");
    B->SetCabwizDdfPath("C:\\ce\\cabwiz.ddf");
    B->SetMakecabPath("C:\\ce\\makecab.exe");
    EXPECT_EQ(Entries(B->EnvOptions),
              (std::vector<std::string>{"O_NADID=1", "O_PAB=0", "O_VEL=0", "Cabwiz.exe=C:\\ce\\cabwiz.exe",
                                        "cabwiz.ddf=C:\\ce\\cabwiz.ddf", "Makecab.exe=C:\\ce\\makecab.exe"}));
    EXPECT_EQ(B->GetNewAppPlatform(), 1);
    EXPECT_FALSE(B->GetRunAfterBuild());
    EXPECT_FALSE(B->GetViewErrorLog());
    EXPECT_EQ(B->GetCabwizPath(), "C:\\ce\\cabwiz.exe");
    EXPECT_EQ(B->GetCabwizDdfPath(), "C:\\ce\\cabwiz.ddf");
    EXPECT_EQ(B->GetMakecabPath(), "C:\\ce\\makecab.exe");
}

TEST_F(Castamer, PlatformOptionOutsideTheThreeCodesAsks)
{
    auto B = MakeBuilder();
    const std::pair<const char*, int> Cases[] = {{"0", 0}, {"1", 1},   {"2", 2},  {"-1", -1},
                                                 {"3", -1}, {"-7", -1}, {"pc", -1}, {"", -1}};
    for (const auto& C : Cases) {
        B->EnvOptions.Add("O_NADID", C.first);
        EXPECT_EQ(B->GetNewAppPlatform(), C.second) << C.first;
    }
    B->EnvOptions.Remove("O_NADID");
    EXPECT_EQ(B->GetNewAppPlatform(), -1);
}

TEST_F(Castamer, StartUpRegistersTheProjectFileType)
{
    auto B = MakeBuilder();
    EXPECT_TRUE(B->Ready);
    EXPECT_EQ(Registry.Writes, (std::vector<std::string>{
                                   ".bxp=Castbuild",
                                   "Castbuild\\shell\\open\\command=\"C:\\Brindlo\\Castbuild.exe\" %1",
                                   "Castbuild\\DefaultIcon=C:\\Brindlo\\Castbuild.exe,1"}));
}

TEST_F(Castamer, StartUpLeavesAForeignOpenCommandAndSurvivesRegistryFailures)
{
    Registry.OpenCommand = "\"C:\\Other\\editor.exe\" %1";
    EXPECT_TRUE(MakeBuilder()->Ready);
    EXPECT_TRUE(Registry.Writes.empty());

    Registry.OpenCommand.clear();
    Registry.FailWrites = true;
    EXPECT_TRUE(MakeBuilder()->Ready);
    Registry.FailWrites = false;
    Registry.Raise = true;
    EXPECT_TRUE(MakeBuilder()->Ready);
    EXPECT_TRUE(Registry.Writes.empty());
}
