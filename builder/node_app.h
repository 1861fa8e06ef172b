#pragma once

#include "app_page_rows.h"
#include "tree_node_base.h"
#include "prop_rows.h"

#include <cstdint>
#include <string>

class CCst_App;
class CNode_Group;

// An installation in the tree: its item under its group (or the root), its page on
// the item page, every edited row written back into the installation's tables.
// The node owns the installation: destroying the node takes it out of the project.
class CNode_App : public CNode_b {
public:
    // A new installation of Platform in Parent's group, its item Parent's last child.
    CNode_App(INodeForm& AForm, CNode_Group& Parent, std::int32_t Platform);
    // The node of an installation already in the project. When its "GroupID" is not
    // Parent's GID (a group that no longer exists: the caller chose the root), it
    // takes Parent's and the project is marked modified.
    static CNode_App* CreateLoaded(INodeForm& AForm, CNode_Group& Parent, CCst_App& AApp);
    // Frees the installation first, so that the selection change that follows the
    // item's deletion no longer sees it, then the item.
    ~CNode_App() override;

    CCst_App* App = nullptr;

    void AddTreeNode(CNode_Group& Parent);
    void FreeApp();
    void RefreshPage();

    void ShowProps() override;
    void Rename(std::string& NewText) override;
    void UpdateButtons() override;
    void PropChanged(CFxProp_b* Row) override;
    void DoAction(std::uint8_t Code) override;

    // The platform sections under the "OS Dependent:" group.
    void AddPCRows(CFxProp_b& Section);
    void AddPocketPCRows(CFxProp_b& Section);
    void AddPalmRows(CFxProp_b& Section);
    // Events of the section's rows; Sender is the row.
    void BuildCabRows(TObject* Sender);
    void AddShortcutPC(TObject* Sender);
    void AddShortcutPPC(TObject* Sender);
    void AddProcFile(TObject* Sender);
    void AddColorFile(TObject* Sender);
    void RowDeleted(TObject* Sender);
    void FillCabList(TObject* Sender);

    // The table a row of the page writes into.
    THash& Table(TAppRowTable Which) const;

private:
    CNode_App(INodeForm& AForm, CNode_Group& Parent);
    CFxProp_b* AddRow(CFxProp_b& Parent, const TAppRow& Desc);
    void AddRows(CFxProp_b& Parent, const std::vector<TAppRow>& Descs);
    void NewListRow(TObject* Sender, TAppRowEvent Event);
    void Bind(CFxProp_b& Row, TAppRowEvent Event);

    CNode_Group* FParent;
};

// The first installation node in NodeList that shows App (by identity), or null.
CNode_App* FindAppNode(const CCst_App* App);
