#pragma once

#include "object.h"

#include <cstdint>
#include <string>
#include <vector>

class CCastamer;
class CFxProp_b;
class CFxPropPageLogic;
class CNode_b;
class CNode_Group;

// The tree view's item handle (HTREEITEM) without the Windows headers, so that the
// nodes build and are tested natively against a tree of their own.
struct _TREEITEM;
using TTreeItem = _TREEITEM*;

// The main window's tree view as the nodes use it. Every item carries its node as data.
class INodeTree {
public:
    virtual ~INodeTree() = default;
    // A new last child of Parent (a top-level item when Parent is null).
    virtual TTreeItem AddChild(TTreeItem Parent, const std::string& Text) = 0;
    // Frees Item with everything under it.
    virtual void DeleteItem(TTreeItem Item) = 0;
    virtual std::string ItemText(TTreeItem Item) const = 0;
    virtual void SetItemText(TTreeItem Item, const std::string& Text) = 0;
    virtual CNode_b* ItemNode(TTreeItem Item) const = 0;
    virtual void SetItemNode(TTreeItem Item, CNode_b* Node) = 0;
    virtual void SetItemImage(TTreeItem Item, int Image) = 0;
    // The tree's first top-level item (the root's), null in an empty tree.
    virtual TTreeItem FirstItem() const = 0;
    virtual TTreeItem FirstChild(TTreeItem Item) const = 0;
    virtual int ChildCount(TTreeItem Item) const = 0;
    // Opens Item one level.
    virtual void Expand(TTreeItem Item) = 0;
    virtual TTreeItem Selected() const = 0;
    // Null selects nothing. The main window reacts as to any selection.
    virtual void Select(TTreeItem Item) = 0;
};

// The three node buttons of the main window's button panel.
enum TNodeButton { nbAddGroup, nbAddApp, nbDelete };

// What the nodes need of the main window (TFMain implements it).
class INodeForm {
public:
    virtual ~INodeForm() = default;
    virtual CCastamer& Project() = 0;
    virtual INodeTree& Tree() = 0;
    // ppItem, the page of the selected item, and ppView, the settings page.
    virtual CFxPropPageLogic& ItemPage() = 0;
    virtual CFxPropPageLogic& ViewPage() = 0;
    // The page shown on the right; null before the first ShowPage.
    virtual CFxPropPageLogic* CurrentPage() = 0;
    virtual void ShowPage(CFxPropPageLogic& Page) = 0;
    virtual CNode_b* CurrentNode() = 0;
    virtual void SetCurrentNode(CNode_b* Node) = 0;
    virtual void DisableNodeButtons() = 0;
    virtual void SetNodeButtonEnabled(TNodeButton Button, bool Enabled) = 0;
    virtual void SetModified() = 0;
    // The destination platform of a new installation: the remembered one, else the
    // user's answer; -1 when cancelled.
    virtual std::int32_t SelectPlatform() = 0;
    // While set, the tree's selection handler does nothing (the node list is cleared).
    virtual void SetSelectionQuiet(bool Quiet) = 0;
    // A new installation node (CNode_App) for a new installation of Platform in
    // Group, its item the last child of Group's item; the window makes it so that the
    // group node needs no installation node code.
    virtual CNode_b* NewAppNode(CNode_Group& Group, std::int32_t Platform) = 0;
    // Rebuilds the status page from the project check (a list row was deleted).
    virtual void UpdateStatusPage() {}
};

// Base of the tree's node objects: the seam between a tree item, the item page and
// the project's tables. A node joins NodeList when made and leaves it when destroyed.
class CNode_b : public TObject {
public:
    // TreeNode may be null (the kind makes its item itself).
    CNode_b(INodeForm& AForm, TTreeItem ATreeNode);
    ~CNode_b() override;
    CNode_b(const CNode_b&) = delete;
    CNode_b& operator=(const CNode_b&) = delete;

    TTreeItem TreeNode = nullptr;
    CFxPropPageLogic* ItemPage = nullptr;
    CFxPropPageLogic* ViewPage = nullptr;
    INodeTree* Tree = nullptr;
    INodeForm* Form = nullptr;

    // Fills the item page with the node's rows.
    virtual void ShowProps() {}
    // The tree label is about to become NewText; the node may change it (a group
    // drops "|"), and the tree takes what NewText holds afterwards.
    virtual void Rename(std::string& NewText);
    // Base: all three node buttons off.
    virtual void UpdateButtons();
    // A row of the item page changed its value.
    virtual void PropChanged(CFxProp_b* Row);
    // A node command; a delete command may free the node itself, so the caller must
    // not touch it afterwards.
    virtual void DoAction(std::uint8_t Code);
};

// The node commands.
constexpr std::uint8_t NodeAddGroup = 0;
constexpr std::uint8_t NodeDeleteGroup = 1;
constexpr std::uint8_t NodeAddApp = 2;
constexpr std::uint8_t NodeDeleteApp = 3;
constexpr std::uint8_t NodeDeleteSelected = 4;
constexpr std::uint8_t NodeInsert = 5;
constexpr std::uint8_t NodeShiftInsert = 6;

// Every node object, in creation order. The list owns them: emptying it destroys
// nodes until none is left (a group node destroys those under it, so the list also
// shrinks by more than one at a time).
class TNodeList {
public:
    TNodeList() = default;
    // Empty by then: the main window empties the list while it still exists.
    ~TNodeList();
    TNodeList(const TNodeList&) = delete;
    TNodeList& operator=(const TNodeList&) = delete;

    void Add(CNode_b* Node);
    // Takes Node out without freeing it.
    void Remove(CNode_b* Node);
    void Clear();
    std::size_t Count() const { return FItems.size(); }
    CNode_b* operator[](std::size_t Index) const { return FItems[Index]; }
    const std::vector<CNode_b*>& Items() const { return FItems; }

private:
    std::vector<CNode_b*> FItems;
};

extern TNodeList NodeList;

// Empties NodeList for Form: nothing selected first, the selection handler quiet
// meanwhile, so that no page is shown for a node being destroyed.
void ClearNodeList(INodeForm& Form);
