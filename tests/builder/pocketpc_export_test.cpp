// The Pocket PC export on an in-memory disk, with a fake CAB wizard that writes the
// CAB files its command line asks for.
#include "builder_fakes.h"
#include "package_reader.h"
#include "pocketpc_fixture.h"

#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

const std::string Wizard = "C:\\CE Tools\\Cabwiz.exe";

std::string ReplaceAll(std::string S, const std::string& From, const std::string& To)
{
    for (std::size_t At = S.find(From); At != std::string::npos; At = S.find(From, At + To.size()))
        S.replace(At, From.size(), To);
    return S;
}

std::string Unquoted(const std::string& S)
{
    return S.size() >= 2 && S.front() == '"' && S.back() == '"' ? S.substr(1, S.size() - 2) : S;
}

class PocketPCExport : public TBuilderTest {
protected:
    std::unique_ptr<CCastamer> B;
    // What reached the outside world, in order.
    std::vector<std::string> WizardRuns, CurrentDirs, ShellOpens;
    std::vector<int> Pauses;
    // The setup description as the wizard found it.
    std::string InfSeen;
    bool WizardStarts = true;
    // Processors whose CAB file the wizard leaves out.
    std::vector<std::string> WizardSkips;
    bool WizardWritesNothing = false;
    std::string ProgramFile = TestProgramFile;
    bool ShortNames = true;

    void SetUp() override
    {
        TBuilderTest::SetUp();
        FS.AddFile("C:\\Brindlo\\Install.exe", "installer");
        for (const char* Tool : {"C:\\CE Tools\\Cabwiz.exe", "C:\\CE Tools\\cabwiz.ddf", "C:\\CE Tools\\Makecab.exe"})
            FS.AddFile(Tool, "tool");
        Make();
    }

    void Make()
    {
        TBuilderServices S = Services();
        S.ProgramFileName = ProgramFile;
        S.RunProgram = [this](const std::string& Exe, const std::string& Cmd, bool Wait) {
            Started.push_back(Exe + "|" + Cmd + (Wait ? "|wait" : ""));
            return Exe == Wizard ? RunWizard(Cmd) : true;
        };
        S.SetCurrentDir = [this](const std::string& Dir) {
            CurrentDirs.push_back(Dir);
            return true;
        };
        // The program directory has a short form of its own.
        S.ShortPathName = [this](const std::string& Path) {
            return ShortNames ? ReplaceAll(Path, "C:\\Brindlo", "C:\\BRIND~1") : std::string();
        };
        S.ShellOpen = [this](const std::string& File, const std::string& Params) {
            ShellOpens.push_back(File + "|" + Params);
            return true;
        };
        S.Pause = [this](int Ms) { Pauses.push_back(Ms); };
        B = std::make_unique<CCastamer>(S, Remembered);
        B->AttachUI(&UI);
        B->SetCabwizPath(Wizard);
        B->SetCabwizDdfPath("C:\\CE Tools\\cabwiz.ddf");
        B->SetMakecabPath("C:\\CE Tools\\Makecab.exe");
    }

    // "<inf> /err <error file> /cpu <processors>", the paths perhaps short or quoted.
    bool RunWizard(const std::string& Cmd)
    {
        WizardRuns.push_back(Cmd);
        if (!WizardStarts)
            return false;
        const std::size_t Err = Cmd.find(" /err ");
        const std::size_t Cpu = Cmd.find(" /cpu ");
        EXPECT_NE(Err, std::string::npos);
        EXPECT_NE(Cpu, std::string::npos);
        const auto Long = [](const std::string& P) { return ReplaceAll(Unquoted(P), "C:\\BRIND~1", "C:\\Brindlo"); };
        const std::string Inf = Long(Cmd.substr(0, Err));
        const std::string ErrFile = Long(Cmd.substr(Err + 6, Cpu - Err - 6));
        InfSeen = FS.FileExists(Inf) ? FS.FileBytes(Inf) : "(no setup description)";
        EXPECT_TRUE(FS.FileExists(ErrFile)) << ErrFile;
        FS.AddFile(ErrFile, WizardWritesNothing ? "Error: nothing built" : "Warnings: none");
        if (WizardWritesNothing)
            return true;
        const std::string Base = Inf.substr(0, Inf.size() - 4);
        TArrayOfString Cpus;
        std::string List = Cmd.substr(Cpu + 6);
        for (std::string Word; !List.empty();) {
            CutToken(List, " ", true, Word);
            if (!Word.empty() && std::find(WizardSkips.begin(), WizardSkips.end(), Word) == WizardSkips.end())
                FS.AddFile(Base + "." + Word + ".CAB", "CAB for " + Word);
        }
        FS.AddFile(Base + ".ARM.DAT", "by-product");
        return true;
    }

    CCst_App* AddPocketPC(const std::string& Name, const std::string& Source)
    {
        CCst_App* A = B->AddApp();
        A->Props.Add("App name", Name);
        A->Props.Add("DID", "1");
        A->Props.Add("InDir", Source);
        A->Props.Add("OutFN", "ppc.ime");
        A->SetIsCC("true");
        return A;
    }

    void Export(CCst_App& App, TPackageRecord& R)
    {
        B->SetOutDir("D:\\Package");
        B->BuildMode = TBuildMode::Build;
        TMemoryStream S;
        App.BuildToStream(S, TBuildMode::Build);
        S.SetPosition(0);
        CDataBag Bag;
        ASSERT_EQ(Bag.PutStream(S, 100000), brDone);
        ReadAppRecord(Bag, 100000, R);
    }

    // The build ended with its failure message and left nothing staged.
    void ExpectNotBuilt(const std::string& What)
    {
        UI.Calls.clear();
        UI.DirAnswer = "D:\\Package";
        EXPECT_FALSE(B->Build(TBuildMode::Build)) << What;
        ASSERT_GE(UI.Calls.size(), 2u) << What;
        EXPECT_EQ(UI.Calls[UI.Calls.size() - 2], "message Installation Package not built.") << What;
        EXPECT_FALSE(FS.FileExists("D:\\Package\\view.inst")) << What;
        EXPECT_TRUE(FS.ListDirectory("C:\\Brindlo\\temp").empty()) << What;
    }
};

} // namespace

TEST_F(PocketPCExport, WizardBuildWritesTheSetupDescriptionAndArchivesTheCabs)
{
    MakePocketPCGame(*B, FS, "C:\\Src", "C:\\Dev");
    UI.DirAnswer = "D:\\Package";
    ASSERT_TRUE(B->Build(TBuildMode::Build));

    ASSERT_EQ(WizardRuns.size(), 1u);
    EXPECT_EQ(Started[0], Wizard + "|C:\\BRIND~1\\temp\\MyGameD.inf /err C:\\BRIND~1\\temp\\MyGameD.txt "
                                   "/cpu ARM MIPS SH3|wait");
    EXPECT_EQ(CurrentDirs, (std::vector<std::string>{"C:\\CE Tools\\"}));
    EXPECT_EQ(InfSeen, ExpectedGameInf("C:\\Src", "C:\\Dev"));

    // The wizard's report, out of the temporary directory, in Notepad.
    EXPECT_EQ(ShellOpens, (std::vector<std::string>{"notepad.exe|\"C:\\Brindlo\\MyGameD.txt\""}));
    EXPECT_EQ(FS.FileBytes("C:\\Brindlo\\MyGameD.txt"), "Warnings: none");
    EXPECT_EQ(Pauses, (std::vector<int>{200}));

    EXPECT_EQ(ArchiveFiles("D:\\Package\\Data\\ppc.ime", FS),
              (std::vector<std::string>{"MyGameD.ARM.CAB", "MyGameD.MIPS.CAB", "MyGameD.SH3.CAB"}));
    CDataBag Bag;
    LoadPackage(Bag, "D:\\Package\\view.inst", FS);
    TPackageRecord R;
    ReadAppRecord(Bag, 100000, R);
    EXPECT_EQ(Entries(R.PocketPC),
              (std::vector<std::string>{"PPC_IsCC=true", "O_PPCBARM=true", "O_PPCBMIPS=true", "O_PPCBSH=true",
                                        "PPC_ASDesc=A game", "PPC_ICabFARM=MyGameD.ARM.CAB",
                                        "PPC_ICabFMIPS=MyGameD.MIPS.CAB", "PPC_ICabFSH=MyGameD.SH3.CAB"}));
    EXPECT_EQ(R.Props.Lookup("OutFN"), "ppc.ime");
    EXPECT_TRUE(FS.ListDirectory("C:\\Brindlo\\temp").empty());
    // The builder stays in the wizard's directory: nothing sets it back.
    EXPECT_EQ(CurrentDirs.size(), 1u);
}

TEST_F(PocketPCExport, ShortNameAndDeviceDirectory)
{
    struct TCase {
        std::string Name, Company, DefInstDir, Short, Device;
    };
    const TCase Cases[] = {
        {"My Game Deluxe!", "", "$(Program Files)/$(Company)/$(Name)", "MyGameD", "%CE1%\\My Game Deluxe!"},
        {"Chess", "Big: \"Co\"", "$(Program Files)/$(Company)/$(Name)", "Chess", "%CE1%\\Big Co\\Chess"},
        {"Chess", "???", "$(Program Files)/$(Company)/$(Name)", "Chess", "%CE1%\\Chess"},
        {"A:b\\c\"d'e-f=g", "X", "$(Program Files)", "Abcd'e-", "$(Program Files)"},
        {"#1 (best) [of] {all} ~", "", "\\Games", "1bestof", "\\Games"},
        {"Tab\there", "", "", "Tabhere", ""},
        // The installer's rule: a part of dots alone would climb out of Program Files.
        {"..", "", "$(Program Files)/$(Company)/$(Name)", "App", "%CE1%"},
        {"..", "Co", "$(Program Files)/$(Company)/$(Name)", "App", "%CE1%\\Co"},
        {"Game", ". .", "$(Program Files)/$(Company)/$(Name)", "Game", "%CE1%\\Game"},
        {"Bell\a\r\n", "", "$(Program Files)/$(Company)/$(Name)", "Bell", "%CE1%\\Bell"},
        // No short name a file can carry: the fixed one.
        {"!?*", "", "$(Program Files)/$(Company)/$(Name)", "App", "%CE1%\\!"},
        {"Con", "", "\\Games", "App", "\\Games"},
        {"100% Fun", "", "$(Program Files)/$(Company)/$(Name)", "100Fun", "%CE1%\\100% Fun"},
    };
    for (const TCase& C : Cases) {
        CCst_App* A = B->AddApp();
        A->Props.Add("App name", C.Name);
        A->SetCompName(C.Company);
        A->Props.Add("DefInstDir", C.DefInstDir);
        EXPECT_EQ(A->CEShortName(), C.Short) << C.Name;
        EXPECT_EQ(A->CEInstallDir(), C.Device) << C.Name;
    }
}

TEST_F(PocketPCExport, ANameThatGivesNoShortNameBuildsWithTheFixedOneAndSaysSo)
{
    FS.AddFile("C:\\Src\\tool.exe", "t");
    AddPocketPC("..", "C:\\Src");
    UI.DirAnswer = "D:\\Package";
    ASSERT_TRUE(B->Build(TBuildMode::Build));
    EXPECT_EQ(Started[0], Wizard + "|C:\\BRIND~1\\temp\\App.inf /err C:\\BRIND~1\\temp\\App.txt /cpu ARM MIPS SH3|wait");
    EXPECT_NE(InfSeen.find("InstallDir=\"%CE1%\"\r\n"), std::string::npos) << InfSeen;
    const auto Warning = std::find(UI.Calls.begin(), UI.Calls.end(),
                                   "message Installation Name=.. gives no name for its Cab files\n\rApp is used instead");
    ASSERT_NE(Warning, UI.Calls.end());
    EXPECT_EQ(UI.MessageTypes.front(), IBuilderUI::mtWarning);
    EXPECT_EQ(ShellOpens, (std::vector<std::string>{"notepad.exe|\"C:\\Brindlo\\App.txt\""}));
    EXPECT_EQ(ArchiveFiles("D:\\Package\\Data\\ppc.ime", FS),
              (std::vector<std::string>{"App.ARM.CAB", "App.MIPS.CAB", "App.SH3.CAB"}));

    // A name of its own: no word about it.
    UI.Calls.clear();
    B->Apps().back()->Props.Add("App name", "Tool");
    ASSERT_TRUE(B->Build(TBuildMode::Build));
    EXPECT_EQ(std::count_if(UI.Calls.begin(), UI.Calls.end(),
                            [](const std::string& C) { return C.rfind("message ", 0) == 0; }),
              1); // "Installation Package built in"
}

TEST_F(PocketPCExport, ReadyMadeCabNamesTheManagersListCannotCarryFailTheBuild)
{
    FS.AddFile("C:\\Src\\a,b.cab", "ARM cab");
    FS.AddFile("C:\\Src\\sh3.cab", "SH3 cab");
    CCst_App* A = AddPocketPC("Tool", "C:\\Src");
    A->SetIsCC("false");
    A->PocketPC.Add("PPC_ICabFARM", "a,b.cab");
    A->PocketPC.Add("PPC_ICabFMIPS", "m.cab\r\nCabFiles = x.cab");
    A->PocketPC.Add("PPC_ICabFSH", "sh3.cab");
    UI.MessageTypes.clear();
    ExpectNotBuilt("a comma and a line break");
    ASSERT_GE(UI.Calls.size(), 3u);
    EXPECT_EQ(UI.Calls[UI.Calls.size() - 3],
              "message Installation Name=Tool Cab File[ARM] must not contain a comma or a line break\n\r"
              "Installation Name=Tool Cab File[MIPS] must not contain a comma or a line break");
    EXPECT_EQ(UI.MessageTypes, (std::vector<IBuilderUI::TMessageType>{IBuilderUI::mtError, IBuilderUI::mtError}));

    for (const char* Bad : {"x\r.cab", "x\n.cab"}) {
        A->PocketPC.Add("PPC_ICabFARM", "sh3.cab");
        A->PocketPC.Add("PPC_ICabFMIPS", Bad);
        ExpectNotBuilt(Bad);
    }

    // Made by the wizard, the CAB files get names of their own: old ones do not count.
    A->SetIsCC("true");
    UI.DirAnswer = "D:\\Package";
    EXPECT_TRUE(B->Build(TBuildMode::Build));
    EXPECT_EQ(ArchiveFiles("D:\\Package\\Data\\ppc.ime", FS),
              (std::vector<std::string>{"Tool.ARM.CAB", "Tool.MIPS.CAB", "Tool.SH3.CAB"}));
}

TEST_F(PocketPCExport, ProcessorListAndCabNamesFollowTheSwitches)
{
    struct TCase {
        bool Arm, Mips, Sh3;
        std::string List;
        std::vector<std::string> Cabs;
    };
    const TCase Cases[] = {
        {false, true, false, "MIPS ", {"PPC_ICabFMIPS=Tool.MIPS.CAB"}},
        {true, true, false, "ARM MIPS ", {"PPC_ICabFARM=Tool.ARM.CAB", "PPC_ICabFMIPS=Tool.MIPS.CAB"}},
        {true, false, true, "ARM SH3", {"PPC_ICabFARM=Tool.ARM.CAB", "PPC_ICabFSH=Tool.SH3.CAB"}},
        {false, false, true, "SH3", {"PPC_ICabFSH=Tool.SH3.CAB"}},
    };
    FS.AddFile("C:\\Src\\tool.exe", "t");
    for (const TCase& C : Cases) {
        CCst_App* A = AddPocketPC("Tool", "C:\\Src");
        A->SetBuildARM(C.Arm ? "true" : "false");
        A->SetBuildMIPS(C.Mips ? "true" : "false");
        A->SetBuildSH(C.Sh3 ? "true" : "false");
        // Names from a ready-made set-up that this build replaces or drops.
        A->PocketPC.Add("PPC_ICabFARM", "old.cab");
        A->PocketPC.Add("PPC_ICabFSH", "old.cab");
        Started.clear();
        TPackageRecord R;
        Export(*A, R);
        ASSERT_EQ(Started.size(), 1u);
        EXPECT_EQ(Started[0].substr(Started[0].find("/cpu ")), "/cpu " + C.List + "|wait");
        std::vector<std::string> Cabs;
        for (const std::string& E : Entries(R.PocketPC))
            if (E.rfind("PPC_ICabF", 0) == 0)
                Cabs.push_back(E);
        EXPECT_EQ(Sorted(Cabs), C.Cabs) << C.List;
        B->DeleteApp(A);
    }
}

TEST_F(PocketPCExport, WithoutTheErrorViewTheReportIsDeletedAtOnce)
{
    B->SetViewErrorLog(false);
    FS.AddFile("C:\\Src\\tool.exe", "t");
    CCst_App* A = AddPocketPC("Tool", "C:\\Src");
    UI.Calls.clear();
    TPackageRecord R;
    Export(*A, R);
    EXPECT_TRUE(ShellOpens.empty());
    EXPECT_TRUE(Pauses.empty());
    EXPECT_EQ(std::count(UI.Calls.begin(), UI.Calls.end(), "repaint"), 1);
    EXPECT_FALSE(FS.FileExists("C:\\Brindlo\\Tool.txt"));
    EXPECT_EQ(ArchiveFiles("D:\\Package\\Data\\ppc.ime", FS),
              (std::vector<std::string>{"Tool.ARM.CAB", "Tool.MIPS.CAB", "Tool.SH3.CAB"}));
}

TEST_F(PocketPCExport, PathsWithoutAShortFormAreQuoted)
{
    ShortNames = false;
    ProgramFile = "C:\\Program Files\\Brindlo\\Castbuild.exe";
    Make();
    FS.AddFile("C:\\Src\\tool.exe", "t");
    CCst_App* A = AddPocketPC("Tool", "C:\\Src");
    TPackageRecord R;
    Export(*A, R);
    ASSERT_EQ(Started.size(), 1u);
    EXPECT_EQ(Started[0], Wizard + "|\"C:\\Program Files\\Brindlo\\temp\\Tool.inf\" /err "
                                   "\"C:\\Program Files\\Brindlo\\temp\\Tool.txt\" /cpu ARM MIPS SH3|wait");
    EXPECT_EQ(ShellOpens, (std::vector<std::string>{"notepad.exe|\"C:\\Program Files\\Brindlo\\Tool.txt\""}));
}

TEST_F(PocketPCExport, MissingToolsOpenTheOptionsOnTheirPage)
{
    FS.AddFile("C:\\Src\\tool.exe", "t");
    AddPocketPC("Tool", "C:\\Src");
    B->SetMakecabPath("C:\\CE Tools\\gone.exe");
    // The user points at the right file in the options window.
    UI.OnOptions = [](CCastamer& P) { P.SetMakecabPath("C:\\CE Tools\\Makecab.exe"); };
    UI.DirAnswer = "D:\\Package";
    ASSERT_TRUE(B->Build(TBuildMode::Build));
    EXPECT_NE(std::find(UI.Calls.begin(), UI.Calls.end(), "options 2External cab meke files must be selected"),
              UI.Calls.end());
    EXPECT_EQ(WizardRuns.size(), 1u);

    // Set: no window.
    UI.Calls.clear();
    EXPECT_TRUE(B->CheckCabTools());
    EXPECT_TRUE(UI.Calls.empty());
}

TEST_F(PocketPCExport, FailuresEndTheBuildWithoutAPackage)
{
    FS.AddFile("C:\\Src\\tool.exe", "t");
    struct TCase {
        const char* What;
        std::function<void(CCst_App&)> Make;
    };
    const TCase Cases[] = {
        {"tools still missing after the options",
         [this](CCst_App&) {
             B->SetCabwizPath("");
             UI.OnOptions = nullptr;
         }},
        {"no processor selected",
         [](CCst_App& A) {
             A.SetBuildARM("false");
             A.SetBuildMIPS("false");
             A.SetBuildSH("no");
         }},
        {"a wizard that cannot be started", [this](CCst_App&) { WizardStarts = false; }},
        {"a wizard that exits without writing", [this](CCst_App&) { WizardWritesNothing = true; }},
        {"a wizard that leaves one CAB file out", [this](CCst_App&) { WizardSkips = {"MIPS"}; }},
        {"ready-made CAB files without a source directory",
         [](CCst_App& A) {
             A.SetIsCC("false");
             A.Props.Add("InDir", "C:\\Gone");
         }},
    };
    for (const TCase& C : Cases) {
        Make();
        WizardStarts = true;
        WizardWritesNothing = false;
        WizardSkips.clear();
        CCst_App* A = AddPocketPC("Tool", "C:\\Src");
        C.Make(*A);
        ExpectNotBuilt(C.What);
    }
}

TEST_F(PocketPCExport, AWizardThatWroteNothingStillShowsItsReport)
{
    FS.AddFile("C:\\Src\\tool.exe", "t");
    AddPocketPC("Tool", "C:\\Src");
    WizardWritesNothing = true;
    ExpectNotBuilt("no CAB files");
    EXPECT_EQ(ShellOpens, (std::vector<std::string>{"notepad.exe|\"C:\\Brindlo\\Tool.txt\""}));
    EXPECT_EQ(FS.FileBytes("C:\\Brindlo\\Tool.txt"), "Error: nothing built");
}

TEST_F(PocketPCExport, ReadyMadeCabsComeFromTheSourceDirectory)
{
    FS.AddFile("C:\\Src\\arm.cab", "ARM cab");
    FS.AddFile("C:\\Src\\readme.txt", "not a cab");
    FS.AddFile("C:\\outside.cab", "outside");
    CCst_App* A = AddPocketPC("Tool", "C:\\Src");
    A->SetIsCC("false");
    A->PocketPC.Add("PPC_ICabFARM", "arm.cab");
    A->PocketPC.Add("PPC_ICabFMIPS", "..\\outside.cab");
    A->PocketPC.Add("PPC_ICabFSH", "sh3.cab");
    B->SetCabwizPath(""); // not needed for ready-made files
    TPackageRecord R;
    Export(*A, R);
    EXPECT_TRUE(Started.empty());
    EXPECT_EQ(std::count(UI.Calls.begin(), UI.Calls.end(), "options 2External cab meke files must be selected"), 0);
    EXPECT_EQ(Entries(R.PocketPC), (std::vector<std::string>{"PPC_IsCC=false", "O_PPCBARM=true", "O_PPCBMIPS=true",
                                                              "O_PPCBSH=true", "PPC_ICabFARM=arm.cab"}));
    EXPECT_EQ(ArchiveFiles("D:\\Package\\Data\\ppc.ime", FS), (std::vector<std::string>{"arm.cab"}));
    EXPECT_EQ(A->GetCabFileSH(), "sh3.cab"); // the project keeps its choice
    EXPECT_TRUE(FS.ListDirectory("C:\\Brindlo\\temp").empty());
}

TEST_F(PocketPCExport, ATemporaryDirectoryThatCannotBeEmptiedFailsTheExport)
{
    FS.AddFile("C:\\Src\\arm.cab", "ARM cab");
    CCst_App* A = AddPocketPC("Tool", "C:\\Src");
    A->SetIsCC("false");
    A->PocketPC.Add("PPC_ICabFARM", "arm.cab");
    FS.AddFile("C:\\Brindlo\\temp\\stuck\\old.cab", "left from before");
    FS.SetUnreadable("C:\\Brindlo\\temp\\stuck");
    UI.DirAnswer = "D:\\Package";
    EXPECT_FALSE(B->Build(TBuildMode::Build));
    EXPECT_EQ(UI.Calls[UI.Calls.size() - 2], "message Installation Package not built.");
    EXPECT_FALSE(FS.FileExists("D:\\Package\\Data\\ppc.ime"));
}

TEST_F(PocketPCExport, PreviewBuildsNothing)
{
    MakePocketPCGame(*B, FS, "C:\\Src", "C:\\Dev");
    B->SetCabwizPath("");
    B->BuildMode = TBuildMode::Preview;
    TMemoryStream S;
    CCst_App* A = B->Apps().back().get();
    A->BuildToStream(S, TBuildMode::Preview);
    S.SetPosition(0);
    CDataBag Bag;
    ASSERT_EQ(Bag.PutStream(S, 100000), brDone);
    TPackageRecord R;
    ReadAppRecord(Bag, 100000, R);
    EXPECT_EQ(R.Props.IndexOfKey("OutFN"), -1);
    EXPECT_TRUE(Started.empty());
    EXPECT_TRUE(UI.Calls.empty());
    EXPECT_EQ(R.PocketPC.IndexOfKey("PPC_ICabFARM"), -1);
}
