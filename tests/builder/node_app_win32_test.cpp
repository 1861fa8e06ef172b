// The installation node on real property pages under Wine: the page of each
// platform, edits written back, the platform sections' list rows, the device file
// rows, the node commands, and the status page with its help actions. Linked with
// poisoned frees, so a use after free crashes.
#include "builder_fakes.h"
#include "node_fakes.h"

#include "color_scheme.h"
#include "device_file_logic.h"
#include "device_file_rows.h"
#include "gui_support.h"
#include "help_action.h"
#include "node_app.h"
#include "prop_editor_rows.h"
#include "prop_page.h"
#include "status_page.h"
#include "ui_common_dialogs.h"
#include "ui_form.h"

#include <memory>

namespace {

// The fake window with real installation nodes, its status refreshes counted.
class TAppNodeForm : public TFakeNodeForm {
public:
    using TFakeNodeForm::TFakeNodeForm;
    CNode_b* NewAppNode(CNode_Group& Group, std::int32_t Platform) override
    {
        return new CNode_App(*this, Group, Platform);
    }
    void UpdateStatusPage() override
    {
        ++StatusRefreshes;
        if (OnStatus)
            OnStatus();
    }
    int StatusRefreshes = 0;
    std::function<void()> OnStatus;
};

// A row as "caption=value" with its kind, depth first from Row's children.
void Describe(const CFxProp_b& Row, int Depth, std::vector<std::string>& Out)
{
    for (const auto& C : Row.Children) {
        std::string Kind = "row";
        if (dynamic_cast<const CFxProp_Group*>(C.get()))
            Kind = "group";
        else if (dynamic_cast<const CFxProp_GroupPropCrea*>(C.get()))
            Kind = "creator";
        else if (dynamic_cast<const CFxProp_CheckBox*>(C.get()))
            Kind = "check";
        else if (dynamic_cast<const CFxProp_CBox*>(C.get()))
            Kind = "cbox";
        else if (dynamic_cast<const CFxProp_Edit*>(C.get()))
            Kind = "edit";
        else if (dynamic_cast<const CFxProp_SCut*>(C.get()))
            Kind = "scut";
        else if (dynamic_cast<const CFxProp_PDFile*>(C.get()))
            Kind = "pdfile";
        else if (dynamic_cast<const CFxProp_CDFile*>(C.get()))
            Kind = "cdfile";
        Out.push_back(std::string(static_cast<std::size_t>(Depth) * 2, ' ') + Kind + " " + C->Caption + "=" +
                      C->Value);
        Describe(*C, Depth + 1, Out);
    }
}

std::vector<std::string> Section(CFxPropPageLogic& Page)
{
    std::vector<std::string> Out;
    if (CFxProp_b* S = Page.FindItem("G_ODEP"))
        Describe(*S, 0, Out);
    return Out;
}

CFxProp_b* Child(CFxProp_b* Parent, const std::string& Caption)
{
    for (const auto& C : Parent->Children)
        if (C->Caption == Caption)
            return C.get();
    return nullptr;
}

// The black and the white pixels of a client rectangle of Window, out of all of them.
struct TInk {
    int Black = 0, White = 0, Area = 0;
};

TInk InkOf(const TScreenshot& Shot, HWND Window, const TRect& R)
{
    TInk Ink;
    const POINT Origin = ShotPoint(Window, 0, 0);
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X) {
            const std::uint32_t Pixel = Shot.PixelRGB(Origin.x + X, Origin.y + Y);
            Ink.Black += Pixel == 0;
            Ink.White += Pixel == 0xFFFFFFu;
            ++Ink.Area;
        }
    return Ink;
}

class NodeAppTest : public TBuilderTest {
protected:
    std::unique_ptr<CCastamer> B;
    std::unique_ptr<TForm> Window;
    CFxPropPage* Item = nullptr;
    CFxPropPage* View = nullptr;
    CFxPropPage* Status = nullptr;
    std::unique_ptr<TAppNodeForm> Form;
    CNode_Group* Root = nullptr;
    CNode_Group* Group = nullptr;

    void SetUp() override
    {
        TBuilderTest::SetUp();
        B = MakeBuilder();
        Window = std::make_unique<TForm>(nullptr);
        Window->SetCaption("Installation page");
        Window->SetBounds(30, 30, 810, 700);
        Window->SetColor(PaletteColor1);
        for (CFxPropPage** P : {&Item, &View}) {
            *P = new CFxPropPage(Window.get());
            (*P)->SetParent(Window.get());
            (*P)->SetBounds(8, 8, 425, 440);
            (*P)->SetPageColor(PaletteColor1);
            (*P)->SetColorCaption(PaletteColor5);
            (*P)->SetColorFrame(PaletteTextColor);
            (*P)->SetUseHelpBox(true);
            (*P)->SetHeight_HB(80);
            (*P)->SetPVwidth(0.33);
            (*P)->EEBC = bvLowered;
        }
        View->SetVisible(false);
        Status = new CFxPropPage(Window.get());
        Status->SetParent(Window.get());
        Status->SetBounds(8, 455, 778, 200);
        Status->SetPageColor(PaletteColor1);
        Status->SetPageCaption("Project information :");
        Status->SetPVwidth(0.85);
        Status->SetUseHelpBox(true);
        Status->SetHeight_HB(28);
        Form = std::make_unique<TAppNodeForm>(*B, *Item, *View);
        // As the main window forwards the item page's changes.
        Item->OnPropChange = [this](TObject* S) {
            ++Changes;
            if (CNode_b* N = Form->CurrentNode())
                N->PropChanged(static_cast<CFxProp_b*>(S));
        };
        Root = CNode_Group::CreateRoot(*Form);
        Form->Tree().SetItemText(Root->TreeNode, "Installations");
        Root->DoAction(NodeAddGroup);
        Group = static_cast<CNode_Group*>(Form->CurrentNode());
        Window->Show();
        B->Modified = false;
    }
    void TearDown() override
    {
        ClearNodeList(*Form);
        Form.reset();
        Window.reset();
        ResetChoosers();
    }

    CNode_App* AddApp(CNode_Group& To, std::int32_t Platform)
    {
        Form->PlatformAnswer = Platform;
        To.DoAction(NodeAddApp);
        return dynamic_cast<CNode_App*>(Form->CurrentNode());
    }

    // A click through the page's window at the middle of a row's column (1 left, 3
    // caption, 4 value), or at X within the line.
    void Click(CFxPropPage& Page, CFxProp_b* Row, int Column, int X = -1)
    {
        ASSERT_NE(Row, nullptr);
        Page.ShowItem(Row, false);
        // A click on the top line of a scrolled page scrolls it: the row goes one down.
        if (Page.TopIndex() > 0 && Page.PageScrollBar())
            Page.PageScrollBar()->SetPosition(Page.PageScrollBar()->Position() - 1);
        PaintNow(Page.Handle());
        const TPropLineRects R = Page.LineRects(Page.IndexOfItem(Row) - Page.TopIndex());
        const TRect& Cell = Column == 1 ? R.Left : Column == 3 ? R.Caption : R.Value;
        const int CX = X >= 0 ? X : (Cell.Left + Cell.Right) / 2, CY = (Cell.Top + Cell.Bottom) / 2;
        SendMessageA(Page.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(CX, CY));
        SendMessageA(Page.Handle(), WM_LBUTTONUP, 0, PointParam(CX, CY));
        PumpMessages(2);
    }

    // A row's new value as its editor gives it.
    void Edit(const std::string& Key, const std::string& Value)
    {
        CFxProp_b* Row = Item->FindItem(Key);
        ASSERT_NE(Row, nullptr) << Key;
        Row->SetValue(Value);
        Row->Changed();
    }

    int Changes = 0;
};

TEST_F(NodeAppTest, AnInstallationAddedToAGroupIsItsLastChildWithItsPlatform)
{
    AddApp(*Group, 2);
    CNode_App* Node = AddApp(*Group, 1);
    ASSERT_NE(Node, nullptr);
    EXPECT_EQ(Form->FakeTree().ChildTexts(Group->TreeNode),
              (std::vector<std::string>{"New Installation", "New Installation"}));
    EXPECT_EQ(Group->TreeNode->Children.back(), Node->TreeNode);
    EXPECT_EQ(Node->TreeNode->Image, 12);
    EXPECT_EQ(Form->Tree().Selected(), Node->TreeNode);
    EXPECT_EQ(Node->App->Props.Lookup("DID"), "1");
    EXPECT_EQ(Node->App->GetGroupID(), Group->GID);
    EXPECT_EQ(Node->App->GetAppName(), "New Installation");
    EXPECT_EQ(B->Apps().back().get(), Node->App);
    EXPECT_TRUE(B->Modified);
    EXPECT_EQ(Item->PageCaption(), "Installation parameters:");
    EXPECT_EQ(Item->Root()->Children.at(0)->Caption, "Destination Platform: ");
    EXPECT_EQ(Item->Root()->Children.at(0)->Value, "Pocket PC 2000/2002 (Window CE)");
    EXPECT_EQ(Item->Root()->Children.at(0)->BackColor, 0u);
    EXPECT_EQ(Item->Root()->Children.at(0)->TextColor, 0xFFFFFFu);
    EXPECT_EQ(Form->Buttons, (std::vector<bool>{false, true, true}));

    CNode_App* UnderRoot = AddApp(*Root, 0);
    EXPECT_EQ(UnderRoot->App->GetGroupID(), "RootGID");
    EXPECT_EQ(UnderRoot->TreeNode->Parent, Root->TreeNode);
}

TEST_F(NodeAppTest, EachPlatformShowsItsSection)
{
    const struct {
        std::int32_t Platform;
        const char* Shot;
        std::vector<std::string> Rows;
    } Cases[] = {
        {2,
         "installation_page_pc.png",
         {"creator Shortcuts=Click to add new", "cbox Default InstDir=$(Program Files)/$(Company)/$(Name)"}},
        {1,
         "installation_page_pocketpc.png",
         {"check Create Cabs=false", "edit ActiveSync Description=", "cbox Default InstDir=$(Program Files)/$(Company)/$(Name)",
          "cbox Cab File[ARM]=", "cbox Cab File[MIPS]=", "cbox Cab File[SH3]="}},
        {0, "installation_page_palm.png", {"creator Color Dependent Files=Click to add new"}},
    };
    for (const auto& C : Cases) {
        CNode_App* Node = AddApp(*Group, C.Platform);
        ASSERT_NE(Node, nullptr);
        EXPECT_EQ(Section(*Item), C.Rows) << C.Platform;
        // The platform line as painted: white text on black across both cells.
        CFxProp_b* Platform = Item->Root()->Children.at(0).get();
        Item->ShowItem(Platform, false);
        PaintNow(Item->Handle());
        const TPropLineRects Line = Item->LineRects(Item->IndexOfItem(Platform) - Item->TopIndex());
        const TInk Ink = InkOf(CaptureWindow(Item->Handle()), Item->Handle(),
                               TRect{Line.Caption.Left, Line.Caption.Top, Line.Value.Right, Line.Value.Bottom});
        EXPECT_GT(Ink.Black, Ink.Area / 2) << C.Platform;
        EXPECT_GT(Ink.White, 0) << C.Platform;
        // Opened, so that the section's rows are in the picture.
        for (const auto& R : Item->FindItem("G_ODEP")->Children)
            if (R->IsGroup)
                R->SetExpanded(true);
        Item->ShowItem(Item->FindItem("G_ODEP"), false);
        Photograph(Window->Handle(), C.Shot);
    }
    if (CNode_App* Odd = AddApp(*Group, 2)) {
        Odd->App->Props.Add("DID", "PC");
        Form->Tree().Select(Group->TreeNode);
        Form->Tree().Select(Odd->TreeNode);
        EXPECT_EQ(Item->Root()->Children.at(0)->Value, "unknown");
        EXPECT_TRUE(Section(*Item).empty());
    }
}

TEST_F(NodeAppTest, AnOpenedItemsRowsAreThoseOfItsTables)
{
    CNode_App* Node = AddApp(*Group, 2);
    Node->App->Props.Add("App name", "Editor");
    Node->App->Props.Add("InDir", "C:\\src");
    Node->App->Shortcuts.Add("k1", "Run|SCut to file|C:\\src\\run.exe|Desktop|");
    Node->App->Shortcuts.Add("k2", "Run|SCut to uninstall|||");
    Form->Tree().Select(Group->TreeNode);
    Remembered.Add("hk_AppInF", "C:\\elsewhere");
    Form->Tree().Select(Node->TreeNode);
    EXPECT_EQ(Item->FindItem("App name")->Value, "Editor");
    EXPECT_EQ(Remembered.Lookup("hk_AppInF"), "C:\\src");
    CFxProp_b* Shortcuts = Child(Item->FindItem("G_ODEP"), "Shortcuts");
    ASSERT_EQ(Shortcuts->Children.size(), 2u);
    auto* Row = dynamic_cast<CFxProp_SCut*>(Shortcuts->Children[1].get());
    ASSERT_NE(Row, nullptr);
    EXPECT_EQ(Row->Key, "k2");
    EXPECT_EQ(Row->Hash, &Node->App->Shortcuts);
    EXPECT_EQ(Row->HKey_DirFile, "hk_AppInF");
    EXPECT_EQ(Row->DeviceMode, -1);
    EXPECT_NE(Row->Scheme, nullptr);
    auto* Dir = dynamic_cast<CFxProp_CBox*>(Item->FindItem("DefInstDir"));
    ASSERT_NE(Dir, nullptr);
    EXPECT_EQ(Dir->GetItems().size(), 4u);
    EXPECT_EQ(Dir->Combo->Style(), csDropDown);
    auto* Link = dynamic_cast<CFxProp_Edit*>(Item->FindItem("Web Link"));
    ASSERT_NE(Link, nullptr);
    EXPECT_TRUE(Link->AllowedChars.test(':'));
    EXPECT_EQ(Link->HelpText, "Link Name;URL (E.g. Brindlo;http://www.example.com)");
    EXPECT_EQ(dynamic_cast<CFxProp_Edit*>(Item->FindItem("ScreenShot"))->DlgStyle, DLG_Picture);
    EXPECT_FALSE(Item->FindItem("G_ODEP")->Parent->AllowClose);
    EXPECT_EQ(Item->FindItem("G_ODEP")->Parent->BackColor, Item->Root()->BackColor);
}

TEST_F(NodeAppTest, EditsGoIntoTheInstallationsTables)
{
    CNode_App* Node = AddApp(*Group, 2);
    B->Modified = false;
    const struct {
        const char* Key;
        const char* Value;
    } Cases[] = {{"Desc Left", "40"}, {"Desc Top", "41"}, {"SShot Left", "42"}, {"SShot Top", "43"},
                 {"DefInstDir", "D:\\Tools"}, {"BDate", "10.12.2026"}, {"Web Link", "Brindlo;http://www.example.com"}};
    for (const auto& C : Cases) {
        Edit(C.Key, C.Value);
        EXPECT_EQ(Node->App->Props.Lookup(C.Key), C.Value) << C.Key;
    }
    EXPECT_TRUE(B->Modified);
    Edit("App name", "Editor");
    EXPECT_EQ(Node->TreeNode->Text, "Editor");
    Edit("InDir", "C:\\src");
    EXPECT_EQ(Remembered.Lookup("hk_AppInF"), "C:\\src");

    std::string NewText = "Viewer";
    B->Modified = false;
    Node->Rename(NewText);
    EXPECT_EQ(Node->App->GetAppName(), "Viewer");
    EXPECT_EQ(Item->FindItem("App name")->Value, "Viewer");
    EXPECT_TRUE(B->Modified);
}

TEST_F(NodeAppTest, CreateCabsRebuildsThePocketPCRowsAndTheTablesKeepTheirEntries)
{
    CNode_App* Node = AddApp(*Group, 1);
    Node->App->PDFiles.Add("p1", "MIPS|C:\\src\\m.dll|Win Root");
    Edit("PPC_ICabFARM", "arm.cab");
    CFxProp_b* Create = Item->FindItem("PPC_IsCC");
    Click(*Item, Create, 4);
    EXPECT_EQ(Node->App->PocketPC.Lookup("PPC_IsCC"), "true");
    EXPECT_EQ(Section(*Item),
              (std::vector<std::string>{"check Create Cabs=true", "edit ActiveSync Description=",
                                        "cbox Default InstDir=$(Program Files)/$(Company)/$(Name)",
                                        "check Build ARM=true", "check Build MIPS=true", "check Build SH3=true",
                                        "creator Proc.Dep.Files=Click to add new one",
                                        "  pdfile =MIPS|C:\\src\\m.dll|Win Root",
                                        "creator Shortcuts=Click to add new"}));
    EXPECT_EQ(Item->FindItem("p1")->Hash, &Node->App->PDFiles);
    Click(*Item, Item->FindItem("PPC_IsCC"), 4);
    EXPECT_EQ(Node->App->PocketPC.Lookup("PPC_IsCC"), "false");
    EXPECT_EQ(Item->FindItem("PPC_ICabFARM")->Value, "arm.cab");
    EXPECT_EQ(Item->FindItem("p1"), nullptr);
    EXPECT_EQ(Node->App->PDFiles.Lookup("p1"), "MIPS|C:\\src\\m.dll|Win Root");
    auto* Dir = dynamic_cast<CFxProp_CBox*>(Item->FindItem("DefInstDir"));
    EXPECT_EQ(Dir->Combo->Style(), csDropDownList);
}

TEST_F(NodeAppTest, CabListsOfferTheSourceDirectorysCabFiles)
{
    FS.ForceDirectories("C:\\src");
    for (const char* Name : {"C:\\src\\a.cab", "C:\\src\\b.cab", "C:\\src\\readme.txt"})
        FS.Create(Name);
    CNode_App* Node = AddApp(*Group, 1);
    auto* Arm = dynamic_cast<CFxProp_CBox*>(Item->FindItem("PPC_ICabFARM"));
    ASSERT_NE(Arm, nullptr);
    Edit("InDir", "C:\\src");
    Click(*Item, Arm, 4);
    TArrayOfString Names = Arm->GetItems();
    std::sort(Names.begin(), Names.end());
    EXPECT_EQ(Names, (TArrayOfString{"a.cab", "b.cab"}));
    Item->EndEdit(nullptr);
    Node->App->Props.Add("InDir", "C:\\missing");
    Click(*Item, Arm, 4);
    EXPECT_TRUE(Arm->GetItems().empty());
}

TEST_F(NodeAppTest, ShortcutRowsAreAddedWrittenOnTheirFirstChangeAndDeleted)
{
    CNode_App* Node = AddApp(*Group, 2);
    Edit("App name", "Editor");
    B->Modified = false;
    CFxProp_b* Creator = Child(Item->FindItem("G_ODEP"), "Shortcuts");
    // Brought into view, the creator is open: each click adds a row.
    Click(*Item, Creator, 4);
    Click(*Item, Creator, 4);
    ASSERT_EQ(Creator->Children.size(), 2u);
    auto* Row = dynamic_cast<CFxProp_SCut*>(Creator->Children[0].get());
    ASSERT_NE(Row, nullptr);
    EXPECT_EQ(Row->Value, "Editor||||");
    EXPECT_EQ(Row->Key.find_first_of(" ./:_"), std::string::npos);
    EXPECT_FALSE(Row->Key.empty());
    EXPECT_NE(Row->Key, Creator->Children[1]->Key);
    EXPECT_EQ(Row->Hash, &Node->App->Shortcuts);
    EXPECT_EQ(Row->HKey_DirFile, "hk_AppInF");
    EXPECT_EQ(Node->App->Shortcuts.Count(), 0);
    EXPECT_TRUE(B->Modified);

    Row->SetValue("Editor|SCut to file|C:\\src\\e.exe|Desktop|");
    Row->Changed();
    EXPECT_EQ(Node->App->Shortcuts.Lookup(Row->Key), "Editor|SCut to file|C:\\src\\e.exe|Desktop|");
    const std::string Key = Row->Key;
    B->Modified = false;
    const int Refreshes = Form->StatusRefreshes;
    Click(*Item, Row, 1);
    EXPECT_EQ(Node->App->Shortcuts.IndexOfKey(Key), -1);
    EXPECT_TRUE(B->Modified);
    EXPECT_EQ(Form->StatusRefreshes, Refreshes + 1);
    EXPECT_EQ(Creator->Children.size(), 1u);

    // The row never written is gone once the page is built again.
    Form->Tree().Select(Group->TreeNode);
    Form->Tree().Select(Node->TreeNode);
    EXPECT_TRUE(Child(Item->FindItem("G_ODEP"), "Shortcuts")->Children.empty());

    Node->App->Props.Add("DID", "1");
    Node->App->PocketPC.Add("PPC_IsCC", "true");
    Form->Tree().Select(Group->TreeNode);
    Form->Tree().Select(Node->TreeNode);
    Creator = Child(Item->FindItem("G_ODEP"), "Shortcuts");
    Click(*Item, Creator, 4);
    auto* PPC = dynamic_cast<CFxProp_SCut*>(Creator->Children.at(0).get());
    ASSERT_NE(PPC, nullptr);
    EXPECT_EQ(PPC->Value, "Editor|SCut to file||Start Menu|");
    EXPECT_EQ(PPC->DeviceMode, 1);
}

TEST_F(NodeAppTest, DeviceFileRows)
{
    CNode_App* Node = AddApp(*Group, 1);
    Node->App->PocketPC.Add("PPC_IsCC", "true");
    Form->Tree().Select(Group->TreeNode);
    Form->Tree().Select(Node->TreeNode);
    CFxProp_b* Files = Child(Item->FindItem("G_ODEP"), "Proc.Dep.Files");
    Click(*Item, Files, 4);
    auto* PD = dynamic_cast<CFxProp_PDFile*>(Files->Children.at(0).get());
    ASSERT_NE(PD, nullptr);
    EXPECT_EQ(PD->Value, "ARM||App Root");
    EXPECT_EQ(PD->Hash, &Node->App->PDFiles);
    EXPECT_EQ(PD->HKey_DirFile, "hk_AppInF");

    // The processor list over the caption cell: only the first field changes.
    Click(*Item, PD, 3);
    EXPECT_TRUE(PD->CpuCombo->Visible());
    EXPECT_EQ(PD->CpuCombo->ItemIndex(), 0);
    PD->CpuCombo->SetItemIndex(1);
    PD->CpuChange(PD->CpuCombo.get());
    EXPECT_EQ(PD->Value, "MIPS||App Root");
    EXPECT_EQ(Node->App->PDFiles.Lookup(PD->Key), "MIPS||App Root");
    Item->EndEdit(nullptr);
    EXPECT_FALSE(PD->CpuCombo->Visible());

    // The middle of the value cell opens the destination list, left of it the chooser.
    PD->SetValue("SH3");
    Item->ShowItem(PD, false);
    PaintNow(Item->Handle());
    const int Middle = DeviceValueMiddle(PD->ValueRect.Left, PD->ValueRect.Right);
    Click(*Item, PD, 4, Middle);
    EXPECT_TRUE(PD->DestCombo->Visible());
    EXPECT_EQ(PD->DestCombo->ItemIndex(), -1);
    PD->DestCombo->SetItemIndex(1);
    PD->DestChange(PD->DestCombo.get());
    EXPECT_EQ(PD->Value, "SH3||Win Root");
    Item->EndEdit(nullptr);
    int Dialogs = 0;
    {
        const TModalScript Script([&Dialogs](HWND W) {
            ++Dialogs;
            PostMessageA(W, WM_COMMAND, IDCANCEL, 0);
        });
        Remembered.Add("hk_AppInF", ScratchDir());
        Click(*Item, PD, 4, Middle - 1);
    }
    EXPECT_EQ(Dialogs, 1);
    EXPECT_EQ(PD->Value, "SH3||Win Root");
    EXPECT_FALSE(PD->FileEdit->Visible());

    const std::string Key = PD->Key;
    Click(*Item, PD, 1);
    EXPECT_EQ(Node->App->PDFiles.IndexOfKey(Key), -1);

    CNode_App* Palm = AddApp(*Group, 0);
    CFxProp_b* Colors = Child(Item->FindItem("G_ODEP"), "Color Dependent Files");
    Click(*Item, Colors, 4);
    auto* CD = dynamic_cast<CFxProp_CDFile*>(Colors->Children.at(0).get());
    ASSERT_NE(CD, nullptr);
    EXPECT_EQ(CD->Value, "colors 2|");
    EXPECT_EQ(CD->IconIndex, 16);
    Click(*Item, CD, 3);
    CD->ColorsCombo->SetItemIndex(5);
    CD->ColorsChange(CD->ColorsCombo.get());
    EXPECT_EQ(Palm->App->CDFiles.Lookup(CD->Key), "colors 64k|");
    Item->EndEdit(nullptr);
    Photograph(Window->Handle(), "device_file_rows.png");
}

TEST_F(NodeAppTest, InsertOnAnInstallationAddsToTheSameGroupAndDeleteTakesItOut)
{
    CNode_App* First = AddApp(*Group, 2);
    First->DoAction(NodeShiftInsert);
    First = dynamic_cast<CNode_App*>(NodeList[NodeList.Count() - 2]);
    First->DoAction(NodeInsert);
    EXPECT_EQ(Form->FakeTree().ChildTexts(Group->TreeNode).size(), 3u);
    EXPECT_EQ(Form->PlatformQuestions, 3);
    CNode_App* UnderRoot = AddApp(*Root, 2);
    UnderRoot->DoAction(NodeShiftInsert);
    EXPECT_EQ(Root->TreeNode->Children.size(), 3u); // the group and two installations

    // Deleted: the installation is gone before the selection moves on.
    const std::string GroupEntry = B->Groups.Lookup(Group->GID);
    std::vector<std::size_t> AppsAtSelection;
    const auto Change = Form->FakeTree().OnChange;
    Form->FakeTree().OnChange = [&](TTreeItem I) {
        AppsAtSelection.push_back(B->Apps().size());
        Change(I);
    };
    Form->Tree().Select(First->TreeNode);
    AppsAtSelection.clear();
    const std::size_t Before = B->Apps().size();
    CCst_App* Gone = First->App;
    B->Modified = false;
    First->DoAction(NodeDeleteSelected);
    EXPECT_EQ(B->Apps().size(), Before - 1);
    for (const auto& A : B->Apps())
        EXPECT_NE(A.get(), Gone);
    EXPECT_EQ(AppsAtSelection, std::vector<std::size_t>{Before - 1});
    EXPECT_EQ(Form->FakeTree().ChildTexts(Group->TreeNode).size(), 2u);
    EXPECT_EQ(B->Groups.Lookup(Group->GID), GroupEntry);
    EXPECT_TRUE(B->Modified);
    EXPECT_NE(Form->Tree().Selected(), nullptr);
    EXPECT_EQ(FindAppNode(Gone), nullptr);
    Form->FakeTree().OnChange = Change;
}

TEST_F(NodeAppTest, ALoadedInstallationOfAMissingGroupGoesUnderTheRootAndMarksTheProject)
{
    CCst_App* App = B->AddApp();
    App->Props.Add("App name", "Lost");
    App->SetGroupID("no such group");
    B->Modified = false;
    CNode_App* Node = CNode_App::CreateLoaded(*Form, *Root, *App);
    EXPECT_EQ(Node->TreeNode->Text, "Lost");
    EXPECT_EQ(App->GetGroupID(), "RootGID");
    EXPECT_TRUE(B->Modified);
    EXPECT_EQ(FindAppNode(App), Node);

    CCst_App* Kept = B->AddApp();
    Kept->SetGroupID(Group->GID);
    B->Modified = false;
    CNode_App::CreateLoaded(*Form, *Group, *Kept);
    EXPECT_FALSE(B->Modified);
}

// The help actions' navigation over the fake window, as the main window does it.
class TNodeNavigator : public IHelpNavigator {
public:
    TNodeNavigator(TAppNodeForm& AForm, std::function<void()> AAdd) : Form(AForm), Add(std::move(AAdd)) {}
    bool SelectGroupNode(const std::string&, bool&) override { return false; }
    bool SelectAppNode(const CCst_App* App) override
    {
        CNode_App* N = FindAppNode(App);
        if (N)
            Form.Tree().Select(N->TreeNode);
        return N != nullptr;
    }
    void SelectRootNode() override { Form.Tree().Select(Form.Tree().FirstItem()); }
    void OpenRow(TPage, const std::string& Key) override
    {
        Opened.push_back(Key);
        if (CFxProp_b* Row = Form.ItemPage().FindItem(Key))
            Form.ItemPage().ShowItem(Row, false);
    }
    void AddInstallationClick() override { Add(); }
    TAppNodeForm& Form;
    std::function<void()> Add;
    std::vector<std::string> Opened;
};

TEST_F(NodeAppTest, StatusMessagesUnderTheirHeadingsSelectTheirItems)
{
    TFMainStatusPage Page(*Status, B->HelpActions);
    auto Refresh = [&] { RefreshStatusPage(*B, Page, nullptr); };
    TNodeNavigator Nav(*Form, [&] {
        Form->Tree().Select(Root->TreeNode);
        Root->DoAction(NodeAddApp);
        Refresh();
    });
    B->AttachNavigator(&Nav);
    Form->OnStatus = Refresh;

    // A new project: one critical message; its click adds an installation and
    // rebuilds the page under it (poisoned frees catch a use of the freed row).
    Refresh();
    ASSERT_EQ(Status->Root()->Children.size(), 1u);
    CFxProp_b* Critical = Status->Root()->Children[0].get();
    EXPECT_EQ(Critical->Caption, "Critical");
    EXPECT_EQ(Critical->IconIndex, 13);
    ASSERT_EQ(Critical->Children.size(), 1u);
    CFxProp_b* OneApp = Critical->Children[0].get();
    EXPECT_EQ(OneApp->Caption, "Add at least one installation");
    EXPECT_EQ(OneApp->Value, "Click to add");
    Form->PlatformAnswer = 2;
    Click(*Status, OneApp, 3);
    PumpMessages(5);
    ASSERT_EQ(B->Apps().size(), 1u);
    CCst_App* App = B->Apps()[0].get();
    ASSERT_EQ(Status->Root()->Children.size(), 1u);
    EXPECT_EQ(Status->Root()->Children[0]->Children.at(0)->Caption,
              "Installation Name=New Installation define Source Directory");
    EXPECT_EQ(B->HelpActions.RetiredCount(), 0u);

    // A faulty shortcut: its message opens exactly its row.
    FS.ForceDirectories("C:\\src");
    App->Props.Add("InDir", "C:\\src");
    App->Shortcuts.Add("s1", "Run|SCut to file|C:\\src\\run.exe|Desktop|");
    App->Shortcuts.Add("s2", "Run|SCut to file|D:\\other\\run.exe|Desktop|");
    Form->Tree().Select(Root->TreeNode);
    Refresh();
    ASSERT_EQ(Status->Root()->Children.size(), 1u);
    CFxProp_b* Miss = Status->Root()->Children[0].get();
    EXPECT_EQ(Miss->Caption, "Missettings");
    EXPECT_EQ(Miss->IconIndex, 14);
    ASSERT_EQ(Miss->Children.size(), 1u);
    EXPECT_EQ(Miss->Children[0]->Caption, "App.Name=New Installation SC=Run ");
    Click(*Status, Miss->Children[0].get(), 4);
    EXPECT_EQ(Form->Tree().Selected(), FindAppNode(App)->TreeNode);
    EXPECT_EQ(Nav.Opened, std::vector<std::string>{"s2"});
    ASSERT_NE(Item->FindItem("s2"), nullptr);

    // All three headings, as the page shows them.
    TCheckLists Lists;
    AddCheckMessage(Lists, "Add at least one installation", "Click to add", -1, clCritical);
    AddCheckMessage(Lists, "Gruop[Games, Tools].Icon[C:\\art\\g.bmp] not found", "Click to define", -1,
                    clMissettings);
    AddCheckMessage(Lists, "Something else, with commas", "Click to define", -1, clOther);
    Page.BeginRebuild();
    for (const TStatusGroup& G : StatusGroups(Lists, B->HelpActions))
        Page.AddGroup(G);
    Page.EndRebuild();
    ASSERT_EQ(Status->Root()->Children.size(), 3u);
    EXPECT_EQ(Status->Root()->Children[2]->Caption, "Other possible errors");
    EXPECT_EQ(Status->Root()->Children[1]->Children.at(0)->Caption,
              "Gruop[Games, Tools].Icon[C:\\art\\g.bmp] not found");
    EXPECT_EQ(Status->Root()->Children[2]->Children.at(0)->BackColor, PaletteColor1);
    Photograph(Status->Handle(), "status_page_three_headings.png");
    B->AttachNavigator(nullptr);
    Form->OnStatus = nullptr;
}

} // namespace
