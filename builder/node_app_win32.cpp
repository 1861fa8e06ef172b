#include "node_app.h"

#include "project.h"
#include "device_file_rows.h"
#include "prop_editor_rows.h"
#include "color_scheme.h"
#include "installation.h"
#include "exceptions.h"
#include "node_group.h"
#include "prop_page_logic.h"

namespace {

// Installation items of the tree show the window picture.
constexpr int AppImage = 12;

// Every key of Table's rows on the page: the entries' own and those of rows whose
// entry is not written yet.
void RowKeysOf(const CFxProp_b& Row, const THash& Table, std::vector<std::string>& Keys)
{
    if (Row.Hash == &Table && !Row.Key.empty())
        Keys.push_back(Row.Key);
    for (const auto& C : Row.Children)
        RowKeysOf(*C, Table, Keys);
}

TPropRowClass AppRowClass(TAppRowKind Kind)
{
    switch (Kind) {
    case arConst:
        return RowClass<CFxProp_Const>();
    case arGroup:
        return RowClass<CFxProp_Group>();
    case arEdit:
        return RowClass<CFxProp_Edit>();
    case arColor:
        return RowClass<CFxProp_Color>();
    case arCheckBox:
        return RowClass<CFxProp_CheckBox>();
    case arCBox:
        return RowClass<CFxProp_CBox>();
    case arCreator:
        return RowClass<CFxProp_GroupPropCrea>();
    case arSCut:
        return RowClass<CFxProp_SCut>();
    case arPDFile:
        return RowClass<CFxProp_PDFile>();
    case arCDFile:
        return RowClass<CFxProp_CDFile>();
    }
    return RowClass<CFxProp_b>();
}

void ConfigureAppRow(CFxProp_b& Row, const TAppRow& Desc, CNode_App& Node)
{
    const TNotifyEvent Deleted = [&Node](TObject* S) { Node.RowDeleted(S); };
    if (auto* E = dynamic_cast<CFxProp_Edit*>(&Row)) {
        E->Style = Desc.Style;
        E->DlgStyle = Desc.Picture ? DLG_Picture : DLG_File;
        E->ExData = Desc.ExData;
        E->HKey_DirFile = Desc.HKey_DirFile;
        if (Desc.AnyPrintable)
            E->AllowedChars = AnyPrintableChars();
    } else if (auto* B = dynamic_cast<CFxProp_CBox*>(&Row)) {
        B->GetItems() = Desc.Items;
        B->SetStyle(Desc.ComboStyle);
        if (Desc.Event == aeFillCabList)
            B->OnFill = [&Node](TObject* S) { Node.FillCabList(S); };
    } else if (auto* C = dynamic_cast<CFxProp_SCut*>(&Row)) {
        C->OnDelete = Deleted;
        C->HKey_DirFile = Desc.HKey_DirFile;
        C->DeviceMode = Desc.DeviceMode;
    } else if (auto* P = dynamic_cast<CFxProp_PDFile*>(&Row)) {
        P->OnDelete = Deleted;
        P->HKey_DirFile = Desc.HKey_DirFile;
    } else if (auto* D = dynamic_cast<CFxProp_CDFile*>(&Row)) {
        D->OnDelete = Deleted;
        D->HKey_DirFile = Desc.HKey_DirFile;
    }
}

void SetAppRowItems(CFxProp_b& Row, const TArrayOfString& Items)
{
    if (auto* B = dynamic_cast<CFxProp_CBox*>(&Row))
        B->GetItems() = Items;
}

} // namespace

CNode_App::CNode_App(INodeForm& AForm, CNode_Group& Parent) : CNode_b(AForm, nullptr), FParent(&Parent)
{
    AddTreeNode(Parent);
}

CNode_App::CNode_App(INodeForm& AForm, CNode_Group& Parent, std::int32_t Platform) : CNode_App(AForm, Parent)
{
    App = Form->Project().AddApp();
    App->SetDID(Platform);
    App->SetGroupID(Parent.GID);
}

CNode_App* CNode_App::CreateLoaded(INodeForm& AForm, CNode_Group& Parent, CCst_App& AApp)
{
    auto* Node = new CNode_App(AForm, Parent);
    Node->App = &AApp;
    if (AApp.GetGroupID() != Parent.GID) {
        AApp.SetGroupID(Parent.GID);
        // The repair reaches the file only when it is saved knowingly.
        AForm.SetModified();
    }
    Node->Tree->SetItemText(Node->TreeNode, AApp.GetAppName());
    return Node;
}

CNode_App::~CNode_App()
{
    const bool Shown = Form->CurrentNode() == this;
    Form->SetCurrentNode(nullptr);
    // The page's rows write into the installation's tables: none may outlive them.
    if (Shown)
        ItemPage->Clear(true);
    FreeApp();
    if (TreeNode) {
        const TTreeItem Item = TreeNode;
        TreeNode = nullptr;
        Tree->DeleteItem(Item);
    }
}

void CNode_App::AddTreeNode(CNode_Group& Parent)
{
    TreeNode = Tree->AddChild(Parent.TreeNode, "New Installation");
    Tree->SetItemImage(TreeNode, AppImage);
    Tree->SetItemNode(TreeNode, this);
}

void CNode_App::FreeApp()
{
    if (!App)
        return;
    CCst_App* Going = App;
    App = nullptr;
    Form->Project().DeleteApp(Going);
}

void CNode_App::RefreshPage()
{
    if (Form->CurrentPage() == ItemPage)
        ItemPage->RepaintPage();
}

THash& CNode_App::Table(TAppRowTable Which) const
{
    switch (Which) {
    case atPocketPC:
        return App->PocketPC;
    case atShortcuts:
        return App->Shortcuts;
    case atPDFiles:
        return App->PDFiles;
    case atCDFiles:
        return App->CDFiles;
    case atProps:
        break;
    }
    return App->Props;
}

void CNode_App::Bind(CFxProp_b& Row, TAppRowEvent Event)
{
    switch (Event) {
    case aeBuildCabRows:
        Row.OnClick = [this](TObject* S) { BuildCabRows(S); };
        break;
    case aeAddShortcutPC:
        Row.OnClick = [this](TObject* S) { AddShortcutPC(S); };
        break;
    case aeAddShortcutPPC:
        Row.OnClick = [this](TObject* S) { AddShortcutPPC(S); };
        break;
    case aeAddProcFile:
        Row.OnClick = [this](TObject* S) { AddProcFile(S); };
        break;
    case aeAddColorFile:
        Row.OnClick = [this](TObject* S) { AddColorFile(S); };
        break;
    case aeFillCabList: // the list's own event, set with the kind
    case aeNone:
        break;
    }
}

CFxProp_b* CNode_App::AddRow(CFxProp_b& Parent, const TAppRow& S)
{
    TColor Back = S.BackColor, Text = S.TextColor;
    if (S.RootColors && ItemPage->Root()) {
        Back = ItemPage->Root()->BackColor;
        Text = ItemPage->Root()->TextColor;
    }
    CFxProp_b* R = nullptr;
    if (S.Kind == arGroup) {
        R = Parent.AddGroup(S.Caption, Back, Text, S.Image, S.OpenImage);
    } else if (S.Kind == arCreator) {
        R = Parent.AddItem(RowClass<CFxProp_GroupPropCrea>(), S.Caption, S.Value, Back, Text, S.Image);
        auto* C = static_cast<CFxProp_GroupPropCrea*>(R);
        C->OpenIconIndex = S.OpenImage;
        C->NewClass = AppRowClass(S.NewKind);
        C->NewBackColor = S.NewBackColor;
    } else {
        R = Parent.AddItem(AppRowClass(S.Kind), S.Caption, S.Value, Back, Text, S.Image);
    }
    R->Key = S.Key;
    R->HelpText = S.HelpText;
    R->AllowClose = S.AllowClose;
    if (S.Table != atProps)
        R->Hash = &Table(S.Table);
    if (S.Scheme)
        R->Scheme = &DefaultColorScheme();
    if (S.Event == aeBuildCabRows)
        R->Data = App;
    Bind(*R, S.Event);
    ConfigureAppRow(*R, S, *this);
    return R;
}

void CNode_App::AddRows(CFxProp_b& Parent, const std::vector<TAppRow>& Descs)
{
    for (const TAppRow& S : Descs) {
        CFxProp_b* R = AddRow(Parent, S);
        if (S.Key == OsDependentKey) {
            switch (PageDID(*App)) {
            case 2:
                AddPCRows(*R);
                break;
            case 1:
                AddPocketPCRows(*R);
                break;
            case 0:
                AddPalmRows(*R);
                break;
            default:
                break;
            }
        } else {
            AddRows(*R, S.Children);
        }
    }
}

void CNode_App::ShowProps()
{
    ItemPage->SetPageCaption("Installation parameters:");
    // Every chooser of the page starts in the source directory.
    Form->Project().RememberedPaths().Add(AppInDirPathKey, App->GetInDir());
    AddRows(*ItemPage->Root(), InstallationPageRows(*App));
    UpdateButtons();
    RefreshPage();
}

void CNode_App::AddPCRows(CFxProp_b& Section) { AddRows(Section, PCSectionRows(*App)); }

void CNode_App::AddPocketPCRows(CFxProp_b& Section) { AddRows(Section, PocketPCSectionRows(*App)); }

void CNode_App::AddPalmRows(CFxProp_b& Section) { AddRows(Section, PalmSectionRows(*App)); }

void CNode_App::BuildCabRows(TObject* Sender)
{
    auto* Row = dynamic_cast<CFxProp_b*>(Sender);
    if (!Row || Row->Data != App)
        return;
    CFxProp_b* Section = ItemPage->FindItem(OsDependentKey);
    if (!Section)
        return;
    // "Create Cabs", "ActiveSync Description" and "Default InstDir" stay.
    constexpr std::size_t Kept = 3;
    while (Section->Children.size() > Kept)
        Section->Children.back()->Delete();
    AddRows(*Section, PocketPCCabRows(*App));
}

void CNode_App::NewListRow(TObject* Sender, TAppRowEvent Event)
{
    auto* Row = dynamic_cast<CFxProp_b*>(Sender);
    if (!Row)
        return;
    THash& T = Table(NewListRowTable(Event));
    std::vector<std::string> Pending;
    if (ItemPage->Root())
        RowKeysOf(*ItemPage->Root(), T, Pending);
    const TBuilderServices& Services = Form->Project().Services();
    Row->Hash = &T;
    Row->Key = MakeUniqueKey(T, Pending, TUniqueIDSource{Services.TimeText, Services.Random});
    // Written into the table only once the row first changes.
    Row->SetValue(NewListRowValue(Event, App->GetAppName()));
    TAppRow Desc;
    Desc.Kind = Event == aeAddProcFile ? arPDFile : Event == aeAddColorFile ? arCDFile : arSCut;
    Desc.HKey_DirFile = AppInDirPathKey;
    Desc.DeviceMode = Event == aeAddShortcutPPC ? 1 : -1;
    Desc.Scheme = Desc.Kind == arSCut;
    if (Desc.Scheme)
        Row->Scheme = &DefaultColorScheme();
    if (Event == aeAddColorFile)
        Row->IconIndex = 16;
    ConfigureAppRow(*Row, Desc, *this);
    Form->SetModified();
}

void CNode_App::AddShortcutPC(TObject* Sender) { NewListRow(Sender, aeAddShortcutPC); }

void CNode_App::AddShortcutPPC(TObject* Sender) { NewListRow(Sender, aeAddShortcutPPC); }

void CNode_App::AddProcFile(TObject* Sender) { NewListRow(Sender, aeAddProcFile); }

void CNode_App::AddColorFile(TObject* Sender) { NewListRow(Sender, aeAddColorFile); }

void CNode_App::RowDeleted(TObject* Sender)
{
    auto* Row = dynamic_cast<CFxProp_b*>(Sender);
    if (!Row)
        return;
    if (Row->Hash && !Row->Key.empty())
        Row->Hash->Remove(Row->Key);
    Form->SetModified();
    Form->UpdateStatusPage();
}

void CNode_App::FillCabList(TObject* Sender)
{
    auto* Row = dynamic_cast<CFxProp_b*>(Sender);
    if (!Row)
        return;
    TArrayOfString Names;
    try {
        Names = CabFileNames(Form->Project().FileSystem(), App->GetInDir());
    } catch (const Exception&) {
        // A directory that cannot be listed offers no names; the list shows no message.
        Names.clear();
    }
    SetAppRowItems(*Row, Names);
}

void CNode_App::PropChanged(CFxProp_b* Row)
{
    CNode_b::PropChanged(Row);
    if (!Row || !App)
        return;
    if (!Row->Key.empty())
        (Row->Hash ? *Row->Hash : App->Props).Add(Row->Key, Row->Value);
    if (Row->Key == "App name")
        Tree->SetItemText(TreeNode, Row->Value);
    else if (Row->Key == "InDir")
        Form->Project().RememberedPaths().Add(AppInDirPathKey, Row->Value);
    Form->SetModified();
}

void CNode_App::Rename(std::string& NewText)
{
    App->Props.Add("App name", NewText);
    if (CFxProp_b* Row = ItemPage->FindItem("App name"))
        Row->SetValue(NewText);
    RefreshPage();
    Form->SetModified();
}

void CNode_App::UpdateButtons()
{
    CNode_b::UpdateButtons();
    Form->SetNodeButtonEnabled(nbAddApp, true);
    Form->SetNodeButtonEnabled(nbDelete, true);
}

void CNode_App::DoAction(std::uint8_t Code)
{
    CNode_b::DoAction(Code);
    switch (Code) {
    case NodeAddApp:
    case NodeInsert:
    case NodeShiftInsert:
        FParent->DoAction(NodeAddApp);
        break;
    case NodeDeleteApp:
    case NodeDeleteSelected:
        Form->SetModified();
        delete this;
        break;
    default:
        break;
    }
}

CNode_App* FindAppNode(const CCst_App* App)
{
    for (CNode_b* Node : NodeList.Items())
        if (auto* A = dynamic_cast<CNode_App*>(Node); A && App && A->App == App)
            return A;
    return nullptr;
}
