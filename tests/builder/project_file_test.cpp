#include "builder_fakes.h"

#include "data_bag.h"
#include "exceptions.h"
#include "memory_stream.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

const std::string DemoFile = "C:\\Projects\\demo.bxp";

std::string BagBytes(const std::vector<std::pair<std::int32_t, std::string>>& Records)
{
    CDataBag Bag;
    for (const auto& R : Records)
        Bag.PutBuffer(R.second.data(), R.first, static_cast<std::int64_t>(R.second.size()));
    TMemoryStream S;
    Bag.SaveToStream(S, false);
    return S.Bytes();
}

std::string TableBytes(const std::vector<std::pair<std::string, std::string>>& Pairs)
{
    THash H(true);
    for (const auto& P : Pairs)
        H.Add(P.first, P.second);
    TMemoryStream S;
    H.SaveToStream(S);
    return S.Bytes();
}

std::string Header(std::int32_t Count, const std::string& Signature = "vekpr")
{
    TProjectHeader H;
    H.SignatureLength = 5;
    for (std::size_t I = 0; I < 5; ++I)
        H.Signature[I] = Signature[I];
    H.AppCount = Count;
    return H.Encode();
}

// A fresh installation's six tables, as the project file holds them.
std::string AppRecord(CCastamer& Builder)
{
    CCst_App* A = Builder.AddApp();
    TMemoryStream S;
    A->SaveToStream(S);
    Builder.DeleteApp(A);
    return S.Bytes();
}

// Refuses to put a written file in place, as a full or failing disk would.
class TNoReplaceFileSystem : public TMemoryFileSystem {
public:
    TFileResult RenameFile(const std::string&, const std::string&) override
    {
        return TFileResult::Failed("There is not enough space on the disk");
    }
};

} // namespace

class ProjectFile : public TBuilderTest {
protected:
    void SetUp() override
    {
        TBuilderTest::SetUp();
        FS.ForceDirectories("C:\\Projects");
    }

    // Installations of all three platforms in two groups, with shortcuts and device files.
    void FillProject(CCastamer& B)
    {
        B.Groups.Add("1200000_1", "Tools|C:\\src\\tools.bmp|true");
        B.Groups.Add("1200000_2", "Games||false");
        B.Settings.Add("RootGID", "Everything|C:\\src\\root.bmp");
        B.SetOutDir("D:\\Out");
        CCst_App* Pc = B.AddApp();
        Pc->SetDID(2);
        Pc->SetGroupID("1200000_1");
        Pc->SetCompName("Acme");
        Pc->Props.Add("InDir", "C:\\src\\pc");
        Pc->Shortcuts.Add("sc1", "Tool|SCut to file|C:\\src\\pc\\tool.exe|Desktop|");
        Pc->Shortcuts.Add("sc2", "Remove|SCut to uninstall||Program files|Acme");
        CCst_App* Ppc = B.AddApp();
        Ppc->SetDID(1);
        Ppc->SetGroupID("RootGID");
        Ppc->SetIsCC("true");
        Ppc->PDFiles.Add("pd1", "ARM|C:\\src\\ce\\arm.dll|App Root");
        Ppc->PDFiles.Add("pd2", "SH3|C:\\src\\ce\\sh3.dll|Win Root");
        Ppc->Shortcuts.Add("sc1", "Tool|SCut to file|C:\\src\\ce\\arm.dll|Start Menu|");
        CCst_App* Palm = B.AddApp();
        Palm->SetDID(0);
        Palm->SetGroupID("1200000_2");
        Palm->CDFiles.Add("cd1", "colors 256|C:\\src\\palm\\app256.prc");
        Palm->CDFiles.Add("cd2", "colors 2|C:\\src\\palm\\app2.prc");
    }

    // The project a rejected file must leave untouched.
    std::unique_ptr<CCastamer> CurrentProject()
    {
        auto B = MakeBuilder();
        FillProject(*B);
        B->ProjectFileName = "C:\\Projects\\current.bxp";
        return B;
    }
};

TEST_F(ProjectFile, SavesRecordsInOrderBehindTheTwelveByteHeader)
{
    auto B = MakeBuilder();
    FillProject(*B);
    ASSERT_TRUE(B->Modified);
    ASSERT_TRUE(B->SaveProject(DemoFile));
    EXPECT_FALSE(B->Modified);
    EXPECT_EQ(B->ProjectFileName, DemoFile);

    CDataBag Bag;
    ASSERT_EQ(Bag.LoadFromFile(DemoFile, FS), brDone);
    EXPECT_FALSE(Bag.Header().Compressed);
    std::vector<std::int32_t> Keys;
    for (const DataBagEntry& E : Bag.Index())
        Keys.push_back(E.Key);
    EXPECT_EQ(Keys, (std::vector<std::int32_t>{2, 5, 3, 4, 100000, 100001, 100002}));
    TMemoryStream H;
    ASSERT_EQ(Bag.GetStream(H, bag_ProjectHeader, true), brDone);
    EXPECT_EQ(H.Bytes(), std::string("\x05vekpr\x00\x00\x03\x00\x00\x00", 12));
    THash Options(true);
    ASSERT_EQ(Bag.GetHash(Options, bag_Options), brDone);
    EXPECT_EQ(Entries(Options), (std::vector<std::string>{"O_OutDir=D:\\Out"}));
}

TEST_F(ProjectFile, ProjectWithoutInstallationsHasOnlyTheFourTables)
{
    auto B = MakeBuilder();
    ASSERT_TRUE(B->SaveProject(DemoFile));
    CDataBag Bag;
    ASSERT_EQ(Bag.LoadFromFile(DemoFile, FS), brDone);
    ASSERT_EQ(Bag.Count(), 4);
    EXPECT_EQ(B->ProjectHeader.AppCount, 0);
}

TEST_F(ProjectFile, SaveLoadSaveGivesIdenticalBytes)
{
    auto B = MakeBuilder();
    FillProject(*B);
    ASSERT_TRUE(B->SaveProject(DemoFile));
    const std::string First = FS.FileBytes(DemoFile);

    TimeNow = "13:14:15"; // a later start: nothing of the clock may leak into the file
    auto Again = MakeBuilder();
    Again->Settings.Add("Wnd_Caption", "dirty");
    ASSERT_TRUE(Again->LoadProject(DemoFile));
    EXPECT_FALSE(Again->Modified);
    EXPECT_EQ(Again->ProjectFileName, DemoFile);
    EXPECT_EQ(Entries(Again->Settings), Entries(B->Settings));
    EXPECT_EQ(Entries(Again->Groups), Entries(B->Groups));
    ASSERT_EQ(Again->Apps().size(), 3u);
    for (std::size_t I = 0; I < 3; ++I) {
        EXPECT_EQ(Entries(Again->Apps()[I]->Props), Entries(B->Apps()[I]->Props));
        EXPECT_EQ(Entries(Again->Apps()[I]->Shortcuts), Entries(B->Apps()[I]->Shortcuts));
        EXPECT_EQ(Entries(Again->Apps()[I]->PDFiles), Entries(B->Apps()[I]->PDFiles));
        EXPECT_EQ(Entries(Again->Apps()[I]->CDFiles), Entries(B->Apps()[I]->CDFiles));
    }
    ASSERT_TRUE(Again->SaveProject("C:\\Projects\\again.bxp"));
    EXPECT_EQ(FS.FileBytes("C:\\Projects\\again.bxp"), First);
}

TEST_F(ProjectFile, RejectedFilesLeaveTheCurrentProjectUntouched)
{
    auto Maker = MakeBuilder();
    const std::string App = AppRecord(*Maker);
    const std::string Settings = TableBytes({{"Wnd_Caption", "Other"}});
    const std::string Sound = BagBytes({{2, Header(1)}, {5, Settings}, {100000, App}});
    const struct {
        const char* Name;
        std::string Bytes;
    } Cases[] = {
        {"empty file", ""},
        {"not a bag", "This is not a project file at all, only text."},
        {"truncated", Sound.substr(0, Sound.size() / 2)},
        {"no record 2", BagBytes({{5, Settings}, {100000, App}})},
        {"short header", BagBytes({{2, Header(1).substr(0, 8)}, {5, Settings}, {100000, App}})},
        {"count too large", BagBytes({{2, Header(2)}, {5, Settings}, {100000, App}})},
        {"huge count", BagBytes({{2, Header(0x7FFFFFFF)}, {100000, App}})},
        {"negative count", BagBytes({{2, Header(-1)}, {5, Settings}})},
        {"damaged settings", BagBytes({{2, Header(0)}, {5, std::string("\xFF\xFF\x03\x00", 4)}})},
        {"damaged installation", BagBytes({{2, Header(1)}, {5, Settings}, {100000, App.substr(0, App.size() - 3)}})},
    };
    // The sound variant loads: the cases fail for their fault alone.
    FS.AddFile(DemoFile, Sound);
    EXPECT_TRUE(MakeBuilder()->LoadProject(DemoFile));

    for (const auto& C : Cases) {
        auto B = CurrentProject();
        const auto Settings0 = Entries(B->Settings);
        const auto Groups0 = Entries(B->Groups);
        const auto Options0 = Entries(B->ProjectOptions);
        const auto FirstApp0 = Entries(B->Apps()[0]->Props);
        FS.AddFile(DemoFile, C.Bytes);
        EXPECT_FALSE(B->LoadProject(DemoFile)) << C.Name;
        EXPECT_EQ(Entries(B->Settings), Settings0) << C.Name;
        EXPECT_EQ(Entries(B->Groups), Groups0) << C.Name;
        EXPECT_EQ(Entries(B->ProjectOptions), Options0) << C.Name;
        ASSERT_EQ(B->Apps().size(), 3u) << C.Name;
        EXPECT_EQ(Entries(B->Apps()[0]->Props), FirstApp0) << C.Name;
        EXPECT_EQ(B->ProjectFileName, "C:\\Projects\\current.bxp") << C.Name;
        EXPECT_TRUE(B->Modified) << C.Name;
        EXPECT_EQ(FS.FileBytes(DemoFile), C.Bytes) << C.Name;
    }
}

TEST_F(ProjectFile, OddButSoundFilesOpen)
{
    auto Maker = MakeBuilder();
    const std::string App = AppRecord(*Maker);
    // Another signature, no groups or options record, the old window type value.
    FS.AddFile(DemoFile, BagBytes({{2, Header(1, "other")},
                                      {5, TableBytes({{"Wnd_Caption", "Old"}, {"Wnd_Type", "size able"}})},
                                      {100000, App}}));
    auto B = MakeBuilder();
    B->Groups.Add("kept", "Kept||true");
    ASSERT_TRUE(B->LoadProject(DemoFile));
    EXPECT_EQ(Entries(B->Settings), (std::vector<std::string>{"Wnd_Caption=Old", "Wnd_Type=Resizable"}));
    EXPECT_TRUE(B->Modified); // the replaced window type changed the project
    EXPECT_EQ(Entries(B->Groups), (std::vector<std::string>{"kept=Kept||true"}));
    EXPECT_EQ(Entries(B->ProjectOptions), (std::vector<std::string>{"O_OutDir="}));
    ASSERT_EQ(B->Apps().size(), 1u);
    EXPECT_EQ(B->Apps()[0]->Props.Count(), 21);
}

TEST_F(ProjectFile, DialogsMissingFilesAndCancels)
{
    auto B = MakeBuilder();
    B->Settings.Add("Wnd_Caption", "changed");
    const std::size_t Created0 = FS.Created().size();
    EXPECT_FALSE(B->LoadProject(""));
    EXPECT_FALSE(B->SaveProject(""));
    EXPECT_EQ(UI.Calls, (std::vector<std::string>{"open Brindlo Prj|*.bxp hk_SaveLoad",
                                                 "save Brindlo Prj|*.bxp hk_SaveLoad"}));
    EXPECT_EQ(FS.Created().size(), Created0);

    UI.Calls.clear();
    EXPECT_FALSE(B->LoadProject("C:\\Projects\\missing.bxp"));
    EXPECT_EQ(UI.Calls, (std::vector<std::string>{"path errors 0 C:\\Projects\\missing.bxp"}));
    EXPECT_TRUE(B->Modified);
    EXPECT_EQ(B->ProjectFileName, "");

    UI.SaveAnswer = DemoFile;
    ASSERT_TRUE(B->SaveProject(""));
    UI.OpenAnswer = DemoFile;
    B->NewProject();
    ASSERT_TRUE(B->LoadProject(""));
    EXPECT_EQ(B->Settings.Lookup("Wnd_Caption"), "changed");
    ASSERT_TRUE(B->SaveProject(""));
    EXPECT_EQ(UI.LastInitialDir, "C:\\Projects\\");
}

TEST_F(ProjectFile, FailedSaveKeepsThePreviousFile)
{
    TNoReplaceFileSystem Failing;
    Failing.ForceDirectories(TestProgramDir);
    Failing.ForceDirectories("C:\\Projects");
    Failing.AddFile(DemoFile, "previous");
    auto B = MakeBuilder(&Failing);
    B->Settings.Add("Wnd_Caption", "changed");
    try {
        B->SaveProject(DemoFile);
        ADD_FAILURE() << "a project that could not be put in place counted as saved";
    } catch (const EInOutError& E) {
        EXPECT_EQ(E.Message(), "Cannot replace file " + DemoFile + ": There is not enough space on the disk");
    }
    EXPECT_EQ(Failing.FileBytes(DemoFile), "previous");
    EXPECT_FALSE(Failing.FileExists(DemoFile + ".tmp"));
    EXPECT_TRUE(B->Modified);
    EXPECT_EQ(B->ProjectFileName, "");
}

TEST_F(ProjectFile, AFailedSaveOnTheDiskSaysWhy)
{
    TFileSystem& Disk = LocalFileSystem();
    const std::string Dir = ScratchDir();
    Disk.Create(JoinPath(Dir, "plain"))->WriteString("x");
    const std::string InAFile = JoinPath(Dir, "plain\\demo.bxp");
    const std::string Taken = JoinPath(Dir, "taken.bxp");
    ASSERT_TRUE(Disk.ForceDirectories(Taken));
    Disk.Create(JoinPath(Taken, "inside"))->WriteString("x");
    struct TCase {
        const char* What;
        std::string FileName;
        std::string Message;
    };
    const std::vector<TCase> Cases = {
        {"its folder is a file", InAFile, "Cannot create file " + InAFile + ".tmp: " + SystemText(ENOTDIR, 3)},
        {"its name is taken by a directory", Taken, "Cannot replace file " + Taken + ": " + SystemText(EISDIR, 5)},
    };
    TBuilderServices S = Services(&Disk);
    S.ProgramFileName = JoinPath(Dir, "Castbuild.exe");
    CCastamer B(S, Remembered);
    B.AttachUI(&UI);
    B.Settings.Add("Wnd_Caption", "changed");
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.What);
        try {
            B.SaveProject(C.FileName);
            ADD_FAILURE() << "saved";
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message(), C.Message);
        }
        EXPECT_TRUE(B.Modified);
        EXPECT_EQ(B.ProjectFileName, "");
        EXPECT_FALSE(Disk.FileExists(C.FileName + ".tmp"));
    }
}
