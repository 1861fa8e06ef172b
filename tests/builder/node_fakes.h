#pragma once

// A main window for the tree nodes without the main window: an in-memory tree that
// selects another item when the selected one goes, as the tree view does, and the
// window's selection reaction; the pages are the caller's.
#include "project.h"
#include "tree_node_base.h"
#include "node_group.h"
#include "prop_page_logic.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Items are the tree's own; the handle type is opaque to the nodes.
struct _TREEITEM {
    std::string Text;
    CNode_b* Node = nullptr;
    int Image = 0;
    _TREEITEM* Parent = nullptr;
    std::vector<_TREEITEM*> Children;
    bool Expanded = false;
};

class TFakeTree : public INodeTree {
public:
    // The selection changed (by Select or because the selected item went).
    std::function<void(TTreeItem)> OnChange;

    TTreeItem AddChild(TTreeItem Parent, const std::string& Text) override
    {
        FItems.push_back(std::make_unique<_TREEITEM>());
        TTreeItem Item = FItems.back().get();
        Item->Text = Text;
        Item->Parent = Parent;
        (Parent ? Parent->Children : FTop).push_back(Item);
        return Item;
    }
    void DeleteItem(TTreeItem Item) override
    {
        if (!Alive(Item))
            return;
        const bool HadSelection = FSelected && Within(FSelected, Item);
        while (!Item->Children.empty())
            DeleteItem(Item->Children.back());
        auto& Siblings = Item->Parent ? Item->Parent->Children : FTop;
        Siblings.erase(std::find(Siblings.begin(), Siblings.end(), Item));
        const TTreeItem Parent = Item->Parent;
        FItems.erase(std::find_if(FItems.begin(), FItems.end(), [&](const auto& P) { return P.get() == Item; }));
        ++Deleted;
        if (HadSelection) {
            // The parent takes the selection, as the tree view does under Wine.
            FSelected = Parent;
            if (OnChange)
                OnChange(FSelected);
        }
    }
    std::string ItemText(TTreeItem Item) const override { return Item->Text; }
    void SetItemText(TTreeItem Item, const std::string& Text) override { Item->Text = Text; }
    CNode_b* ItemNode(TTreeItem Item) const override { return Item->Node; }
    void SetItemNode(TTreeItem Item, CNode_b* Node) override { Item->Node = Node; }
    void SetItemImage(TTreeItem Item, int Image) override { Item->Image = Image; }
    TTreeItem FirstItem() const override { return FTop.empty() ? nullptr : FTop.front(); }
    TTreeItem FirstChild(TTreeItem Item) const override
    {
        return Item->Children.empty() ? nullptr : Item->Children.front();
    }
    int ChildCount(TTreeItem Item) const override { return static_cast<int>(Item->Children.size()); }
    void Expand(TTreeItem Item) override { Item->Expanded = true; }
    TTreeItem Selected() const override { return FSelected; }
    void Select(TTreeItem Item) override
    {
        if (Item == FSelected)
            return;
        FSelected = Item;
        if (OnChange)
            OnChange(Item);
    }

    bool Alive(TTreeItem Item) const
    {
        return std::any_of(FItems.begin(), FItems.end(), [&](const auto& P) { return P.get() == Item; });
    }
    std::size_t Count() const { return FItems.size(); }
    const std::vector<TTreeItem>& TopItems() const { return FTop; }
    std::vector<std::string> ChildTexts(TTreeItem Item) const
    {
        std::vector<std::string> V;
        for (TTreeItem C : Item->Children)
            V.push_back(C->Text);
        return V;
    }
    int Deleted = 0;

private:
    static bool Within(TTreeItem Item, TTreeItem Top)
    {
        for (; Item; Item = Item->Parent)
            if (Item == Top)
                return true;
        return false;
    }
    std::vector<std::unique_ptr<_TREEITEM>> FItems;
    std::vector<TTreeItem> FTop;
    TTreeItem FSelected = nullptr;
};

// Stands in for the installation node: an installation of the project with its
// platform and group, and an item under the group's; both go with the node.
class TFakeAppNode : public CNode_b {
public:
    TFakeAppNode(INodeForm& AForm, TTreeItem GroupItem, const std::string& GroupID, std::int32_t Platform)
        : CNode_b(AForm, nullptr)
    {
        App = AForm.Project().AddApp();
        App->Props.Add("DID", std::to_string(Platform));
        App->Props.Add("GroupID", GroupID);
        TreeNode = Tree->AddChild(GroupItem, "New Installation");
        Tree->SetItemNode(TreeNode, this);
    }
    ~TFakeAppNode() override
    {
        Form->SetCurrentNode(nullptr);
        Form->Project().DeleteApp(App);
        Tree->DeleteItem(TreeNode);
    }
    void UpdateButtons() override
    {
        CNode_b::UpdateButtons();
        Form->SetNodeButtonEnabled(nbDelete, true);
    }
    CCst_App* App = nullptr;
};

class TFakeNodeForm : public INodeForm {
public:
    TFakeNodeForm(CCastamer& AProject, CFxPropPageLogic& AItemPage, CFxPropPageLogic& AViewPage)
        : FProject(AProject), FItemPage(AItemPage), FViewPage(AViewPage)
    {
        FTree.OnChange = [this](TTreeItem Item) { TreeChange(Item); };
    }

    CCastamer& Project() override { return FProject; }
    INodeTree& Tree() override { return FTree; }
    TFakeTree& FakeTree() { return FTree; }
    CFxPropPageLogic& ItemPage() override { return FItemPage; }
    CFxPropPageLogic& ViewPage() override { return FViewPage; }
    CFxPropPageLogic* CurrentPage() override { return FCurrentPage; }
    void ShowPage(CFxPropPageLogic& Page) override
    {
        FCurrentPage = &Page;
        Shown.push_back(&Page == &FViewPage ? "view" : "item");
    }
    CNode_b* CurrentNode() override { return FCurrentNode; }
    void SetCurrentNode(CNode_b* Node) override { FCurrentNode = Node; }
    void DisableNodeButtons() override { Buttons = {false, false, false}; }
    void SetNodeButtonEnabled(TNodeButton Button, bool Enabled) override { Buttons[Button] = Enabled; }
    void SetModified() override { FProject.SetModified(); }
    std::int32_t SelectPlatform() override
    {
        ++PlatformQuestions;
        return PlatformAnswer;
    }
    void SetSelectionQuiet(bool Quiet) override
    {
        FQuiet = Quiet;
        QuietChanges.push_back(Quiet);
    }
    CNode_b* NewAppNode(CNode_Group& Group, std::int32_t Platform) override;

    // The window's reaction to a selection, step for step the main window's handler:
    // the item page cleared, the page of the item shown, its node current and asked
    // for its rows, the status page refreshed. A copy, not the handler: that one is a
    // member of the main window, takes the tree view's own items and needs the whole
    // window, while these fakes serve the native node tests too. The builder's process
    // tests hold the real handler to the same reaction.
    void TreeChange(TTreeItem Item)
    {
        ++Selections;
        if (FQuiet)
            return;
        ++Reactions;
        FItemPage.Clear(true);
        CNode_b* Node = Item ? Item->Node : nullptr;
        if (!Node) {
            FCurrentNode = nullptr;
            FItemPage.SetPageCaption("Item not selected");
            return;
        }
        ShowPage(Item == FTree.FirstItem() ? FViewPage : FItemPage);
        FCurrentNode = Node;
        Node->ShowProps();
        UpdateStatusPage();
    }

    std::vector<bool> Buttons = {false, false, false};
    std::int32_t PlatformAnswer = 2;
    int PlatformQuestions = 0;
    int Selections = 0, Reactions = 0;
    std::vector<bool> QuietChanges;
    std::vector<std::string> Shown;

private:
    CCastamer& FProject;
    CFxPropPageLogic& FItemPage;
    CFxPropPageLogic& FViewPage;
    TFakeTree FTree;
    CFxPropPageLogic* FCurrentPage = nullptr;
    CNode_b* FCurrentNode = nullptr;
    bool FQuiet = false;
};

inline CNode_b* TFakeNodeForm::NewAppNode(CNode_Group& Group, std::int32_t Platform)
{
    return new TFakeAppNode(*this, Group.TreeNode, Group.GID, Platform);
}
