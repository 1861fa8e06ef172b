#include "f_main.h"

#include "choosers.h"
#include "color_scheme.h"
#include "command_line.h"
#include "data_bag.h"
#include "dialog_select_dir.h"
#include "platform_dialog.h"
#include "f_options.h"
#include "msg_dlg.h"
#include "node_group.h"
#include "settings_page.h"
#include "status_page.h"
#include "path_and_dir_helpers.h"
#include "ui_application.h"
#include "ui_bitmap.h"
#include "win32_handles.h"

#include <shellapi.h>

namespace {

constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;

CFxButton* MakeButton(TWinControl* Parent, const char* Name, const char* Caption, int Left, int Width, double ColCor)
{
    auto* B = new CFxButton(Parent);
    B->Name = Name;
    B->SetParent(Parent);
    B->SetBounds(Left, 0, Width, 25);
    B->SetCaption(Caption);
    B->SetColCor(ColCor);
    return B;
}

void SetPageLook(CFxPropPage& Page, const char* Caption, int Icon, int OpenIcon, double PVwidth, int HelpHeight,
                 TColor Sels, TBevelCut Bevel)
{
    Page.SetPageCaption(Caption);
    Page.SetUseIcons(true);
    Page.SetIconIndex(Icon);
    Page.SetIconOpenIndex(OpenIcon);
    Page.SetPVwidth(PVwidth);
    Page.SetUseHelpBox(true);
    Page.SetHeight_HB(HelpHeight);
    Page.SetColorCaption(clSilver);
    Page.ColorSels = Sels;
    Page.SetColorFrame(clInfoBk);
    Page.Font().SetColor(clInfoBk);
    Page.EEBC = Bevel;
}

// Counts a rebuild for its scope, so that a failure cannot leave the handlers mute.
class TRebuildScope {
public:
    explicit TRebuildScope(int& Counter) : FCounter(Counter) { ++FCounter; }
    ~TRebuildScope() { --FCounter; }
    TRebuildScope(const TRebuildScope&) = delete;
    TRebuildScope& operator=(const TRebuildScope&) = delete;

private:
    int& FCounter;
};

} // namespace

TFMain::TFMain(TComponent* AOwner) : TForm(AOwner)
{
    Name = "FMain";
    Position = poScreenCenter;
    BorderStyle = bsSizeable;
    MinWidth = 655;
    MinHeight = 435;
    KeyPreview = true;
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    SetClientSize(800, 600);

    upPanel = new TPanel(this);
    upPanel->Name = "upPanel";
    upPanel->SetParent(this);
    upPanel->Align = alTop;
    upPanel->SetBounds(0, 0, 800, 26);
    upPanel->BevelOuter = bvNone;
    but_NewGroup = MakeButton(upPanel, "but_NewGroup", "Add Group", 0, 75, -0.5);
    but_AppAdd = MakeButton(upPanel, "but_AppAdd", "Add Installation", 75, 86, -0.5);
    but_Delete = MakeButton(upPanel, "but_Delete", "Delete Selected", 165, 91, -0.5);
    butPreview = MakeButton(upPanel, "butPreview", "Preview", 624, 86, -0.5);
    butPreview->Anchors = akTop | akRight;
    butBuild = MakeButton(upPanel, "butBuild", "Build", 714, 86, 0.15);
    butBuild->Anchors = akTop | akRight;

    tView = new TTreeView(this);
    tView->Name = "tView";
    tView->BorderNone = true;
    tView->SetParent(this);
    tView->SetBounds(3, 29, 351, 408);
    tView->SetImages(&ImageList1);
    tView->SetIndent(23);

    ppItem = new CFxPropPage(this);
    ppItem->Name = "ppItem";
    ppItem->SetParent(this);
    ppItem->SetBounds(355, 28, 425, 410);
    ppItem->Anchors = akTop | akRight | akBottom;
    ppItem->SetVisible(false);
    SetPageLook(*ppItem, "Parameters:", 0, 1, 0.33, 80, clInfoBk, bvLowered);

    ppView = new CFxPropPage(this);
    ppView->Name = "ppView";
    ppView->SetParent(this);
    ppView->Anchors = ppItem->Anchors;
    SetPageLook(*ppView, "Parameters:", 0, 1, 0.33, 80, clInfoBk, bvLowered);

    ppStatus = new CFxPropPage(this);
    ppStatus->Name = "ppStatus";
    ppStatus->SetParent(this);
    ppStatus->SetBounds(2, 440, 778, 139);
    ppStatus->Anchors = akLeft | akRight | akBottom;
    SetPageLook(*ppStatus, "Project information :", -1, -1, 0.85, 28, clWhite, bvNone);

    sBar = new TStatusBar(this);
    sBar->Name = "sBar";
    sBar->SetParent(this);
    sBar->SetBounds(0, 581, 800, 19);

    CreateMenu();

    but_NewGroup->OnClick = [this](TObject* S) { but_NewGroupClick(S); };
    but_AppAdd->OnClick = [this](TObject* S) { but_AppAddClick(S); };
    but_Delete->OnClick = [this](TObject* S) { but_DeleteClick(S); };
    butPreview->OnClick = [this](TObject*) { Preview->Execute(); };
    butBuild->OnClick = [this](TObject*) { Build->Execute(); };
    tView->OnChange = [this](TObject* S, TTreeNode* N) {
        if (!Rebuilding())
            tViewChange(S, N);
    };
    tView->OnEdited = [this](TObject* S, TTreeNode* N, std::string& T) { tViewEdited(S, N, T); };
    tView->OnKeyDown = [this](TObject* S, WORD& K, TShiftState Sh) { tViewKeyDown(S, K, Sh); };
    ppView->OnPropChange = [this](TObject* S) { ppViewPropChange(S); };
    ppItem->OnPropChange = [this](TObject* S) { ppItemPropChange(S); };
    OnKeyDown = [this](TObject* S, WORD& K, TShiftState Sh) { FormKeyDown(S, K, Sh); };
    OnShow = [this](TObject* S) { FormShow(S); };
    OnActivate = [this](TObject* S) { FormActivate(S); };
    OnResize = [this](TObject* S) { FormResize(S); };
    OnClose = [this](TObject* S) { FormClose(S); };

    FormCreate();
}

TFMain::~TFMain()
{
    if (NodeList.Count() && tView)
        ClearNodes();
    if (Engine) {
        Engine->AttachUI(nullptr);
        Engine->AttachNavigator(nullptr);
    }
}

void TFMain::CreateMenu()
{
    New = Actions.Add("New", "New", MakeShortCut('N', ssCtrl));
    Open = Actions.Add("Open", "Open", MakeShortCut('O', ssCtrl));
    Build = Actions.Add("Build", "Build", MakeShortCut('B', ssCtrl));
    Preview = Actions.Add("Preview", "Preview", MakeShortCut('P', ssCtrl));
    Options = Actions.Add("Options", "Options", 0);
    New->OnExecute = [this](TObject* S) { NewExecute(S); };
    Open->OnExecute = [this](TObject* S) { OpenExecute(S); };
    Build->OnExecute = [this](TObject* S) { BuildExecute(S); };
    Preview->OnExecute = [this](TObject* S) { PreviewExecute(S); };
    Options->OnExecute = [this](TObject* S) { OptionsExecute(S); };

    auto Item = [](TMenuItem* Parent, const char* Caption, TShortCut Key, TNotifyEvent Run) {
        TMenuItem* I = Parent->Add(std::make_unique<TMenuItem>(Caption, Key));
        I->OnClick = std::move(Run);
        return I;
    };
    auto Runs = [](TAction* A) { return [A](TObject*) { A->Execute(); }; };

    File1 = Item(&menu.Items, "File", 0, [this](TObject* S) { File1Click(S); });
    N1 = Item(File1, "New Project", MakeShortCut('N', ssCtrl), Runs(New));
    O1 = Item(File1, "Open Project", MakeShortCut('O', ssCtrl), Runs(Open));
    S1 = Item(File1, "Save Project", MakeShortCut('S', ssCtrl), [this](TObject* S) { S1Click(S); });
    SaveAs1 = Item(File1, "Save Project As", 0, [this](TObject* S) { SaveAs1Click(S); });
    Item(File1, "-", 0, nullptr);
    Quit1 = Item(File1, "Exit", MakeShortCut('X', ssCtrl), [this](TObject* S) { Quit1Click(S); });
    TMenuItem* Project1 = Item(&menu.Items, "Project", 0, nullptr);
    Item(Project1, "Preview", MakeShortCut(VK_F5, 0), Runs(Preview));
    Item(Project1, "Build", MakeShortCut(VK_F7, 0), Runs(Build));
    TMenuItem* Tools1 = Item(&menu.Items, "Tools", 0, nullptr);
    Item(Tools1, "Options", 0, Runs(Options));
    TMenuItem* Help1 = Item(&menu.Items, "Help", 0, nullptr);
    Item(Help1, "Help", MakeShortCut(VK_F1, 0), [this](TObject* S) { Help2Click(S); });
}

void TFMain::FormCreate()
{
    SetColor(PaletteTextColor);
    for (CFxButton* B : {but_NewGroup, but_AppAdd, but_Delete})
        B->SetColor(PaletteColor3);
    butPreview->SetColor(PaletteColor4);
    butBuild->SetColor(PaletteColor5);
    tView->SetColor(PaletteTextColor);
    ppView->SetColorFrame(PaletteColor5);
    ppStatus->SetColor(PaletteColor1);
    upPanel->SetColor(PaletteColor1);

    ppView->SetBounds(ppItem->Left(), ppItem->Top(), ppItem->Width(), ppItem->Height());
    FCurrentPage = nullptr;
    FCurrentNode = nullptr;

    Progress = std::make_unique<CDialogProgress>(nullptr);
    Progress->SetColor(PaletteColor2);

    // The window and its children now, so that the tree takes items and the menu
    // bar counts in the client size.
    HandleNeeded();
    LoadTreeImages();
    for (CFxPropPage* P : {ppItem, ppView, ppStatus})
        P->SetImageList(ImageList1.Handle());
    menu.Attach(Handle());
    if (HICON Icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1))) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon));
    }
    RECT Client;
    GetClientRect(Handle(), &Client);
    SetBounds(Left(), Top(), Width() + 800 - Client.right, Height() + 600 - Client.bottom);
}

void TFMain::LoadTreeImages()
{
    HANDLE Strip = LoadImageA(GetModuleHandleA(nullptr), "TREEIMAGES", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!Strip)
        return;
    TGdiObject<HBITMAP> Owned(static_cast<HBITMAP>(Strip));
    BITMAP Info{};
    GetObjectA(Owned.Get(), sizeof Info, &Info);
    TMemoryDC StripDC(CreateCompatibleDC(nullptr));
    if (!StripDC)
        return;
    // The selection goes before the bitmap does.
    const TSelection Selected = SelectInto(StripDC.Get(), Owned.Get());
    for (int X = 0; X + 20 <= Info.bmWidth; X += 20) {
        TBitmap Cell(20, 20);
        BitBlt(Cell.DC(), 0, 0, 20, 20, StripDC.Get(), X, 0, SRCCOPY);
        ImageList1.Add(Cell, Cell.TransparentColor());
    }
}

void TFMain::AttachEngine(CCastamer& AEngine)
{
    Engine = &AEngine;
    FStatusPage = std::make_unique<TFMainStatusPage>(*ppStatus, Engine->HelpActions);
    Engine->AttachUI(this);
    Engine->AttachNavigator(this);
    NewExecute(nullptr);
}

// --- state ----------------------------------------------------------------------

void TFMain::DisableNodeButtons()
{
    for (CFxButton* B : {but_NewGroup, but_AppAdd, but_Delete})
        B->SetEnabled(false);
}

void TFMain::SetNodeButtonEnabled(TNodeButton Button, bool Enabled)
{
    CFxButton* B = Button == nbAddGroup ? but_NewGroup : Button == nbAddApp ? but_AppAdd : but_Delete;
    B->SetEnabled(Enabled);
}

void TFMain::SetModified()
{
    if (Engine)
        Engine->SetModified();
}

std::int32_t TFMain::SelectPlatform() { return ::SelectPlatform(*Engine); }

CFxPropPageLogic& TFMain::ItemPage() { return *ppItem; }
CFxPropPageLogic& TFMain::ViewPage() { return *ppView; }
CFxPropPageLogic* TFMain::CurrentPage() { return FCurrentPage; }

void TFMain::ShowPage(CFxPropPageLogic& Page) { ShowPage(&Page == static_cast<CFxPropPageLogic*>(ppView) ? ppView : ppItem); }

void TFMain::ShowPage(CFxPropPage* Page)
{
    FCurrentPage = Page;
    CFxPropPage* Other = Page == ppView ? ppItem : ppView;
    Page->SetVisible(true);
    Other->SetVisible(false);
    if (IsWindowVisible(Handle()))
        Page->SetFocus();
}

void TFMain::UpdateCaption()
{
    const std::string Name = Engine ? ExtractFileName(Engine->ProjectFileName) : std::string();
    SetCaption(AppTitle + "  [" + Name + "]");
}

bool TFMain::ConfirmDiscard()
{
    if (!Engine || !Engine->Modified)
        return true;
    return ShowMsgDlg("Brindlo project is unsaved\n\rdo you still want to continue ?", ::mtInformation, {"Yes", "No"}, 50,
                      "Brindlo") == 0;
}

void TFMain::CommitEdits()
{
    tView->EndEdit(false);
    for (CFxPropPage* P : {ppView, ppItem, ppStatus})
        P->CommitEdit();
}

void TFMain::ClearNodes() { ClearNodeList(*this); }

TTreeNode* TFMain::ItemOf(const CNode_b* Node) const
{
    for (TTreeNode* N : tView->AllItems())
        if (N->Data == Node)
            return N;
    return nullptr;
}

void TFMain::BuildViewPage()
{
    ClearNodes();
    tViewChange(tView, nullptr);
    for (CFxPropPage* P : {ppView, ppItem, ppStatus}) {
        P->Clear(true);
        P->SetPageColor(PaletteColor1);
        P->Root()->SetBackColor(PaletteColor5);
        P->SetColorFrame(PaletteTextColor);
    }
    tView->SetColor(PaletteColor1);
    tView->ClearItems();
    FCurrentNode = nullptr;
    BuildSettingsPage(*this);
}

void TFMain::LoadTree()
{
    LoadSettingsPage(*ppView, *Engine);
    TTreeNode* Root = RootItem();
    if (!Root)
        return;
    Root->SetText(Engine->Settings.Lookup("eList_GGroup"));
    Root->SetImageIndex(15);
    Root->SetSelectedIndex(15);
    for (std::int32_t I = 0; I < Engine->Groups.Count(); ++I) {
        const THashPair Entry = Engine->Groups.GetEntry(I);
        if (Entry.Key.empty() || Entry.Key == "RootGID")
            continue;
        TArrayOfString Fields;
        SplitString(Entry.Value, "|", 3, Fields);
        TTreeNode* Item = tView->AddChild(Root, Fields.empty() ? std::string() : Fields[0]);
        auto* Node = new CNode_Group(*this, Item->ItemId());
        Node->GID = Entry.Key;
        Item->Data = Node;
    }
    // A loaded project is unchanged; an installation node that has to mend its
    // group marks it again.
    Engine->Modified = false;
    LoadAppNodes();
    UpdateCaption();
}

void TFMain::StoreView() { StoreSettingsPage(*this); }

void TFMain::UpdateStatusPage()
{
    if (!Engine || !FStatusPage)
        return;
    RefreshStatusPage(*Engine, *FStatusPage, [this] { StoreView(); });
}

// --- commands ---------------------------------------------------------------------

void TFMain::ResetProject()
{
    {
        TRebuildScope Scope(FRebuilding);
        ClearNodes();
        Engine->NewProject();
        DisableNodeButtons();
        BuildViewPage();
        LoadTree();
    }
    UpdateStatusPage();
}

void TFMain::ProjectLoaded()
{
    {
        TRebuildScope Scope(FRebuilding);
        BuildViewPage();
        LoadTree();
    }
    UpdateStatusPage();
    UpdateCaption();
}

void TFMain::ReportUnreadable(const std::string& FileName)
{
    ShowMsgDlg("The file is no Brindlo project or cannot be read:\n\r" + FileName, ::mtError, {"Ok"}, 50, "Brindlo");
}

void TFMain::NewExecute(TObject*)
{
    CommitEdits();
    if (!ConfirmDiscard())
        return;
    ResetProject();
}

void TFMain::OpenExecute(TObject*)
{
    CommitEdits();
    if (!ConfirmDiscard())
        return;
    ResetProject();
    FChosenFile.clear();
    if (!Engine->LoadProject("")) {
        // A file that was chosen and exists but did not load: say so, and keep the
        // clean empty project, so that a later Save cannot overwrite that file.
        if (!FChosenFile.empty() && Engine->FileSystem().FileExists(FChosenFile))
            ReportUnreadable(FChosenFile);
        ResetProject();
        return;
    }
    ProjectLoaded();
    if (TTreeNode* Root = RootItem())
        tView->SetSelected(Root);
}

void TFMain::OpenCommandLineProject(const std::string& CommandLine)
{
    const std::string S = ProjectFromCommandLine(CommandLine);
    if (S.empty() || !Engine->FileSystem().FileExists(S))
        return;
    if (Engine->LoadProject(S)) {
        ProjectLoaded();
        return;
    }
    ReportUnreadable(S);
    ResetProject();
}

void TFMain::S1Click(TObject*) { SaveToFile(Engine->ProjectFileName); }

void TFMain::SaveAs1Click(TObject*) { SaveToFile(""); }

bool TFMain::SaveToFile(const std::string& Name)
{
    CommitEdits();
    StoreView();
    if (!Engine->SaveProject(Name))
        return false;
    UpdateCaption();
    return true;
}

void TFMain::File1Click(TObject*)
{
    // Its items' states depend on what is still being typed (Ctrl+S opens it too).
    CommitEdits();
    S1->SetEnabled(Engine && Engine->Modified);
    SaveAs1->SetEnabled(Engine && !Engine->ProjectFileName.empty());
}

void TFMain::BuildExecute(TObject*)
{
    CommitEdits();
    StoreView();
    BuildAndRunInstaller(*Engine, TBuildMode::Build);
}

void TFMain::PreviewExecute(TObject*)
{
    CommitEdits();
    StoreView();
    BuildAndRunInstaller(*Engine, TBuildMode::Preview);
}

void TFMain::OptionsExecute(TObject*)
{
    CommitEdits();
    Engine->ShowOptions("", 0);
}

void TFMain::Help2Click(TObject*)
{
    const std::string File = JoinPath(Engine->HelpDir, "BrindolHelp.htm");
    ShellExecuteA(Handle(), "open", File.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void TFMain::Quit1Click(TObject*) { PostMessageA(Handle(), WM_CLOSE, 0, 0); }

void TFMain::NodeButton(std::uint8_t Code)
{
    CommitEdits();
    if (FCurrentNode)
        FCurrentNode->DoAction(Code);
    UpdateStatusPage();
}

void TFMain::but_NewGroupClick(TObject*) { NodeButton(NodeAddGroup); }
void TFMain::but_AppAddClick(TObject*) { NodeButton(NodeAddApp); }
void TFMain::but_DeleteClick(TObject*) { NodeButton(NodeDeleteSelected); }

// --- events -------------------------------------------------------------------------

void TFMain::FormShow(TObject*)
{
    if (!FFirstShow)
        return;
    FFirstShow = false;
    if (Engine)
        OpenCommandLineProject(GetCommandLineA());
    if (TTreeNode* Root = RootItem())
        tView->SetSelected(Root);
}

void TFMain::FormActivate(TObject*)
{
    if (!FCurrentPage)
        ShowPage(ppView);
    UpdateCaption();
    UpdateStatusPage();
}

void TFMain::FormResize(TObject*)
{
    tView->SetBounds(tView->Left(), tView->Top(), ppView->Left() - 4, ppStatus->Top() - upPanel->Height() - 6);
}

bool TFMain::FormCloseQuery()
{
    CommitEdits();
    return ConfirmDiscard();
}

void TFMain::FormClose(TObject*)
{
    ClearNodes();
    Application().Terminate();
}

void TFMain::SessionEnd()
{
    // The system may end the process as soon as this returns: what the program's
    // end writes is written now.
    Close();
    if (Engine)
        Engine->SaveEnv();
}

void TFMain::tViewChange(TObject*, TTreeNode* Node)
{
    if (FQuietSelection)
        return;
    ppItem->Clear(true);
    auto* NodeObject = Node ? static_cast<CNode_b*>(Node->Data) : nullptr;
    if (NodeObject) {
        ShowPage(Node == RootItem() ? ppView : ppItem);
        FCurrentNode = NodeObject;
        NodeObject->ShowProps();
        UpdateStatusPage();
    } else {
        FCurrentNode = nullptr;
        ppItem->SetPageCaption("Item not selected");
    }
}

void TFMain::tViewEdited(TObject*, TTreeNode* Node, std::string& Text)
{
    if (auto* NodeObject = Node ? static_cast<CNode_b*>(Node->Data) : nullptr)
        NodeObject->Rename(Text);
}

void TFMain::tViewKeyDown(TObject*, WORD& Key, TShiftState Shift)
{
    if (!FCurrentNode || tView->IsEditing())
        return;
    if (Key == VK_INSERT) {
        CommitEdits();
        FCurrentNode->DoAction((Shift & ssShift) ? NodeShiftInsert : NodeInsert);
    } else if (Key == VK_DELETE) {
        CommitEdits();
        FCurrentNode->DoAction(NodeDeleteSelected);
        // As the button does: no status row may keep pointing at what went.
        UpdateStatusPage();
    }
}

void TFMain::ViewRowChanged(CFxProp_b* Row)
{
    if (Row && Row->Key == "eList_GGroup")
        if (TTreeNode* Root = RootItem())
            Root->SetText(Row->Value);
    SetModified();
    UpdateStatusPage();
}

void TFMain::ppViewPropChange(TObject* Sender)
{
    if (Rebuilding())
        return;
    ViewRowChanged(dynamic_cast<CFxProp_b*>(Sender));
}

void TFMain::ppItemPropChange(TObject* Sender)
{
    if (Rebuilding())
        return;
    auto* Row = dynamic_cast<CFxProp_b*>(Sender);
    if (FCurrentNode)
        FCurrentNode->PropChanged(Row);
    ViewRowChanged(Row);
}

void TFMain::FormKeyDown(TObject*, WORD& Key, TShiftState Shift)
{
    const TShortCut Code = MakeShortCut(Key, Shift);
    // Cut stays with the edit field that has the focus (a row's editor, a label).
    if (Code == MakeShortCut('X', ssCtrl)) {
        char Class[16] = {};
        GetClassNameA(GetFocus(), Class, sizeof Class);
        if (lstrcmpiA(Class, "Edit") == 0)
            return;
    }
    if (tView->IsEditing() && (Shift & ssCtrl) == 0 && (Key < VK_F1 || Key > VK_F24))
        return;
    if (menu.ShortCutKey(Code) || Actions.ShortCutKey(Code))
        Key = 0;
}

LRESULT TFMain::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_CLOSE: {
        bool Allowed = false;
        GuardCall([&] { Allowed = FormCloseQuery(); });
        if (Allowed)
            Close();
        return 0;
    }
    case WM_QUERYENDSESSION: {
        // The question of closing the window; a failure refuses, so nothing goes unasked.
        bool Allowed = false;
        GuardCall([&] { Allowed = FormCloseQuery(); });
        return Allowed ? TRUE : FALSE;
    }
    case WM_ENDSESSION:
        if (WParam)
            GuardCall([&] { SessionEnd(); });
        return 0;
    case WM_COMMAND:
        if (LParam == 0 && HIWORD(WParam) == 0) {
            GuardCall([&] { menu.Command(LOWORD(WParam)); });
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        GuardCall([&] { menu.Popup(reinterpret_cast<HMENU>(WParam)); });
        return 0;
    default:
        break;
    }
    return TForm::WndProc(Msg, WParam, LParam);
}

// --- IBuilderUI -----------------------------------------------------------------------

void TFMain::ProgressBegin(const std::string& Text) { Progress->Start(Text); }
void TFMain::ProgressStep(int Percent) { Progress->SetPosition(Percent); }
void TFMain::ProgressEnd() { Progress->Finish(); }

namespace {

// A path without a drive ("\projects\pkg") or a relative one, made full against the
// current drive and directory as the system reads it; Path itself when it cannot be.
std::string FullPathOf(const std::string& Path)
{
    const DWORD Size = Path.empty() ? 0 : GetFullPathNameA(Path.c_str(), 0, nullptr, nullptr);
    if (Size == 0)
        return Path;
    std::string Full(Size, '\0');
    const DWORD N = GetFullPathNameA(Path.c_str(), Size, &Full[0], nullptr);
    if (N == 0 || N >= Size)
        return Path;
    Full.resize(N);
    return Full;
}

} // namespace

bool TFMain::SelectDir(std::string& Dir, const std::string& Caption, bool AllowNew, const std::string& Key)
{
    // The chooser lists and answers a directory as it was given; the build takes
    // only full paths.
    std::string Chosen = FullPathOf(Dir);
    if (!DialogSelectDir(Chosen, Caption, AllowNew, Key, &DefaultColorScheme()))
        return false;
    Dir = FullPathOf(Chosen);
    return true;
}

int TFMain::ShowMessage(const std::string& Text, TMessageType Type, const TArrayOfString& Buttons)
{
    return ShowMsgDlg(Text, static_cast<TMsgDlgType>(Type), Buttons, 50, "Brindlo");
}

std::string TFMain::OpenFile(const std::string& InitialDir, const std::string& Filter, DLG_Style Kind,
                             const std::string& Key)
{
    std::string Name;
    DialogOpenFile(InitialDir, Filter, Kind, Key, Name);
    FChosenFile = Name;
    return Name;
}

std::string TFMain::SaveFile(const std::string& InitialDir, const std::string& Filter, const std::string& DefaultExt,
                             const std::string& Key)
{
    std::string Name;
    DialogSaveFile(InitialDir, Filter, DefaultExt, Key, Name);
    return Name;
}

void TFMain::ShowPathErrors(TPathErrors Kind, const TArrayOfString& Paths) { ::ShowPathErrors(Kind, Paths); }

void TFMain::ShowOptions(CCastamer& Project, const std::string& Arg) { ShowOptionsDialog(Project, Arg, LastPlatform); }

void TFMain::RepaintMainWindow() { Repaint(); }

// --- IHelpNavigator -----------------------------------------------------------------

bool TFMain::SelectGroupNode(const std::string& GID, bool& IsRoot)
{
    for (CNode_b* N : NodeList.Items())
        if (auto* G = dynamic_cast<CNode_Group*>(N); G && G->GID == GID) {
            IsRoot = G->IsRoot;
            tView->SetSelected(NodeOfItem(G->TreeNode));
            return true;
        }
    return false;
}

bool TFMain::SelectAppNode(const CCst_App* App)
{
    for (CNode_b* N : NodeList.Items())
        if (NodeShowsApp(*N, App)) {
            tView->SetSelected(NodeOfItem(N->TreeNode));
            return true;
        }
    return false;
}

void TFMain::SelectRootNode()
{
    if (TTreeNode* Root = RootItem())
        tView->SetSelected(Root);
}

void TFMain::OpenRow(TPage Page, const std::string& Key)
{
    CFxPropPage* P = Page == pgView ? ppView : ppItem;
    if (CFxProp_b* Row = P->FindItem(Key))
        P->ShowItem(Row, true);
}

void TFMain::AddInstallationClick() { but_AppAddClick(nullptr); }

// --- INodeTree ----------------------------------------------------------------------

TTreeNode* TFMain::NodeOfItem(TTreeItem Item) const
{
    if (!Item)
        return nullptr;
    for (TTreeNode* N : tView->AllItems())
        if (N->ItemId() == Item)
            return N;
    return nullptr;
}

TTreeItem TFMain::AddChild(TTreeItem Parent, const std::string& Text)
{
    return tView->AddChild(NodeOfItem(Parent), Text)->ItemId();
}

void TFMain::DeleteItem(TTreeItem Item)
{
    if (TTreeNode* N = NodeOfItem(Item))
        N->Delete();
}

std::string TFMain::ItemText(TTreeItem Item) const
{
    TTreeNode* N = NodeOfItem(Item);
    return N ? N->Text() : std::string();
}

void TFMain::SetItemText(TTreeItem Item, const std::string& Text)
{
    if (TTreeNode* N = NodeOfItem(Item))
        N->SetText(Text);
}

CNode_b* TFMain::ItemNode(TTreeItem Item) const
{
    TTreeNode* N = NodeOfItem(Item);
    return N ? static_cast<CNode_b*>(N->Data) : nullptr;
}

void TFMain::SetItemNode(TTreeItem Item, CNode_b* Node)
{
    if (TTreeNode* N = NodeOfItem(Item))
        N->Data = Node;
}

void TFMain::SetItemImage(TTreeItem Item, int Image)
{
    if (TTreeNode* N = NodeOfItem(Item)) {
        N->SetImageIndex(Image);
        N->SetSelectedIndex(Image);
    }
}

TTreeItem TFMain::FirstItem() const
{
    TTreeNode* N = tView->GetFirstNode();
    return N ? N->ItemId() : nullptr;
}

TTreeItem TFMain::FirstChild(TTreeItem Item) const
{
    TTreeNode* N = NodeOfItem(Item);
    TTreeNode* C = N ? N->GetFirstChild() : nullptr;
    return C ? C->ItemId() : nullptr;
}

int TFMain::ChildCount(TTreeItem Item) const
{
    TTreeNode* N = NodeOfItem(Item);
    return N ? N->Count() : 0;
}

void TFMain::Expand(TTreeItem Item)
{
    if (TTreeNode* N = NodeOfItem(Item))
        N->Expand(false);
}

TTreeItem TFMain::Selected() const
{
    TTreeNode* N = tView->Selected();
    return N ? N->ItemId() : nullptr;
}

void TFMain::Select(TTreeItem Item) { tView->SetSelected(NodeOfItem(Item)); }
