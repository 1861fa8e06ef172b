#include "builder_fakes.h"
#include "package_reader.h"

#include "color_scheme.h"
#include "exceptions.h"
#include "project_check.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A message as "list: text / link #action".
using TShown = std::vector<std::string>;

// The tree the help actions walk: group nodes by GID (the root first) and
// installation nodes by their installation. Selections refresh the status page
// as the main window's selection handler does.
class TFakeNavigator : public IHelpNavigator {
public:
    std::vector<std::string> GroupNodes{"RootGID"};
    std::vector<const CCst_App*> AppNodes;
    std::vector<std::string> Calls;
    // Whether a refresh was allowed at the moment of each selection.
    std::vector<bool> AllowedAtSelect;
    std::function<void()> OnSelect;
    std::function<void()> OnAddInstallation;

    bool SelectGroupNode(const std::string& GID, bool& IsRoot) override
    {
        for (std::size_t I = 0; I < GroupNodes.size(); ++I) {
            if (GroupNodes[I] == GID) {
                IsRoot = I == 0;
                Selected("group " + GID);
                return true;
            }
        }
        return false;
    }
    bool SelectAppNode(const CCst_App* App) override
    {
        for (const CCst_App* A : AppNodes) {
            if (A == App) {
                Selected("app " + A->GetAppName());
                return true;
            }
        }
        return false;
    }
    void SelectRootNode() override { Selected("root"); }
    void OpenRow(TPage Page, const std::string& Key) override
    {
        Calls.push_back(std::string(Page == pgView ? "open view " : "open item ") + Key);
    }
    void AddInstallationClick() override
    {
        Calls.push_back("add installation");
        if (OnAddInstallation)
            OnAddInstallation();
    }

private:
    void Selected(const std::string& What)
    {
        Calls.push_back("select " + What);
        AllowedAtSelect.push_back(CheckAllowed());
        if (OnSelect)
            OnSelect();
    }
};

// The status page as the groups and rows it was given.
class TFakeStatusPage : public IStatusPage {
public:
    std::vector<std::string> Calls;
    std::vector<TStatusGroup> Groups;
    bool Painting = true;

    void BeginRebuild() override
    {
        EXPECT_TRUE(Painting);
        Painting = false;
        Calls.push_back("begin");
        Groups.clear();
    }
    void AddGroup(const TStatusGroup& Group) override
    {
        EXPECT_FALSE(Painting);
        Calls.push_back("group " + Group.Caption);
        Groups.push_back(Group);
    }
    void EndRebuild() override
    {
        Painting = true;
        Calls.push_back("end");
    }
    CHelpAction_b* ActionOf(const std::string& Caption) const
    {
        for (const TStatusGroup& G : Groups)
            for (const TStatusRow& R : G.Rows)
                if (R.Caption == Caption)
                    return R.Action;
        return nullptr;
    }
};

class ProjectCheck : public TBuilderTest {
protected:
    std::unique_ptr<CCastamer> B;
    TFakeNavigator Navigator;

    void SetUp() override
    {
        TBuilderTest::SetUp();
        B = MakeBuilder();
        B->AttachNavigator(&Navigator);
        ASSERT_TRUE(CheckAllowed());
    }
    void TearDown() override { EXPECT_TRUE(CheckAllowed()); }

    CCst_App* AddApp(const std::string& Name, const std::string& DID, const std::string& Source)
    {
        CCst_App* A = B->AddApp();
        A->Props.Add("App name", Name);
        A->Props.Add("DID", DID);
        A->Props.Add("InDir", Source);
        A->SetGroupID("RootGID");
        return A;
    }

    TShown Check()
    {
        B->HelpActions.Clear();
        TCheckLists Lists;
        B->CheckProject(Lists);
        TShown Shown;
        const auto Show = [&](const char* Name, const TCheckList& List) {
            for (const CheckMessage& M : List)
                Shown.push_back(std::string(Name) + ": " + M.Text + " / " + M.LinkText + " #" +
                                std::to_string(M.ActionIndex));
        };
        Show("Critical", Lists.Critical);
        Show("Missettings", Lists.Missettings);
        Show("Other", Lists.Other);
        return Shown;
    }
};

} // namespace

TEST_F(ProjectCheck, ANewProjectNeedsAnInstallation)
{
    EXPECT_EQ(Check(), (TShown{"Critical: Add at least one installation / Click to add #0"}));
    ASSERT_EQ(B->HelpActions.Count(), 1);
    EXPECT_NE(dynamic_cast<CHelpAction_OneApp*>(B->HelpActions.Get(0)), nullptr);
    EXPECT_EQ(B->HelpActions.Get(0)->Form, &Navigator);
    EXPECT_FALSE(B->Modified);
}

TEST_F(ProjectCheck, SourceDirectoriesByPlatform)
{
    FS.ForceDirectories("C:\\Src\\Here");
    struct TCase {
        const char* What;
        const char* DID;
        const char* Source;
        const char* PDFile;
        const char* CDFile;
        bool Reported;
    };
    const TCase Cases[] = {
        {"PC without a source directory", "2", "", nullptr, nullptr, true},
        {"PC whose source directory is gone", "2", "C:\\Src\\Gone", nullptr, nullptr, true},
        {"PC with its source directory", "2", "C:\\Src\\Here", nullptr, nullptr, false},
        {"Pocket PC without anything", "1", "", nullptr, nullptr, true},
        {"Pocket PC with a device file", "1", "", "ARM|C:\\x.dll|App Root", nullptr, false},
        {"Pocket PC with only a colour file", "1", "", nullptr, "colors 2|C:\\a.prc", true},
        {"Palm OS without anything", "0", "", nullptr, nullptr, true},
        {"Palm OS with a colour file", "0", "", nullptr, "colors 2|", false},
        {"Palm OS with its source directory", "0", "C:\\Src\\Here", nullptr, nullptr, false},
        {"no platform yet", "-1", "", nullptr, nullptr, false},
        {"another number", "7", "", nullptr, nullptr, false},
        {"no number", "pc", "", nullptr, nullptr, false},
        {"no value", "", "", nullptr, nullptr, false},
    };
    for (const TCase& C : Cases) {
        CCst_App* A = AddApp("Editor", C.DID, C.Source);
        if (C.PDFile)
            A->PDFiles.Add("p1", C.PDFile);
        if (C.CDFile)
            A->CDFiles.Add("c1", C.CDFile);
        const TShown Shown = Check();
        if (C.Reported) {
            EXPECT_EQ(Shown, (TShown{"Critical: Installation Name=Editor define Source Directory / Click to define #0"}))
                << C.What;
            auto* Action = dynamic_cast<CHelpAction_InDir*>(B->HelpActions.Get(0));
            ASSERT_NE(Action, nullptr) << C.What;
            EXPECT_EQ(Action->App, A);
        } else {
            EXPECT_EQ(Shown, TShown{}) << C.What;
        }
        B->DeleteApp(A);
    }
}

TEST_F(ProjectCheck, ShortcutsMustPointIntoTheSourceDirectory)
{
    FS.AddFile("C:\\Src\\Editor\\bin\\tool.exe", "tool");
    FS.AddFile("C:\\Src\\Editor2\\x.exe", "sibling");
    FS.AddFile("C:\\Dev\\arm\\app.exe", "device file");
    struct TCase {
        const char* What;
        const char* DID;
        const char* Shortcut;
        bool Faulty;
    };
    const TCase Cases[] = {
        {"PC, inside", "2", "Tool|SCut to file|C:\\Src\\Editor\\bin\\tool.exe|Desktop|", false},
        {"PC, inside in other letter case", "2", "Tool|SCut to file|c:\\src\\EDITOR\\bin\\tool.exe|Desktop|", false},
        {"PC, the directory itself", "2", "Tool|SCut to file|C:\\Src\\Editor|Desktop|", false},
        {"PC, a missing file inside", "2", "Tool|SCut to file|C:\\Src\\Editor\\gone.exe|Desktop|", false},
        {"PC, shares only the prefix", "2", "Tool|SCut to file|C:\\Src\\Editor2\\x.exe|Desktop|", true},
        {"PC, another directory", "2", "Tool|SCut to file|C:\\Dev\\arm\\app.exe|Desktop|", true},
        {"PC, a new row", "2", "Tool||||", true},
        {"PC, uninstall", "2", "Tool|SCut to uninstall|C:\\anywhere.exe|Desktop|", false},
        {"PC, uninstall without fields", "2", "Tool|SCut to uninstall", false},
        {"Pocket PC, inside", "1", "Tool|SCut to file|C:\\SRC\\Editor\\bin\\tool.exe|Start Menu|", false},
        {"Pocket PC, a device file", "1", "Tool|SCut to file|C:\\Dev\\arm\\app.exe|Start Menu|", false},
        {"Pocket PC, a device file in other letter case", "1", "Tool|SCut to file|C:\\dev\\arm\\app.exe|Start Menu|",
         true},
        {"Pocket PC, a missing device file", "1", "Tool|SCut to file|C:\\Dev\\arm\\gone.exe|Start Menu|", true},
        {"Pocket PC, uninstall", "1", "Tool|SCut to uninstall||Start Menu|", true},
        {"Pocket PC, shares only the prefix", "1", "Tool|SCut to file|C:\\Src\\Editor2\\x.exe|Start Menu|", true},
        {"Palm OS: not tested", "0", "Tool|SCut to file|C:\\Dev\\arm\\app.exe|Desktop|", false},
        {"no number: not tested", "x", "Tool|SCut to file|C:\\Dev\\arm\\app.exe|Desktop|", false},
    };
    for (const TCase& C : Cases) {
        CCst_App* A = AddApp("Editor", C.DID, "C:\\Src\\Editor");
        A->PDFiles.Add("p1", "ARM|C:\\Dev\\arm\\app.exe|App Root");
        A->PDFiles.Add("p2", "MIPS|C:\\Dev\\arm\\gone.exe|App Root");
        A->Shortcuts.Add("k1", C.Shortcut);
        const TShown Shown = Check();
        if (C.Faulty) {
            EXPECT_EQ(Shown, (TShown{"Missettings: App.Name=Editor SC=Tool  / Click to define #0"})) << C.What;
            auto* Action = dynamic_cast<CHelpAction_SCut*>(B->HelpActions.Get(0));
            ASSERT_NE(Action, nullptr) << C.What;
            EXPECT_EQ(Action->App, A);
            EXPECT_EQ(Action->Key, "k1");
        } else {
            EXPECT_EQ(Shown, TShown{}) << C.What;
        }
        B->DeleteApp(A);
    }
}

TEST_F(ProjectCheck, PocketPCShortcutsAreNotTestedWithoutASourceDirectory)
{
    CCst_App* A = AddApp("Mobile", "1", "");
    A->PDFiles.Add("p1", "ARM|C:\\Dev\\app.exe|App Root");
    A->Shortcuts.Add("k1", "Tool|SCut to file|C:\\elsewhere.exe|Start Menu|");
    EXPECT_EQ(Check(), TShown{});
}

TEST_F(ProjectCheck, ReadyMadeCabNamesTheManagersListCannotCarry)
{
    FS.ForceDirectories("C:\\Src");
    struct TCase {
        const char* What;
        const char* DID;
        const char* IsCC;
        const char* Arm;
        const char* Sh3;
        TShown Shown;
    };
    const std::string Arm = "Critical: Installation Name=Mobile Cab File[ARM] must not contain a comma or a line "
                            "break / Click to define #";
    const std::string Sh3 = "Critical: Installation Name=Mobile Cab File[SH3] must not contain a comma or a line "
                            "break / Click to define #";
    const TCase Cases[] = {
        {"plain names", "1", "false", "arm.cab", "sh3.cab", {}},
        {"a comma", "1", "false", "a,b.cab", "sh3.cab", {Arm + "0"}},
        {"a line break", "1", "false", "arm.cab", "x.cab\r\nCabFiles = y.cab", {Sh3 + "0"}},
        {"a lone CR and a lone LF", "1", "false", "a\r.cab", "s\n.cab", {Arm + "0", Sh3 + "1"}},
        {"CAB files made by the wizard", "1", "true", "a,b.cab", "x\n.cab", {}},
        {"a PC installation", "2", "false", "a,b.cab", "", {}},
    };
    for (const TCase& C : Cases) {
        CCst_App* A = AddApp("Mobile", C.DID, "C:\\Src");
        A->SetIsCC(C.IsCC);
        A->PocketPC.Add("PPC_ICabFARM", C.Arm);
        A->PocketPC.Add("PPC_ICabFSH", C.Sh3);
        EXPECT_EQ(Check(), C.Shown) << C.What;
        for (std::int32_t I = 0; I < B->HelpActions.Count(); ++I) {
            auto* Action = dynamic_cast<CHelpAction_CabFile*>(B->HelpActions.Get(I));
            ASSERT_NE(Action, nullptr) << C.What;
            EXPECT_EQ(Action->App, A);
        }
        B->DeleteApp(A);
    }

    // Its help action opens the CAB file's row of the installation.
    CCst_App* A = AddApp("Mobile", "1", "C:\\Src");
    A->PocketPC.Add("PPC_ICabFSH", "a,b.cab");
    Navigator.AppNodes = {A};
    ASSERT_EQ(Check(), (TShown{Sh3 + "0"}));
    B->HelpActions.Run(*B->HelpActions.Get(0));
    EXPECT_EQ(Navigator.Calls, (std::vector<std::string>{"select app Mobile", "open item PPC_ICabFSH"}));
    EXPECT_EQ(Navigator.AllowedAtSelect, std::vector<bool>{false});
}

TEST_F(ProjectCheck, GroupIconsBySize)
{
    FS.AddFile("C:\\Art\\29.bmp", MakeBmp(29, 20));
    FS.AddFile("C:\\Art\\30.bmp", MakeBmp(30, 20));
    FS.AddFile("C:\\Art\\31.bmp", MakeBmp(31, 20));
    FS.AddFile("C:\\Art\\30x19.bmp", MakeBmp(30, 19));
    FS.AddFile("C:\\Art\\31x19.bmp", MakeBmp(31, 19));
    FS.AddFile("C:\\Art\\text.bmp", "not a bitmap");
    AddApp("Editor", "-1", "");
    B->Groups.Add("g1", "Small|C:\\Art\\29.bmp|true");
    B->Groups.Add("g2", "Exact|C:\\Art\\30.bmp|true");
    B->Groups.Add("g3", "Large|C:\\Art\\31.bmp|false");
    B->Groups.Add("g4", "Low|C:\\Art\\30x19.bmp");
    B->Groups.Add("g5", "Wide and low|C:\\Art\\31x19.bmp");
    B->Groups.Add("g6", "None||true");
    B->Groups.Add("g7", "Text|C:\\Art\\text.bmp|true");
    B->Groups.Add("RootGID", "All|C:\\Art\\gone.bmp");
    const TShown Shown = Check();
    EXPECT_EQ(Shown, (TShown{
                         "Critical: Gruop[Small].Icon[C:\\Art\\29.bmp] is (smaller) << than 30x20 / Click to define #0",
                         "Critical: Gruop[Low].Icon[C:\\Art\\30x19.bmp] is (smaller) << than 30x20 / Click to define #3",
                         "Critical: Gruop[Wide and low].Icon[C:\\Art\\31x19.bmp] is (smaller) << than 30x20 / Click "
                         "to define #4",
                         "Missettings: Gruop[Large].Icon[C:\\Art\\31.bmp] is (larger)  >> than 30x20 / Click to "
                         "define #2",
                         "Missettings: Gruop[Text].Icon[C:\\Art\\text.bmp] is not a bitmap / Click to define #5",
                         "Missettings: Gruop[All].Icon[C:\\Art\\gone.bmp] not found / Click to define #6",
                     }));
    // The exact icon keeps its action without a message.
    ASSERT_EQ(B->HelpActions.Count(), 7);
    const char* GIDs[] = {"g1", "g2", "g3", "g4", "g5", "g7", "RootGID"};
    for (int I = 0; I < 7; ++I) {
        auto* Action = dynamic_cast<CHelpAction_IconFile*>(B->HelpActions.Get(I));
        ASSERT_NE(Action, nullptr) << I;
        EXPECT_EQ(Action->GID, GIDs[I]);
        EXPECT_EQ(Action->Index, I);
    }
}

TEST_F(ProjectCheck, AnUnreadableIconSizeSkipsOnlyTheSizeTest)
{
    FS.AddFile("C:\\Art\\29.bmp", MakeBmp(29, 20));
    AddApp("Editor", "-1", "");
    B->Groups.Add("g1", "Small|C:\\Art\\29.bmp|true");
    B->Groups.Add("g2", "Gone|C:\\Art\\gone.bmp|true");
    const TShown GoneOnly{"Missettings: Gruop[Gone].Icon[C:\\Art\\gone.bmp] not found / Click to define #0"};
    for (const char* Key : {"eList_Icon_GWidth", "eList_Icon_GHeight"}) {
        for (const char* Value : {"", "30%", "thirty", "1e3"}) {
            B->Settings.Add(Key, Value);
            EXPECT_EQ(Check(), GoneOnly) << Key << "=" << Value;
            B->Settings.Add(Key, Key[12] == 'W' ? "30" : "20");
        }
        // A project file of an older kind may lack the key altogether.
        B->Settings.Remove(Key);
        EXPECT_EQ(Check(), GoneOnly) << Key;
        B->Settings.Add(Key, Key[12] == 'W' ? "30" : "20");
    }
    EXPECT_EQ(Check().size(), 2u);
}

TEST_F(ProjectCheck, NamesWithCommasAndSeparatorsStayWhole)
{
    FS.AddFile("C:\\Art, old\\icon,1.bmp", MakeBmp(31, 20));
    FS.ForceDirectories("C:\\Src, new");
    CCst_App* A = AddApp("Editor, Pro 2,5", "2", "C:\\Src, new");
    A->Shortcuts.Add("k,1", "Run, now|SCut to file|C:\\Other, dir\\a.exe|Desktop|");
    AddApp("Viewer, Lite", "2", "");
    B->Groups.Add("g,1", "Tools, misc|C:\\Art, old\\icon,1.bmp|true");
    EXPECT_EQ(Check(), (TShown{
                           "Critical: Installation Name=Viewer, Lite define Source Directory / Click to define #1",
                           "Missettings: App.Name=Editor, Pro 2,5 SC=Run, now  / Click to define #0",
                           "Missettings: Gruop[Tools, misc].Icon[C:\\Art, old\\icon,1.bmp] is (larger)  >> than 30x20 "
                           "/ Click to define #2",
                       }));
    EXPECT_EQ(dynamic_cast<CHelpAction_SCut*>(B->HelpActions.Get(0))->Key, "k,1");
}

TEST_F(ProjectCheck, MessagesFollowProjectOrderAndChangeNothing)
{
    FS.ForceDirectories("C:\\Src\\A");
    CCst_App* First = AddApp("First", "2", "C:\\Src\\A");
    First->Shortcuts.Add("s1", "One|SCut to file|C:\\x.exe|Desktop|");
    First->Shortcuts.Add("s2", "Two|SCut to file|C:\\Src\\A\\ok.exe|Desktop|");
    First->Shortcuts.Add("s3", "One|SCut to file|C:\\y.exe|Desktop|");
    AddApp("Second", "0", "");
    AddApp("Third", "2", "C:\\Src\\Missing");
    B->Modified = false;
    const THashPair Before = First->Shortcuts.GetEntry(0);
    EXPECT_EQ(Check(), (TShown{
                           "Critical: Installation Name=Second define Source Directory / Click to define #2",
                           "Critical: Installation Name=Third define Source Directory / Click to define #3",
                           "Missettings: App.Name=First SC=One  / Click to define #0",
                           "Missettings: App.Name=First SC=One  / Click to define #1",
                       }));
    EXPECT_EQ(dynamic_cast<CHelpAction_SCut*>(B->HelpActions.Get(1))->Key, "s3");
    EXPECT_FALSE(B->Modified);
    EXPECT_EQ(First->Shortcuts.GetEntry(0).Value, Before.Value);
}

TEST_F(ProjectCheck, AddCheckMessageTakesTheColoursOfItsListAndDropsOtherCodes)
{
    TCheckLists Lists;
    AddCheckMessage(Lists, "a", "Click to add", 4, clCritical);
    AddCheckMessage(Lists, "b", "Click to define", -1, clMissettings);
    AddCheckMessage(Lists, "c", "Click to define", 2, clOther);
    for (std::int32_t Code : {0, 12, 16, -13})
        AddCheckMessage(Lists, "dropped", "", 0, Code);
    ASSERT_EQ(Lists.Critical.size(), 1u);
    ASSERT_EQ(Lists.Missettings.size(), 1u);
    ASSERT_EQ(Lists.Other.size(), 1u);
    EXPECT_EQ(Lists.Critical[0].BackColor, PaletteColor3);
    EXPECT_EQ(Lists.Missettings[0].BackColor, PaletteColor2);
    EXPECT_EQ(Lists.Other[0].BackColor, PaletteColor1);
    for (const TCheckList* L : {&Lists.Critical, &Lists.Missettings, &Lists.Other})
        EXPECT_EQ(L->front().TextColor, 0u);
    EXPECT_EQ(Lists.Critical[0].ActionIndex, 4);

    THelpActions Actions;
    Actions.Add(std::make_unique<CHelpAction_OneApp>(), nullptr);
    Lists.Critical[0].ActionIndex = 0;
    const std::vector<TStatusGroup> Groups = StatusGroups(Lists, Actions);
    ASSERT_EQ(Groups.size(), 3u);
    const char* Captions[] = {"Critical", "Missettings", "Other possible errors"};
    const std::int32_t Pictures[] = {13, 14, 14};
    for (int I = 0; I < 3; ++I) {
        EXPECT_EQ(Groups[I].Caption, Captions[I]);
        EXPECT_EQ(Groups[I].Picture, Pictures[I]);
        EXPECT_EQ(Groups[I].BackColor, PaletteColor4);
        EXPECT_EQ(Groups[I].TextColor, 0u);
        ASSERT_EQ(Groups[I].Rows.size(), 1u);
    }
    EXPECT_EQ(Groups[0].Rows[0].Action, Actions.Get(0));
    EXPECT_EQ(Groups[0].Rows[0].Value, "Click to add");
    EXPECT_EQ(Groups[1].Rows[0].Action, nullptr);
    EXPECT_EQ(Groups[2].Rows[0].Action, nullptr); // index 2 names no action
    EXPECT_EQ(Groups[1].Rows[0].BackColor, PaletteColor2);
}

class StatusPage : public ProjectCheck {
protected:
    TFakeStatusPage Page;
    int Stored = 0;

    void Refresh()
    {
        RefreshStatusPage(*B, Page, [this] { ++Stored; });
    }
};

TEST_F(StatusPage, ANewProjectShowsOnlyTheCriticalGroup)
{
    Refresh();
    EXPECT_EQ(Page.Calls, (std::vector<std::string>{"begin", "group Critical", "end"}));
    EXPECT_EQ(Stored, 1);
    ASSERT_EQ(Page.Groups[0].Rows.size(), 1u);
    const TStatusRow& Row = Page.Groups[0].Rows[0];
    EXPECT_EQ(Row.Caption, "Add at least one installation");
    EXPECT_EQ(Row.Value, "Click to add");
    EXPECT_EQ(Row.BackColor, PaletteColor3);
    EXPECT_EQ(Row.Action, B->HelpActions.Get(0));
}

TEST_F(StatusPage, AllThreeHeadingsInOrder)
{
    FS.AddFile("C:\\Art\\31.bmp", MakeBmp(31, 20));
    FS.ForceDirectories("C:\\Src");
    AddApp("Editor", "2", "C:\\Src")->Shortcuts.Add("k", "Out|SCut to file|D:\\a.exe|Desktop|");
    AddApp("Viewer", "2", "");
    B->Groups.Add("g1", "Tools|C:\\Art\\31.bmp|true");
    Refresh();
    EXPECT_EQ(Page.Calls, (std::vector<std::string>{"begin", "group Critical", "group Missettings", "end"}));
    EXPECT_EQ(Page.Groups[1].Rows.size(), 2u);
}

TEST_F(StatusPage, TheSettingsPageIsStoredBeforeTheCheck)
{
    FS.AddFile("C:\\Art\\root.bmp", MakeBmp(30, 20));
    AddApp("Editor", "-1", "");
    // What the settings page writes back: here a root icon that is too small.
    const auto Store = [this] { B->Groups.Add("RootGID", "All|C:\\Art\\small.bmp"); };
    FS.AddFile("C:\\Art\\small.bmp", MakeBmp(10, 10));
    RefreshStatusPage(*B, Page, Store);
    ASSERT_EQ(Page.Groups.size(), 1u);
    EXPECT_EQ(Page.Groups[0].Rows[0].Caption, "Gruop[All].Icon[C:\\Art\\small.bmp] is (smaller) << than 30x20");
}

TEST_F(StatusPage, NothingHappensWhileTheLockIsHeld)
{
    Refresh();
    CHelpAction_b* Before = B->HelpActions.Get(0);
    Page.Calls.clear();
    LockCheck();
    LockCheck();
    UnlockCheck();
    Refresh();
    UnlockCheck();
    EXPECT_TRUE(Page.Calls.empty());
    EXPECT_EQ(Stored, 1);
    EXPECT_EQ(B->HelpActions.Get(0), Before);
    Refresh();
    EXPECT_EQ(Page.Calls.size(), 3u);
}

TEST_F(StatusPage, AFailureOnTheWayPaintsAgainAndRaisesNothing)
{
    AddApp("Editor", "2", "");
    RefreshStatusPage(*B, Page, [] { throw EConvertError("settings page"); });
    EXPECT_EQ(Page.Calls, (std::vector<std::string>{"begin", "end"}));
    EXPECT_TRUE(Page.Painting);
    EXPECT_TRUE(CheckAllowed());

    // An icon that cannot even be opened counts as no bitmap.
    class TUnreadable : public TMemoryFileSystem {
    public:
        std::unique_ptr<TStream> OpenRead(const std::string& Path) override
        {
            throw EFOpenError("Cannot open file \"" + Path + "\". Access is denied");
        }
    } Locked;
    Locked.AddFile("C:\\Art\\icon.bmp", MakeBmp(30, 20));
    auto Other = MakeBuilder(&Locked);
    Other->Groups.Add("g1", "Tools|C:\\Art\\icon.bmp|true");
    TFakeStatusPage OtherPage;
    RefreshStatusPage(*Other, OtherPage, nullptr);
    ASSERT_EQ(OtherPage.Groups.size(), 2u);
    EXPECT_EQ(OtherPage.Groups[1].Rows[0].Caption, "Gruop[Tools].Icon[C:\\Art\\icon.bmp] is not a bitmap");
}

TEST_F(StatusPage, HelpActionsSelectUnderLockAndOpenTheRow)
{
    FS.AddFile("C:\\Art\\29.bmp", MakeBmp(29, 20));
    FS.ForceDirectories("C:\\Src");
    CCst_App* Editor = AddApp("Editor", "2", "C:\\Src");
    Editor->Shortcuts.Add("k1", "Same|SCut to file|D:\\a.exe|Desktop|");
    Editor->Shortcuts.Add("k2", "Same|SCut to file|D:\\b.exe|Desktop|");
    CCst_App* Viewer = AddApp("Viewer", "2", "");
    B->Groups.Add("g1", "Tools|C:\\Art\\29.bmp|true");
    B->Groups.Add("RootGID", "All|C:\\Art\\29.bmp");
    Navigator.GroupNodes.push_back("g1");
    Navigator.AppNodes = {Editor, Viewer};
    // A selection refreshes the status page, as the main window's handler does.
    Navigator.OnSelect = [this] { Refresh(); };
    Refresh();
    const std::vector<TStatusGroup> Shown = Page.Groups;

    struct TCase {
        std::size_t Group, Row;
        std::vector<std::string> Calls;
    };
    const TCase Cases[] = {
        {0, 0, {"select app Viewer", "open item InDir"}},
        {0, 1, {"select group g1", "open item g1"}},
        {0, 2, {"select group RootGID", "open view RootGID"}},
        {1, 0, {"select app Editor", "open item k1"}},
        {1, 1, {"select app Editor", "open item k2"}},
    };
    for (const TCase& C : Cases) {
        Navigator.Calls.clear();
        Navigator.AllowedAtSelect.clear();
        const std::size_t Refreshes = Page.Calls.size();
        B->HelpActions.Run(*Shown[C.Group].Rows[C.Row].Action);
        EXPECT_EQ(Navigator.Calls, C.Calls) << Shown[C.Group].Rows[C.Row].Caption;
        EXPECT_EQ(Navigator.AllowedAtSelect, std::vector<bool>{false});
        EXPECT_TRUE(CheckAllowed());
        // The refresh of the selection did nothing: the rows stay as they were.
        EXPECT_EQ(Page.Calls.size(), Refreshes);
    }

    // Targets that are gone: nothing happens, no row opens.
    Navigator.AppNodes.clear();
    Navigator.GroupNodes = {"RootGID"};
    Navigator.Calls.clear();
    for (std::size_t R : {0, 1})
        B->HelpActions.Run(*Shown[0].Rows[R].Action);
    B->HelpActions.Run(*Shown[1].Rows[0].Action);
    EXPECT_TRUE(Navigator.Calls.empty());
}

TEST_F(StatusPage, AddingAnInstallationFreesTheOldActionsOnlyAfterTheClick)
{
    // The button adds an installation and refreshes the status page while the
    // clicked action is still running.
    std::size_t RetiredDuringClick = 0;
    CHelpAction_b* Clicked = nullptr;
    Navigator.OnSelect = [this] { Refresh(); };
    Navigator.OnAddInstallation = [&] {
        CCst_App* A = B->AddApp();
        A->SetDID(2);
        A->SetGroupID("RootGID");
        Navigator.AppNodes.push_back(A);
        Refresh();
        RetiredDuringClick = B->HelpActions.RetiredCount();
        // The row's click dispatch may still look at its action.
        EXPECT_EQ(Clicked->Index, 0);
    };
    Refresh();
    Clicked = Page.ActionOf("Add at least one installation");
    ASSERT_NE(Clicked, nullptr);
    B->HelpActions.Run(*Clicked); // a use after free shows under the sanitizer
    EXPECT_EQ(Navigator.Calls, (std::vector<std::string>{"select root", "add installation"}));
    EXPECT_EQ(RetiredDuringClick, 1u);
    EXPECT_EQ(B->HelpActions.RetiredCount(), 0u);
    EXPECT_EQ(B->Apps().size(), 1u);
    // The page was rebuilt: the clicked row is gone, the new installation's shows.
    EXPECT_EQ(Page.ActionOf("Add at least one installation"), nullptr);
    ASSERT_EQ(Page.Groups.size(), 1u);
    EXPECT_EQ(Page.Groups[0].Rows[0].Caption, "Installation Name=New Installation define Source Directory");
    EXPECT_EQ(Page.Groups[0].Rows[0].Action, B->HelpActions.Get(0));
    EXPECT_EQ(B->HelpActions.Count(), 1);
}

TEST_F(StatusPage, ANewProjectFreesTheActions)
{
    Refresh();
    ASSERT_EQ(B->HelpActions.Count(), 1);
    B->NewProject();
    EXPECT_EQ(B->HelpActions.Count(), 0);
}
