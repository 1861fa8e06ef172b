#include "ui_tree_view.h"

#include "ui_common_controls.h"
#include "ui_image_list.h"
#include "ui_text_report.h"
#include "exceptions.h"

#include <functional>

#include <algorithm>
#include <cstring>

// --- TTreeNode --------------------------------------------------------------

void TTreeNode::UpdateItem(UINT Mask)
{
    if (!FItem || !FOwner->HandleAllocated())
        return;
    TVITEMA Item{};
    Item.mask = Mask;
    Item.hItem = FItem;
    Item.pszText = const_cast<char*>(FText.c_str());
    Item.iImage = std::max(FImageIndex, 0);
    Item.iSelectedImage = std::max(FSelectedIndex, 0);
    SendMessageA(FOwner->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
}

void TTreeNode::SetText(const std::string& Value)
{
    FText = Value;
    UpdateItem(TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int Value)
{
    FImageIndex = Value;
    UpdateItem(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int Value)
{
    FSelectedIndex = Value;
    UpdateItem(TVIF_SELECTEDIMAGE);
}

int TTreeNode::Index() const
{
    const auto& Siblings = FParent ? FParent->FChildren : FOwner->FTop;
    return static_cast<int>(std::find(Siblings.begin(), Siblings.end(), this) - Siblings.begin());
}

void TTreeNode::Expand(bool Recurse)
{
    if (FItem)
        SendMessageA(FOwner->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(FItem));
    if (Recurse)
        for (TTreeNode* C : FChildren)
            C->Expand(true);
}

void TTreeNode::Collapse()
{
    if (FItem)
        SendMessageA(FOwner->Handle(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItem));
}

bool TTreeNode::Expanded() const
{
    if (!FItem)
        return false;
    return (SendMessageA(FOwner->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItem), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

bool TTreeNode::Selected() const { return FOwner->Selected() == this; }

bool TTreeNode::EditText()
{
    FOwner->SetSelected(this);
    return SendMessageA(FOwner->Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(FItem)) != 0;
}

void TTreeNode::Delete()
{
    TTreeView* Owner = FOwner;
    Owner->Forget(this);
    if (FItem && Owner->HandleAllocated()) {
        const HTREEITEM Item = FItem;
        // The system may select another item while this one goes: none of this
        // branch can be found any more by then.
        std::vector<TTreeNode*> Branch{this};
        for (std::size_t I = 0; I < Branch.size(); ++I)
            for (TTreeNode* C : Branch[I]->FChildren)
                Branch.push_back(C);
        for (TTreeNode* N : Branch)
            N->FItem = nullptr;
        SendMessageA(Owner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Item));
    }
    Owner->FreeNode(this);
}

// --- TTreeView --------------------------------------------------------------

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    FWidth = 121;
    FHeight = 97;
    SetColor(clWindow);
    RegisterCommonControls(ICC_TREEVIEW_CLASSES);
}

TTreeView::~TTreeView()
{
    for (TTreeNode* N : FTop)
        FreeNode(N);
    FTop.clear();
}

void TTreeView::FreeNode(TTreeNode* Node)
{
    for (TTreeNode* C : Node->FChildren) {
        C->FParent = nullptr; // already out of the window
        FreeNode(C);
    }
    delete Node;
}

void TTreeView::Forget(TTreeNode* Node)
{
    auto& Siblings = Node->FParent ? Node->FParent->FChildren : FTop;
    Siblings.erase(std::remove(Siblings.begin(), Siblings.end(), Node), Siblings.end());
}

void TTreeView::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = WC_TREEVIEWA;
    Params.Style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    if (!ReadOnly)
        Params.Style |= TVS_EDITLABELS;
    if (!BorderNone)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::HandleCreated()
{
    if (FImages)
        SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->Handle()));
    SendMessageA(Handle(), TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
    ColorChanged();
    for (TTreeNode* N : AllItems())
        InsertItem(N);
}

void TTreeView::ColorChanged()
{
    if (!HandleAllocated())
        return;
    COLORREF Back = Color() & clSystemColor ? GetSysColor(static_cast<int>(Color() & 0xFF)) : Color();
    SendMessageA(Handle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(Back));
    const TColor Fore = Font().Color();
    SendMessageA(Handle(), TVM_SETTEXTCOLOR, 0,
                 static_cast<LPARAM>(Fore & clSystemColor ? GetSysColor(static_cast<int>(Fore & 0xFF)) : Fore));
    Invalidate();
}

void TTreeView::SetImages(const TImageList* List)
{
    FImages = List;
    if (HandleAllocated())
        SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(List ? List->Handle() : nullptr));
}

void TTreeView::SetIndent(int Value)
{
    FIndent = Value;
    if (HandleAllocated())
        SendMessageA(Handle(), TVM_SETINDENT, static_cast<WPARAM>(Value), 0);
}

void TTreeView::InsertItem(TTreeNode* Node)
{
    TVINSERTSTRUCTA Ins{};
    Ins.hParent = Node->FParent ? Node->FParent->FItem : TVI_ROOT;
    Ins.hInsertAfter = TVI_LAST;
    Ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    Ins.item.pszText = const_cast<char*>(Node->FText.c_str());
    Ins.item.iImage = std::max(Node->FImageIndex, 0);
    Ins.item.iSelectedImage = std::max(Node->FSelectedIndex, 0);
    Ins.item.lParam = reinterpret_cast<LPARAM>(Node);
    Node->FItem = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&Ins)));
    if (!Node->FItem)
        throw Exception("Cannot add an item to the tree");
}

TTreeNode* TTreeView::AddChild(TTreeNode* Parent, const std::string& Text)
{
    auto* Node = new TTreeNode(this, Parent);
    Node->FText = Text;
    (Parent ? Parent->FChildren : FTop).push_back(Node);
    if (HandleAllocated()) {
        try {
            InsertItem(Node);
        } catch (...) {
            Forget(Node);
            delete Node;
            throw;
        }
    }
    return Node;
}

std::vector<TTreeNode*> TTreeView::AllItems() const
{
    std::vector<TTreeNode*> Out;
    std::function<void(const std::vector<TTreeNode*>&)> Walk = [&](const std::vector<TTreeNode*>& Level) {
        for (TTreeNode* N : Level) {
            Out.push_back(N);
            Walk(N->FChildren);
        }
    };
    Walk(FTop);
    return Out;
}

void TTreeView::ClearItems()
{
    while (!FTop.empty())
        FTop.back()->Delete();
}

TTreeNode* TTreeView::NodeOf(HTREEITEM Item) const
{
    if (!Item)
        return nullptr;
    for (TTreeNode* N : AllItems())
        if (N->FItem == Item)
            return N;
    return nullptr;
}

TTreeNode* TTreeView::Selected() const
{
    if (!const_cast<TTreeView*>(this)->HandleAllocated())
        return nullptr;
    auto* Item = reinterpret_cast<HTREEITEM>(
        SendMessageA(const_cast<TTreeView*>(this)->Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    return NodeOf(Item);
}

void TTreeView::SetSelected(TTreeNode* Node)
{
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Node ? Node->FItem : nullptr));
}

bool TTreeView::IsEditing() const { return FEditing && EditHandle() != nullptr; }

void TTreeView::EndEdit(bool Cancel)
{
    if (IsEditing())
        SendMessageA(Handle(), TVM_ENDEDITLABELNOW, Cancel ? TRUE : FALSE, 0);
}

HWND TTreeView::EditHandle() const
{
    if (!const_cast<TTreeView*>(this)->HandleAllocated())
        return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(const_cast<TTreeView*>(this)->Handle(), TVM_GETEDITCONTROL, 0, 0));
}

bool TTreeView::HandleReflected(UINT Msg, WPARAM, LPARAM LParam, LRESULT& Result)
{
    if (Msg != WM_NOTIFY)
        return false;
    const auto* Header = reinterpret_cast<const NMHDR*>(LParam);
    switch (Header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
        const auto* Info = reinterpret_cast<const NMTREEVIEWA*>(LParam);
        if (OnChange)
            OnChange(this, NodeOf(Info->itemNew.hItem));
        Result = 0;
        return true;
    }
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
        FEditing = !ReadOnly;
        Result = ReadOnly ? TRUE : FALSE;
        return true;
    case TVN_ENDLABELEDITA:
    case TVN_ENDLABELEDITW: {
        Result = FALSE;
        // Wine reports an edit ended from code twice: only the first counts.
        if (!FEditing)
            return true;
        FEditing = false;
        const auto* Info = reinterpret_cast<const NMTVDISPINFOA*>(LParam);
        TTreeNode* Node = NodeOf(Info->item.hItem);
        if (!Node || !Info->item.pszText)
            return true;
        std::string Text = Header->code == TVN_ENDLABELEDITA
                               ? std::string(Info->item.pszText)
                               : std::string(); // the control is an ANSI one; never seen
        if (OnEdited)
            OnEdited(this, Node, Text);
        Node->SetText(Text);
        return true;
    }
    default:
        return false;
    }
}

void TTreeView::DescribeTexts(TTextReport& Report)
{
    Report.AddControl(*this, "");
    const TTreeNode* Sel = Selected();
    std::function<void(const std::vector<TTreeNode*>&, const std::string&)> Walk =
        [&](const std::vector<TTreeNode*>& Level, const std::string& Path) {
            for (std::size_t I = 0; I < Level.size(); ++I) {
                TTreeNode* N = Level[I];
                TTextItem Item;
                Item.Kind = "TTreeNode";
                Item.Name = Path.empty() ? std::to_string(I) : Path + "/" + std::to_string(I);
                Item.Text = N->FText;
                Item.Focused = N == Sel;
                // The request carries the item in the rectangle's first bytes.
                RECT R{};
                const HTREEITEM Id = N->FItem;
                std::memcpy(&R, &Id, sizeof Id);
                Item.Visible = N->FItem &&
                               SendMessageA(Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&R)) != 0;
                if (Item.Visible) {
                    Item.Left = R.left;
                    Item.Top = R.top;
                    Item.Width = R.right - R.left;
                    Item.Height = R.bottom - R.top;
                }
                Report.AddItem(*this, Item);
                Walk(N->FChildren, Item.Name);
            }
        };
    Walk(FTop, "");
}
