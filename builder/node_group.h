#pragma once

#include "tree_node_base.h"

#include <string>

// The root node (the whole package, GID "RootGID") and the group nodes. A group's
// entry in the project's Groups table is its GroupString (Name|Icon|Enabled).
class CNode_Group : public CNode_b {
public:
    // A group node for an item the caller made; a fresh GID, which the tree building
    // replaces with the entry's key. The caller sets the item's node.
    CNode_Group(INodeForm& AForm, TTreeItem ATreeNode);
    // The root node with a new top-level item of empty text.
    static CNode_Group* CreateRoot(INodeForm& AForm);
    // Removes the group's entry and the nodes under it, then its item.
    ~CNode_Group() override;

    bool IsRoot = false;
    std::string GID;
    // The "Name" row while the item page holds this node's rows.
    CFxProp_b* NameRow = nullptr;

    std::string GetName() const;
    void SetName(const std::string& Name);
    std::string GetIcon() const;
    void SetIcon(const std::string& Icon);
    std::string GetEnabled() const;
    void SetEnabled(const std::string& Value);
    void DeleteRecord();
    void RefreshPage();

    void ShowProps() override;
    void Rename(std::string& NewText) override;
    void UpdateButtons() override;
    void PropChanged(CFxProp_b* Row) override;
    void DoAction(std::uint8_t Code) override;

private:
    struct TRootTag {};
    CNode_Group(INodeForm& AForm, TRootTag);
    void SetField(int Index, const std::string& Value);
    void AddGroup();
    void AddApp();
};

// A fresh group identifier: the local time in the long time format, "_", and a
// number from 0 to 999, drawn again while Groups already holds it.
std::string FreshGroupID(const CCastamer& Project);
