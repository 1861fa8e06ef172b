// Castbuild.exe's groups and settings page driven from outside, as the publisher
// works them: groups renamed in the "Name" row, hidden, deleted with their
// installations, added; the settings rows typed, saved and shown again after a
// restart; the order of the groups through a deletion and a reopen.
#include "castbuild_driving.h"

#include "builder_services.h"
#include "project.h"
#include "file_system.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <functional>

#include <windows.h>

#include <commctrl.h>

namespace {

using Strings = std::vector<std::string>;

class CastbuildGroups : public ::testing::Test {
protected:
    std::string Dir, ProgramDir, ProjectFile;
    void SetUp() override
    {
        Dir = ScratchDir();
        ProgramDir = InstallBuilderCopy(Dir);
        ProjectFile = Dir + "\\groups.bxp";
        // A new installation takes the remembered platform (PC): no question.
        THash Env(true);
        Env.Add("O_NADID", "2");
        WriteEnvOptions(ProgramDir, Env);
    }

    // A project made and read by the project object of this process.
    void MakeProject(const std::function<void(CCastamer&)>& Fill)
    {
        LocalFileSystem().ForceDirectories(Dir + "\\maker");
        TBuilderServices S = DefaultBuilderServices();
        S.ProgramFileName = Dir + "\\maker\\Castbuild.exe";
        THash Paths(true);
        CCastamer Maker(S, Paths);
        ASSERT_TRUE(Maker.Ready);
        Fill(Maker);
        ASSERT_TRUE(Maker.SaveProject(ProjectFile));
    }
    void ReadProject(const std::function<void(CCastamer&)>& Check)
    {
        TBuilderServices S = DefaultBuilderServices();
        S.ProgramFileName = Dir + "\\maker\\Castbuild.exe";
        THash Paths(true);
        CCastamer Reader(S, Paths);
        ASSERT_TRUE(Reader.LoadProject(ProjectFile));
        Check(Reader);
    }
    // Ctrl+S, then until the file is no longer what it was. The real keyboard goes to
    // the window in front, which a busy display can change for a moment: a project
    // still modified is saved by pressing again, as its user would.
    void SaveAndWait(HWND Main)
    {
        const std::string Before = ReadWholeFile(ProjectFile);
        for (int Press = 0; Press < 3 && ReadWholeFile(ProjectFile) == Before; ++Press) {
            PressKeys(Main, {VK_CONTROL, 'S'});
            for (int Round = 0; Round < 250 && ReadWholeFile(ProjectFile) == Before; ++Round)
                Sleep(20);
        }
        ASSERT_NE(ReadWholeFile(ProjectFile), Before) << "the project was not saved";
    }
    // Opens every item of the tree, as clicks on their buttons do.
    void ExpandAll(HWND Main)
    {
        const HWND Tree = TreeOf(Main);
        std::vector<LPARAM> Open = {SendMessageA(Tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)};
        while (!Open.empty()) {
            const LPARAM Item = Open.back();
            Open.pop_back();
            if (!Item)
                continue;
            SendMessageA(Tree, TVM_EXPAND, TVE_EXPAND, Item);
            Open.push_back(SendMessageA(Tree, TVM_GETNEXTITEM, TVGN_NEXT, Item));
            Open.push_back(SendMessageA(Tree, TVM_GETNEXTITEM, TVGN_CHILD, Item));
        }
        WaitPainted(Main);
    }
    HWND TreeOf(HWND Main)
    {
        return reinterpret_cast<HWND>(
            static_cast<std::uintptr_t>(ItemOf(ReadTexts(Main), {"TTreeView", "tView"}).Window));
    }
    void WaitTree(HWND Main, const Strings& Expected)
    {
        Strings Seen;
        try {
            WaitFor([&] { return (Seen = TreeTexts(ReadTexts(Main))) == Expected; }, DriverWaitMs,
                    "the tree to show what is expected");
        } catch (const EDriverError&) {
            // What it showed instead, below.
        }
        EXPECT_EQ(Seen, Expected);
    }
    // The value cell of the visible row keyed Key: its editor opens, or its check box flips.
    void ClickRowValue(HWND Main, const std::string& Key)
    {
        const TTextItem Row = WaitItem(Main, {"", Key});
        ClickAt(Main, Row.Left + Row.Width - 20, Row.Top + Row.Height / 2);
    }
    // Characters typed over the whole value of an edit row, then Enter.
    void TypeIntoRow(HWND Main, const std::string& Key, const std::string& Text)
    {
        ClickRowValue(Main, Key);
        const HWND Editor = WaitChild(Main, {"Edit"});
        SendMessageA(Editor, EM_SETSEL, 0, -1);
        SendMessageA(Editor, WM_CLEAR, 0, 0);
        PostChars(Editor, Text);
        PostKey(Editor, VK_RETURN);
        WaitWindowGone(Editor);
    }
    std::string RowText(HWND Main, const std::string& Key) { return WaitItem(Main, {"", Key}).Text; }
    // Scrolls the settings page with its scroll bar's lower arrow until the row keyed
    // Key shows, and two lines further, so that a click opens it instead of scrolling.
    void ScrollToRow(HWND Main, const std::string& Key)
    {
        const TTextItem Page = ItemOf(ReadTexts(Main), {"CFxPropPage", "ppView"});
        const TTextItem* Bar = nullptr;
        const std::vector<TTextItem> Items = ReadTexts(Main);
        for (const TTextItem& I : Items)
            if (I.Kind == "CFxScrollBar" && I.Visible && I.Top == Page.Top)
                Bar = &I;
        ASSERT_NE(Bar, nullptr) << ListItems(Items);
        int Extra = 2;
        for (int Round = 0; Round < 40 && Extra > 0; ++Round) {
            if (FindItem(ReadTexts(Main), {"", Key}))
                --Extra;
            ClickAt(Main, Bar->Left + Bar->Width / 2, Bar->Top + Bar->Height - 8);
            WaitPainted(Main);
        }
        WaitItem(Main, {"", Key});
    }
};

TEST_F(CastbuildGroups, GroupsAreRenamedHiddenDeletedWithTheirInstallationsAndKeepTheirOrder)
{
    MakeProject([](CCastamer& M) {
        // The root's entry first, as the table's own removal would have left it.
        M.Groups.Add("RootGID", "Installations|");
        M.Groups.Add("g1", "Games|g.bmp|true");
        M.Groups.Add("g2", "Tools||true");
        M.Groups.Add("g3", "Misc||true");
        for (const char* Name : {"Hammer", "Saw", "Notes"}) {
            CCst_App* App = M.AddApp();
            App->Props.Add("App name", Name);
            App->Props.Add("DID", "2");
            App->SetGroupID(std::string(Name) == "Notes" ? "g3" : "g2");
        }
    });
    TDrivenProcess P = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main = WaitMainWindow(P, "groups.bxp");
    const HWND Tree = TreeOf(Main);
    ExpandAll(Main);
    WaitTree(Main, {"0=Installations", "0/0=Games", "0/1=Tools", "0/1/0=Hammer", "0/1/1=Saw", "0/2=Misc",
                    "0/2/0=Notes"});

    // The Delete key on the root does nothing.
    SelectTreeItem(Main, "0");
    PostKey(Tree, VK_DELETE);
    WaitPainted(Main);
    EXPECT_EQ(TreeTexts(ReadTexts(Main)).size(), 7u);

    // Renamed through its "Name" row, where "|" cannot be typed; then hidden.
    SelectTreeItem(Main, "0/0");
    EXPECT_EQ(RowText(Main, "g1_GN"), "Name\tGames");
    EXPECT_EQ(RowText(Main, "g1"), "Icon\tg.bmp");
    EXPECT_EQ(RowText(Main, "E_g1"), "Enabled\ttrue");
    TypeIntoRow(Main, "g1_GN", "Ar|cade");
    WaitItem(Main, {"TTreeNode", "0/0", "Arcade"});
    EXPECT_EQ(RowText(Main, "g1_GN"), "Name\tArcade");
    ClickRowValue(Main, "E_g1");
    WaitItem(Main, {"", "E_g1", "Enabled\tfalse"});

    // Deleted with its two installations; the others keep their places.
    SelectTreeItem(Main, "0/1");
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "but_Delete"}));
    WaitTree(Main, {"0=Installations", "0/0=Arcade", "0/1=Misc", "0/1/0=Notes"});

    // A group added under the root, an installation added to it.
    SelectTreeItem(Main, "0/1");
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "but_NewGroup"}));
    WaitItem(Main, {"TTreeNode", "0/2", "New Group"});
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "but_AppAdd"}));
    WaitTree(Main, {"0=Installations", "0/0=Arcade", "0/1=Misc", "0/1/0=Notes", "0/2=New Group",
                    "0/2/0=New Installation"});
    PhotographWindow(Main, ScreenshotPath("castbuild_groups_edited.png"));

    SaveAndWait(Main);
    std::string NewKey;
    ReadProject([&](CCastamer& R) {
        ASSERT_EQ(R.Groups.Count(), 4);
        EXPECT_EQ(R.Groups.GetEntry(0).Key, "g1");
        EXPECT_EQ(R.Groups.GetEntry(0).Value, "Arcade|g.bmp|false");
        EXPECT_EQ(R.Groups.GetEntry(1).Key, "g3");
        EXPECT_EQ(R.Groups.GetEntry(1).Value, "Misc||true");
        NewKey = R.Groups.GetEntry(2).Key;
        EXPECT_EQ(R.Groups.GetEntry(2).Value, "New Group||true");
        // The root's entry is stored last, whatever place the file gave it.
        EXPECT_EQ(R.Groups.GetEntry(3).Key, "RootGID");
        EXPECT_EQ(R.Groups.GetEntry(3).Value, "Installations|");
        ASSERT_EQ(R.Apps().size(), 2u);
        EXPECT_EQ(R.Apps()[0]->Props.Lookup("App name"), "Notes");
        EXPECT_EQ(R.Apps()[0]->Props.Lookup("GroupID"), "g3");
        EXPECT_EQ(R.Apps()[1]->Props.Lookup("GroupID"), NewKey);
        EXPECT_EQ(R.Apps()[1]->Props.Lookup("DID"), "2");
    });
    // Saved, so not modified: no question on closing.
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);

    // Reopened: the same order, the root's entry never a group.
    TDrivenProcess Again = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main2 = WaitMainWindow(Again, "groups.bxp");
    WaitItem(Main2, {"TTreeNode", "0", "Installations"});
    ExpandAll(Main2);
    WaitTree(Main2, {"0=Installations", "0/0=Arcade", "0/1=Misc", "0/1/0=Notes", "0/2=New Group",
                     "0/2/0=New Installation"});
    SelectTreeItem(Main2, "0/0");
    EXPECT_EQ(RowText(Main2, "E_g1"), "Enabled\tfalse");
    PostClose(Main2);
    EXPECT_EQ(Again.WaitExit(), 0u);
}

TEST_F(CastbuildGroups, SettingsRowsGoIntoTheSettingsTableAndComeBack)
{
    MakeProject([](CCastamer&) {});
    TDrivenProcess P = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main = WaitMainWindow(P, "groups.bxp");
    WaitItem(Main, {"TTreeNode", "0", "Installations"});
    struct Case {
        std::string Key, Typed, Value;
    };
    const std::vector<Case> Window = {{"Wnd_Caption", "Setup | Two", "Setup | Two"}, {"Wnd_Width_Min", "-5", "-5"}};
    // In page order: the page is only scrolled down.
    const std::vector<Case> List = {{"eList_GGroup", "My|Games", "MyGames"}, {"eList_GHeight", "-5", "5"},
                                    {"eList_Icon_GWidth", "1.5", "15"}};
    const std::vector<Case> Info = {{"Create Date", "10.12.2026", "10.12.2026"}, {"Create time", "12:45", "12:45"}};
    for (const Case& C : Window)
        TypeIntoRow(Main, C.Key, C.Typed);
    ScrollToRow(Main, "eList_SBOn");
    ClickRowValue(Main, "eList_SBOn");
    WaitItem(Main, {"", "eList_SBOn", "Enable Scrollbar\ttrue"});
    for (const Case& C : List) {
        ScrollToRow(Main, C.Key);
        TypeIntoRow(Main, C.Key, C.Typed);
    }
    WaitItem(Main, {"TTreeNode", "0", "MyGames"});
    for (const Case& C : Info) {
        ScrollToRow(Main, C.Key);
        TypeIntoRow(Main, C.Key, C.Typed);
    }
    PhotographWindow(Main, ScreenshotPath("castbuild_settings_typed.png"));

    SaveAndWait(Main);
    ReadProject([&](CCastamer& R) {
        for (const std::vector<Case>* Group : {&Window, &List, &Info})
            for (const Case& C : *Group)
                EXPECT_EQ(R.Settings.Lookup(C.Key), C.Value) << C.Key;
        EXPECT_EQ(R.Settings.Lookup("eList_SBOn"), "true");
        EXPECT_EQ(R.Settings.Lookup("eList_Width"), "200");
        EXPECT_EQ(R.Groups.Lookup("RootGID"), "MyGames|");
    });
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);

    TDrivenProcess Again = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main2 = WaitMainWindow(Again, "groups.bxp");
    WaitItem(Main2, {"TTreeNode", "0", "MyGames"});
    EXPECT_EQ(RowText(Main2, "Wnd_Caption"), "Caption\tSetup | Two");
    EXPECT_EQ(RowText(Main2, "Wnd_Width_Min"), "Width Min\t-5");
    PostClose(Main2);
    EXPECT_EQ(Again.WaitExit(), 0u);
}

} // namespace
