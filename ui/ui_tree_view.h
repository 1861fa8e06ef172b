#pragma once

#include "ui_control.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

class TImageList;
class TTreeView;

// One item of a tree view. The view owns it: deleting the item (or a parent, or
// clearing the view) frees the object with its window item.
class TTreeNode {
public:
    TTreeView* TreeView() const { return FOwner; }
    TTreeNode* Parent() const { return FParent; }
    HTREEITEM ItemId() const { return FItem; }

    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int Value);
    // The caller's pointer; never freed by the view.
    void* Data = nullptr;

    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int Index) const { return FChildren.at(static_cast<std::size_t>(Index)); }
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
    int Index() const;

    void Expand(bool Recurse);
    void Collapse();
    bool Expanded() const;
    bool Selected() const;
    // Starts the label editor on the item (it is selected first).
    bool EditText();
    // Frees the item, its children and their objects.
    void Delete();

private:
    friend class TTreeView;
    TTreeNode(TTreeView* Owner, TTreeNode* Parent) : FOwner(Owner), FParent(Parent) {}
    void UpdateItem(UINT Mask);

    TTreeView* FOwner;
    TTreeNode* FParent;
    HTREEITEM FItem = nullptr;
    std::string FText;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    std::vector<TTreeNode*> FChildren;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& Text)>;

// The system tree view. Items are kept as objects beside the window's items; the
// window is asked only for the selection and the editing state.
class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    // Not owned; the view draws its pictures.
    void SetImages(const TImageList* List);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    bool ReadOnly = false;
    bool BorderNone = false;

    // A new last child of Parent; at the top level without one.
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& Text);
    const std::vector<TTreeNode*>& TopItems() const { return FTop; }
    TTreeNode* GetFirstNode() const { return FTop.empty() ? nullptr : FTop.front(); }
    // Every item, parents before their children, in display order.
    std::vector<TTreeNode*> AllItems() const;
    void ClearItems();

    TTreeNode* Selected() const;
    // Null selects nothing.
    void SetSelected(TTreeNode* Node);
    bool IsEditing() const;
    // Ends an open label edit: the item takes the typed text (OnEdited runs) unless
    // Cancel gives it up.
    void EndEdit(bool Cancel);
    // The label editor's window while one is open.
    HWND EditHandle() const;

    // The selection changed (Node: the new one, or null).
    TTVChangedEvent OnChange;
    // A label edit ended with Text, which the item takes unless the handler clears it.
    TTVEditedEvent OnEdited;

    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;
    // The view, then one item per tree item: Kind "TTreeNode", Name its index path
    // ("0", "0/1"), F for the selected one, shown while its parents are open.
    void DescribeTexts(TTextReport& Report) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void ColorChanged() override;

private:
    friend class TTreeNode;
    void InsertItem(TTreeNode* Node);
    void Forget(TTreeNode* Node);
    TTreeNode* NodeOf(HTREEITEM Item) const;
    void FreeNode(TTreeNode* Node);

    const TImageList* FImages = nullptr;
    int FIndent = 19;
    std::vector<TTreeNode*> FTop;
    bool FEditing = false;
    bool FClearing = false;
};
