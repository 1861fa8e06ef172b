#include "node_group.h"

#include "project.h"
#include "color_scheme.h"
#include "group_string.h"
#include "prop_editor_rows.h"
#include "prop_page_logic.h"
#include "prop_rows.h"

CNode_Group::CNode_Group(INodeForm& AForm, TTreeItem ATreeNode)
    : CNode_b(AForm, ATreeNode)
{
    const TBuilderServices& S = AForm.Project().Services();
    GID = FreshGroupID(AForm.Project().Groups, TUniqueIDSource{S.TimeText, S.Random});
}

CNode_Group::CNode_Group(INodeForm& AForm, TRootTag) : CNode_b(AForm, nullptr), IsRoot(true), GID("RootGID")
{
    TreeNode = Tree->AddChild(nullptr, "");
    Tree->SetItemNode(TreeNode, this);
}

CNode_Group* CNode_Group::CreateRoot(INodeForm& AForm) { return new CNode_Group(AForm, TRootTag{}); }

CNode_Group::~CNode_Group()
{
    // No later event may reach a node on its way out.
    Form->SetCurrentNode(nullptr);
    DeleteRecord();
    if (TreeNode)
        Tree->DeleteItem(TreeNode);
}

std::string CNode_Group::GetName() const { return ReadGroupString(Form->Project().Groups.Lookup(GID)).Name; }

std::string CNode_Group::GetIcon() const { return ReadGroupString(Form->Project().Groups.Lookup(GID)).Icon; }

std::string CNode_Group::GetEnabled() const { return ReadGroupString(Form->Project().Groups.Lookup(GID)).Enabled; }

void CNode_Group::SetField(int Index, const std::string& Value)
{
    THash& Groups = Form->Project().Groups;
    Groups.Add(GID, WithGroupField(Groups.Lookup(GID), static_cast<TGroupField>(Index), Value), true);
}

void CNode_Group::SetName(const std::string& Name)
{
    SetField(gfName, Name);
    RefreshPage();
}

void CNode_Group::SetIcon(const std::string& Icon)
{
    SetField(gfIcon, Icon);
    RefreshPage();
}

void CNode_Group::SetEnabled(const std::string& Value) { SetField(gfEnabled, Value); }

void CNode_Group::DeleteRecord()
{
    RemoveGroupEntry(Form->Project().Groups, GID);
    if (!TreeNode)
        return;
    for (int N = Tree->ChildCount(TreeNode); N > 0; --N) {
        const TTreeItem Child = Tree->FirstChild(TreeNode);
        if (!Child)
            break;
        delete Tree->ItemNode(Child);
        // A child the node left behind (or one without a node) goes by hand, so the
        // next round never meets a freed node.
        if (Tree->FirstChild(TreeNode) == Child)
            Tree->DeleteItem(Child);
    }
}

void CNode_Group::RefreshPage()
{
    if (Form->CurrentPage() == ItemPage)
        ItemPage->RepaintPage();
}

void CNode_Group::ShowProps()
{
    if (!IsRoot) {
        ItemPage->SetPageCaption("Group parameters:");
        CFxProp_b* Root = ItemPage->Root();
        auto* Name = static_cast<CFxProp_Edit*>(
            Root->AddItem(RowClass<CFxProp_Edit>(), "Name", GetName(), PaletteColor3, 0, 8));
        Name->Key = GID + "_GN";
        Name->Style = ES_AllChars;
        Name->BlockedChars = GroupBlockedChars();
        NameRow = Name;
        auto* Icon = static_cast<CFxProp_Edit*>(
            Root->AddItem(RowClass<CFxProp_Edit>(), "Icon", GetIcon(), PaletteColor3, 0, 11));
        Icon->Key = GID;
        Icon->Style = ES_File;
        Icon->DlgStyle = DLG_Picture;
        Icon->ExData = "Bitmap file|*.bmp";
        CFxProp_b* Enabled = Root->AddItem(RowClass<CFxProp_CheckBox>(), "Enabled", GetEnabled(), PaletteColor3, 0, 18);
        Enabled->Key = "E_" + GID;
    }
    UpdateButtons();
    RefreshPage();
}

void CNode_Group::Rename(std::string& NewText)
{
    NewText = StripGroupSeparator(NewText);
    if (IsRoot) {
        if (CFxProp_b* Title = ViewPage->FindItem("eList_GGroup"))
            Title->SetValue(NewText);
        if (CFxPropPageLogic* Shown = Form->CurrentPage())
            Shown->RepaintPage();
        Form->SetModified();
        return;
    }
    if (NameRow)
        NameRow->SetValue(NewText);
    SetName(NewText);
}

void CNode_Group::UpdateButtons()
{
    CNode_b::UpdateButtons();
    Form->SetNodeButtonEnabled(nbAddGroup, true);
    Form->SetNodeButtonEnabled(nbAddApp, true);
    Form->SetNodeButtonEnabled(nbDelete, !IsRoot);
}

void CNode_Group::PropChanged(CFxProp_b* Row)
{
    CNode_b::PropChanged(Row);
    if (!Row)
        return;
    if (Row->Key == GID) {
        SetIcon(Row->Value);
    } else if (Row->Key == GID + "_GN") {
        SetName(Row->Value);
        Tree->SetItemText(TreeNode, Row->Value);
    } else if (Row->Key == "E_" + GID) {
        SetEnabled(Row->Value);
    }
}

void CNode_Group::AddGroup()
{
    const TTreeItem Item = Tree->AddChild(Tree->FirstItem(), "New Group");
    auto* Node = new CNode_Group(*Form, Item);
    Node->SetName("New Group");
    Node->SetEnabled("true");
    Tree->SetItemNode(Item, Node);
    Tree->Expand(TreeNode);
    Tree->Select(Item);
    Form->ShowPage(*ItemPage);
}

void CNode_Group::AddApp()
{
    const std::int32_t Platform = Form->SelectPlatform();
    if (Platform < 0)
        return;
    CNode_b* App = Form->NewAppNode(*this, Platform);
    Tree->Expand(TreeNode);
    if (App)
        Tree->Select(App->TreeNode);
    Form->ShowPage(*ItemPage);
    Form->Project().Modified = true;
}

void CNode_Group::DoAction(std::uint8_t Code)
{
    CNode_b::DoAction(Code);
    switch (Code) {
    case NodeAddGroup:
    case NodeInsert:
        AddGroup();
        break;
    case NodeAddApp:
    case NodeShiftInsert:
        AddApp();
        break;
    case NodeDeleteGroup:
    case NodeDeleteSelected:
        if (!IsRoot)
            delete this;
        break;
    default:
        break;
    }
}
