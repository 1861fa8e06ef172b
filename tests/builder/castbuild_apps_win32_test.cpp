// Castbuild.exe's installations as the publisher edits them, the program driven as
// its own process: one installation of each platform with its page and sections,
// shortcuts and device files added, edited and deleted, the status page's messages
// leading to their items, and a project made through the windows alone saved,
// reopened and saved again. The builder runs with poisoned frees (a copy linked with
// them), so a row or help action used after it was freed crashes it.
#include "castbuild_driving.h"

#include "driver.h"
#include "file_system.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

namespace {

const char* const PlatformPC = "PC (Windows 95/98/Me/NT/2000/XP)";
const char* const PlatformPocketPC = "Pocket PC 2000/2002 (Window CE)";
const char* const PlatformPalm = "Handheld (Palm OS)";

bool IsRow(const TTextItem& I) { return I.Visible && I.Kind.rfind("CFxProp_", 0) == 0; }

// The visible rows of the page Name as "Kind caption<TAB>value".
std::vector<std::string> PageRows(const std::vector<TTextItem>& Items, const std::string& Name)
{
    const TTextItem& Page = ItemOf(Items, {"CFxPropPage", Name});
    std::vector<std::string> V;
    for (const TTextItem& I : Items)
        if (IsRow(I) && I.Left >= Page.Left && I.Top >= Page.Top && I.Top < Page.Top + Page.Height)
            V.push_back(I.Kind + " " + I.Text);
    return V;
}

// The rows after "OS Dependent:" up to the next group of the page ("View:").
std::vector<std::string> SectionRows(HWND Main)
{
    const std::vector<std::string> All = PageRows(ReadTexts(Main), "ppItem");
    std::vector<std::string> V;
    bool In = false;
    for (const std::string& R : All) {
        if (R.rfind("CFxProp_Group View:", 0) == 0)
            break;
        if (In)
            V.push_back(R);
        In = In || R.rfind("CFxProp_Group OS Dependent:", 0) == 0;
    }
    return V;
}

// The row of the item page that shows Text (its caption TAB value), or Key.
TTextItem RowItem(HWND Main, const TItemQuery& Query) { return WaitItem(Main, Query); }

enum TColumn { colLeft, colCaption, colValue, colValueLeft };

// A click into a row: its left column (the expander or red cross), the middle of its
// caption or near the right or left end of its value.
void ClickRow(HWND Main, const TTextItem& Row, TColumn Column)
{
    const int Y = Row.Top + Row.Height / 2;
    // The caption column starts after the left and icon columns (20 pixels each); the
    // value column takes the page's last third.
    const int ValueLeft = Row.Left + Row.Width * 2 / 3;
    int X = 0;
    switch (Column) {
    case colLeft:
        X = Row.Left + 10;
        break;
    case colCaption:
        X = Row.Left + 50;
        break;
    case colValue:
        X = Row.Left + Row.Width - 20;
        break;
    case colValueLeft:
        X = ValueLeft + 25;
        break;
    }
    ClickAt(Main, X, Y);
    WaitPainted(Main);
}

HWND PageWindowOf(HWND Main, const std::string& Name)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(ItemOf(ReadTexts(Main), {"CFxPropPage", Name}).Window));
}

// The in-place editor of class Class that the item page shows (its own child).
HWND WaitEditor(HWND Main, const std::string& Class)
{
    const HWND Page = PageWindowOf(Main, "ppItem");
    HWND Found = nullptr;
    WaitFor(
        [&] {
            for (HWND C : ChildWindows(Page, {Class}))
                if (GetParent(C) == Page && IsWindowVisible(C))
                    Found = C;
            return Found != nullptr;
        },
        DriverWaitMs, "an editor " + Class + " on the item page");
    return Found;
}

void WaitRows(HWND Main, const std::vector<std::string>& Expected)
{
    WaitFor([&] { return SectionRows(Main) == Expected; }, DriverWaitMs, "the section's rows");
}

class CastbuildApps : public ::testing::Test {
protected:
    std::string Dir, ProgramDir;
    void SetUp() override
    {
        Dir = ScratchDir();
        ProgramDir = InstallBuilderCopy(Dir);
        // The copy with poisoned frees takes the builder's place.
        ASSERT_TRUE(LocalFileSystem().CopyFileTo(BesideThisProgram("castbuild_poisoned.exe"),
                                                 JoinPath(ProgramDir, "Castbuild.exe"), true));
    }

    // "Add Installation" with the group or root at Path selected, answered with Platform.
    void AddInstallation(const TDrivenProcess& P, HWND Main, const std::string& Path, const char* Platform)
    {
        SelectTreeItem(Main, Path);
        ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "but_AppAdd"}));
        AnswerPlatform(P, Platform);
    }
    void AnswerPlatform(const TDrivenProcess& P, const char* Platform)
    {
        const HWND W = WaitTopWindow(P.Id(), {"", "Destination Platform"});
        ClickButton(WaitChild(W, {"Button", Platform}));
        WaitFor([&] { return SendMessageA(WaitChild(W, {"Button", Platform}), BM_GETCHECK, 0, 0) == BST_CHECKED; },
                DriverWaitMs, "the platform to be checked");
        ClickItem(W, ItemOf(ReadTexts(W), {"CFxButton", "butOk", "Select"}));
        WaitWindowGone(W);
    }
    // "Basic:" closed, so that the platform section is in view.
    void CloseBasic(HWND Main)
    {
        ClickRow(Main, RowItem(Main, {"CFxProp_Group", "", "Basic:\tBasic:"}), colLeft);
        WaitFor([&] { return FindItem(ReadTexts(Main), {"CFxProp_Edit", "App name"}) == nullptr; }, DriverWaitMs,
                "\"Basic:\" to close");
    }
    void Quit(TDrivenProcess& P, HWND Main)
    {
        PostClose(Main);
        std::vector<TTextItem> Box;
        const HWND Question = WaitMessageBox(P, Box);
        ClickItem(Question, ItemOf(Box, {"", "", "Yes"}));
        EXPECT_EQ(P.WaitExit(), 0u);
    }
};

TEST_F(CastbuildApps, EachPlatformHasItsPageAndCreateCabsRebuildsThePocketPCRows)
{
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    const HWND Main = WaitMainWindow(P);
    WaitItem(Main, {"TTreeNode", "0", "Installations"});
    const struct {
        const char* Platform;
        const char* Shot;
        std::vector<std::string> Rows;
    } Cases[] = {
        {PlatformPC,
         "castbuild_installation_pc.png",
         {"CFxProp_GroupPropCrea Shortcuts\tClick to add new",
          "CFxProp_CBox Default InstDir\t$(Program Files)/$(Company)/$(Name)"}},
        {PlatformPocketPC,
         "castbuild_installation_pocketpc.png",
         {"CFxProp_CheckBox Create Cabs\tfalse", "CFxProp_Edit ActiveSync Description\t",
          "CFxProp_CBox Default InstDir\t$(Program Files)/$(Company)/$(Name)", "CFxProp_CBox Cab File[ARM]\t",
          "CFxProp_CBox Cab File[MIPS]\t", "CFxProp_CBox Cab File[SH3]\t"}},
        {PlatformPalm, "castbuild_installation_palm.png", {"CFxProp_GroupPropCrea Color Dependent Files\tClick to add new"}},
    };
    int N = 0;
    for (const auto& C : Cases) {
        AddInstallation(P, Main, "0", C.Platform);
        const std::string Path = "0/" + std::to_string(N++);
        WaitItem(Main, {"TTreeNode", Path, "New Installation"});
        WaitFor([&] { return TreeItem(ReadTexts(Main), Path).Focused; }, DriverWaitMs, "the new item selected");
        const std::vector<TTextItem> Items = ReadTexts(Main);
        EXPECT_EQ(ItemOf(Items, {"CFxProp_Const"}).Text, std::string("Destination Platform: \t") + C.Platform);
        EXPECT_TRUE(ItemOf(Items, {"CFxButton", "but_Delete"}).Enabled);
        EXPECT_FALSE(ItemOf(Items, {"CFxButton", "but_NewGroup"}).Enabled);
        CloseBasic(Main);
        WaitRows(Main, C.Rows);
        PhotographWindow(Main, ScreenshotPath(C.Shot));
    }

    // Create Cabs ticked: the cab file rows give way to the build's own rows, and back.
    SelectTreeItem(Main, "0/1");
    CloseBasic(Main);
    ClickRow(Main, RowItem(Main, {"CFxProp_CheckBox", "PPC_IsCC"}), colValue);
    WaitRows(Main, {"CFxProp_CheckBox Create Cabs\ttrue", "CFxProp_Edit ActiveSync Description\t",
                    "CFxProp_CBox Default InstDir\t$(Program Files)/$(Company)/$(Name)",
                    "CFxProp_CheckBox Build ARM\ttrue", "CFxProp_CheckBox Build MIPS\ttrue",
                    "CFxProp_CheckBox Build SH3\ttrue", "CFxProp_GroupPropCrea Proc.Dep.Files\tClick to add new one",
                    "CFxProp_GroupPropCrea Shortcuts\tClick to add new"});
    ClickRow(Main, RowItem(Main, {"CFxProp_CheckBox", "PPC_IsCC"}), colValue);
    WaitRows(Main, Cases[1].Rows);
    Quit(P, Main);
}

TEST_F(CastbuildApps, ShortcutsAndDeviceFilesAreAddedEditedAndDeleted)
{
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    const HWND Main = WaitMainWindow(P);
    WaitItem(Main, {"TTreeNode", "0", "Installations"});

    // A PC shortcut: the creator opens, then adds a row with the installation's name.
    AddInstallation(P, Main, "0", PlatformPC);
    WaitItem(Main, {"TTreeNode", "0/0", "New Installation"});
    CloseBasic(Main);
    const TTextItem Shortcuts = RowItem(Main, {"CFxProp_GroupPropCrea", "", "Shortcuts\tClick to add new"});
    ClickRow(Main, Shortcuts, colValue);
    ClickRow(Main, Shortcuts, colValue);
    const TTextItem Row = RowItem(Main, {"CFxProp_SCut"});
    EXPECT_EQ(Row.Text, "\tNew Installation||||");
    EXPECT_EQ(Row.Name.find_first_of(" ./:_"), std::string::npos) << Row.Name;
    // Its name edited in place.
    ClickRow(Main, Row, colCaption);
    const HWND Name = WaitEditor(Main, "Edit");
    SetEditText(Name, "Run tool");
    PostKey(Name, VK_RETURN);
    WaitItem(Main, {"CFxProp_SCut", Row.Name, "\tRun tool||||"});
    // The red cross deletes it.
    ClickRow(Main, RowItem(Main, {"CFxProp_SCut", Row.Name}), colLeft);
    WaitFor([&] { return FindItem(ReadTexts(Main), {"CFxProp_SCut"}) == nullptr; }, DriverWaitMs,
            "the shortcut row to go");

    // A processor-dependent file: the processor chosen from its list.
    AddInstallation(P, Main, "0", PlatformPocketPC);
    WaitItem(Main, {"TTreeNode", "0/1", "New Installation"});
    CloseBasic(Main);
    ClickRow(Main, RowItem(Main, {"CFxProp_CheckBox", "PPC_IsCC"}), colValue);
    const TTextItem Files = RowItem(Main, {"CFxProp_GroupPropCrea", "", "Proc.Dep.Files\tClick to add new one"});
    ClickRow(Main, Files, colValue);
    ClickRow(Main, Files, colValue);
    const TTextItem PD = RowItem(Main, {"CFxProp_PDFile"});
    EXPECT_EQ(PD.Text, "\tARM||App Root");
    ClickRow(Main, PD, colCaption);
    PostMessageA(WaitEditor(Main, "ComboBox"), WM_KEYDOWN, VK_DOWN, 0);
    WaitItem(Main, {"CFxProp_PDFile", PD.Name, "\tMIPS||App Root"});
    // The destination half of the value cell opens the destination list.
    ClickRow(Main, RowItem(Main, {"CFxProp_PDFile", PD.Name}), colValue);
    PhotographWindow(Main, ScreenshotPath("castbuild_device_file_row.png"));
    ClickRow(Main, RowItem(Main, {"CFxProp_PDFile", PD.Name}), colLeft);
    WaitFor([&] { return FindItem(ReadTexts(Main), {"CFxProp_PDFile"}) == nullptr; }, DriverWaitMs,
            "the file row to go");

    // A colour-dependent file.
    AddInstallation(P, Main, "0", PlatformPalm);
    WaitItem(Main, {"TTreeNode", "0/2", "New Installation"});
    CloseBasic(Main);
    const TTextItem Colors = RowItem(Main, {"CFxProp_GroupPropCrea", "", "Color Dependent Files\tClick to add new"});
    ClickRow(Main, Colors, colValue);
    ClickRow(Main, Colors, colValue);
    const TTextItem CD = RowItem(Main, {"CFxProp_CDFile"});
    EXPECT_EQ(CD.Text, "\tcolors 2|");
    ClickRow(Main, CD, colCaption);
    PostMessageA(WaitEditor(Main, "ComboBox"), WM_KEYDOWN, VK_DOWN, 0);
    WaitItem(Main, {"CFxProp_CDFile", CD.Name, "\tcolors 4|"});
    Quit(P, Main);
}

TEST_F(CastbuildApps, AStatusMessageLeadsToItsItemAndRow)
{
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    const HWND Main = WaitMainWindow(P);
    WaitItem(Main, {"TTreeNode", "0", "Installations"});
    EXPECT_EQ(PageRows(ReadTexts(Main), "ppStatus"),
              (std::vector<std::string>{"CFxProp_Group Project information :\tProject information :",
                                        "CFxProp_Group Critical\tCritical",
                                        "CFxProp_Action Add at least one installation\tClick to add"}));
    // The action adds an installation, which rebuilds the page of the clicked row.
    ClickRow(Main, RowItem(Main, {"CFxProp_Action", "", "Add at least one installation\tClick to add"}), colCaption);
    AnswerPlatform(P, PlatformPC);
    WaitItem(Main, {"TTreeNode", "0/0", "New Installation"});
    WaitItem(Main, {"CFxProp_Action", "", "Installation Name=New Installation define Source Directory\tClick to define"});

    // With the root selected, the message selects the installation and opens its
    // source directory row: the directory chooser comes.
    SelectTreeItem(Main, "0");
    ClickRow(Main, RowItem(Main, {"CFxProp_Action", "", "Installation Name=New Installation define Source Directory\tClick to define"}),
             colValue);
    const HWND Chooser = WaitTopWindow(P.Id(), {"", "Select directory"});
    EXPECT_TRUE(TreeItem(ReadTexts(Main), "0/0").Focused);
    PostClose(Chooser);
    WaitWindowGone(Chooser);
    Quit(P, Main);
}

TEST_F(CastbuildApps, AProjectMadeThroughTheWindowsSavesTheSameBytesWhenReopened)
{
    const std::string File = Dir + "\\made by hand.bxp";
    {
        TDrivenProcess P = StartBuilder(ProgramDir, {});
        const HWND Main = WaitMainWindow(P);
        WaitItem(Main, {"TTreeNode", "0", "Installations"});
        ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "but_NewGroup"}));
        WaitItem(Main, {"TTreeNode", "0/0", "New Group"});
        AddInstallation(P, Main, "0/0", PlatformPC);
        WaitItem(Main, {"TTreeNode", "0/0/0", "New Installation"});
        ClickRow(Main, RowItem(Main, {"CFxProp_Edit", "App name"}), colValue);
        HWND Edit = WaitEditor(Main, "Edit");
        SetEditText(Edit, "Editor, with a comma");
        PostKey(Edit, VK_RETURN);
        WaitItem(Main, {"TTreeNode", "0/0/0", "Editor, with a comma"});
        CloseBasic(Main);
        const TTextItem Shortcuts = RowItem(Main, {"CFxProp_GroupPropCrea", "", "Shortcuts\tClick to add new"});
        ClickRow(Main, Shortcuts, colValue);
        ClickRow(Main, Shortcuts, colValue);
        ClickRow(Main, RowItem(Main, {"CFxProp_SCut"}), colCaption);
        Edit = WaitEditor(Main, "Edit");
        SetEditText(Edit, "Start it");
        PostKey(Edit, VK_RETURN);
        WaitItem(Main, {"CFxProp_SCut", "", "\tStart it||||"});
        AddInstallation(P, Main, "0", PlatformPalm);
        WaitItem(Main, {"TTreeNode", "0/1", "New Installation"});

        PressKeys(Main, {VK_CONTROL, 'S'});
        const HWND Save = WaitTopWindow(P.Id(), {"#32770"});
        AnswerFileDialog(Save, File);
        WaitMainWindow(P, "made by hand.bxp");
        PostClose(Main);
        EXPECT_EQ(P.WaitExit(), 0u);
    }
    const std::string First = ReadWholeFile(File);
    ASSERT_FALSE(First.empty());
    {
        TDrivenProcess P = StartBuilder(ProgramDir, {File});
        const HWND Main = WaitMainWindow(P, "made by hand.bxp");
        WaitItem(Main, {"TTreeNode", "0/0/0", "Editor, with a comma", false});
        EXPECT_EQ(TreeTexts(ReadTexts(Main)),
                  (std::vector<std::string>{"0=Installations", "0/0=New Group", "0/0/0=Editor, with a comma",
                                            "0/1=New Installation"}));
        // The root and the group opened from the keyboard.
        const HWND Tree =
            reinterpret_cast<HWND>(static_cast<std::uintptr_t>(ItemOf(ReadTexts(Main), {"TTreeView", "tView"}).Window));
        SelectTreeItem(Main, "0");
        PostKey(Tree, VK_RIGHT);
        SelectTreeItem(Main, "0/0");
        PostKey(Tree, VK_RIGHT);
        WaitItem(Main, {"TTreeNode", "0/0/0", "Editor, with a comma"});
        SelectTreeItem(Main, "0/0/0");
        CloseBasic(Main);
        const TTextItem Shortcuts = RowItem(Main, {"CFxProp_GroupPropCrea", "", "Shortcuts\tClick to add new"});
        ClickRow(Main, Shortcuts, colValue);
        WaitItem(Main, {"CFxProp_SCut", "", "\tStart it||||"});
        // A change and its undoing: the project is modified, its tables as loaded.
        ClickRow(Main, RowItem(Main, {"CFxProp_SCut"}), colCaption);
        HWND Edit = WaitEditor(Main, "Edit");
        SetEditText(Edit, "Other");
        PostKey(Edit, VK_RETURN);
        WaitItem(Main, {"CFxProp_SCut", "", "\tOther||||"});
        ClickRow(Main, RowItem(Main, {"CFxProp_SCut"}), colCaption);
        Edit = WaitEditor(Main, "Edit");
        SetEditText(Edit, "Start it");
        PostKey(Edit, VK_RETURN);
        WaitItem(Main, {"CFxProp_SCut", "", "\tStart it||||"});
        // Gone, so that only the save can bring the file back.
        ASSERT_TRUE(DeleteFileA(File.c_str()));
        PressKeys(Main, {VK_CONTROL, 'S'});
        WaitFor([&] { return LocalFileSystem().FileExists(File); }, DriverWaitMs, "the project saved again");
        WaitPainted(Main);
        PostClose(Main);
        EXPECT_EQ(P.WaitExit(), 0u);
    }
    EXPECT_EQ(ReadWholeFile(File), First);
}

} // namespace
