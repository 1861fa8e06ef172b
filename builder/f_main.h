#pragma once

#include "builder_ui.h"
#include "project.h"
#include "dialog_progress.h"
#include "fx_button.h"
#include "help_action.h"
#include "tree_node_base.h"
#include "project_check.h"
#include "prop_page.h"
#include "ui_action_list.h"
#include "ui_form.h"
#include "ui_image_list.h"
#include "ui_menu.h"
#include "ui_panel.h"
#include "ui_status_bar.h"
#include "ui_tree_view.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CFxProp_b;
class TFMainStatusPage;

// The builder's main window: the project's tree on the left, the settings page or
// the selected item's page on the right, the status page across the bottom, the
// node buttons and Build/Preview on top, and the menu. Every command goes to the
// project object and to the tree's node objects.
class TFMain : public TForm, public IBuilderUI, public IHelpNavigator, public INodeForm, private INodeTree {
public:
    explicit TFMain(TComponent* AOwner);
    ~TFMain() override;

    TPanel* upPanel = nullptr;
    CFxButton* but_NewGroup = nullptr;
    CFxButton* but_AppAdd = nullptr;
    CFxButton* but_Delete = nullptr;
    CFxButton* butPreview = nullptr;
    CFxButton* butBuild = nullptr;
    TTreeView* tView = nullptr;
    CFxPropPage* ppItem = nullptr;
    CFxPropPage* ppView = nullptr;
    CFxPropPage* ppStatus = nullptr;
    TStatusBar* sBar = nullptr;
    TMainMenu menu;
    TActionList Actions;
    TImageList ImageList1{20, 20, true};

    TMenuItem* File1 = nullptr;
    TMenuItem* N1 = nullptr;  // "New Project"
    TMenuItem* O1 = nullptr;  // "Open Project"
    TMenuItem* S1 = nullptr;  // "Save Project"
    TMenuItem* SaveAs1 = nullptr;
    TMenuItem* Quit1 = nullptr;
    TAction* Build = nullptr;
    TAction* Preview = nullptr;
    TAction* New = nullptr;
    TAction* Open = nullptr;
    TAction* Options = nullptr;

    // Not owned.
    CCastamer* Engine = nullptr;
    std::unique_ptr<CDialogProgress> Progress;

    // Hands the project to the window and starts a new project.
    void AttachEngine(CCastamer& AEngine);

    void ShowPage(CFxPropPage* Page);
    // ppView or ppItem; null until the first ShowPage.
    CFxPropPage* CurrentPageControl() const { return FCurrentPage; }
    void UpdateCaption();
    // True when the project may be discarded (not modified, or "Yes").
    bool ConfirmDiscard();
    void BuildViewPage();
    void LoadTree();
    // The settings page into the project's settings.
    void StoreView();
    void UpdateStatusPage();
    // Ends the tree's label edit and the open edit of every page, keeping what was
    // typed: every command starts with it.
    void CommitEdits();
    // Frees every node object, the tree selecting nothing meanwhile.
    void ClearNodes();
    // The tree item that shows Node, or null.
    TTreeNode* ItemOf(const CNode_b* Node) const;
    // True while pages and nodes are rebuilt: change handlers then do nothing.
    bool Rebuilding() const { return FRebuilding > 0; }

    // Commands.
    void NewExecute(TObject* Sender);
    void OpenExecute(TObject* Sender);
    void S1Click(TObject* Sender);
    void SaveAs1Click(TObject* Sender);
    bool SaveToFile(const std::string& Name);
    void File1Click(TObject* Sender);
    void BuildExecute(TObject* Sender);
    void PreviewExecute(TObject* Sender);
    void OptionsExecute(TObject* Sender);
    void Help2Click(TObject* Sender);
    void Quit1Click(TObject* Sender);
    void but_NewGroupClick(TObject* Sender);
    void but_AppAddClick(TObject* Sender);
    void but_DeleteClick(TObject* Sender);

    // Events.
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormResize(TObject* Sender);
    bool FormCloseQuery();
    void FormClose(TObject* Sender);
    // The session ends (log off, shut down) once FormCloseQuery allowed it.
    void SessionEnd();
    void tViewChange(TObject* Sender, TTreeNode* Node);
    void tViewEdited(TObject* Sender, TTreeNode* Node, std::string& Text);
    void tViewKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void ppViewPropChange(TObject* Sender);
    void ppItemPropChange(TObject* Sender);
    // The command-line project of the first show; CommandLine is the process's own.
    void OpenCommandLineProject(const std::string& CommandLine);

    // The root item (the tree's first), or null.
    TTreeNode* RootItem() const { return tView->GetFirstNode(); }

    // IBuilderUI
    void ProgressBegin(const std::string& Text) override;
    void ProgressStep(int Percent) override;
    void ProgressEnd() override;
    bool SelectDir(std::string& Dir, const std::string& Caption, bool AllowNew, const std::string& Key) override;
    int ShowMessage(const std::string& Text, TMessageType Type, const TArrayOfString& Buttons) override;
    std::string OpenFile(const std::string& InitialDir, const std::string& Filter, DLG_Style Kind,
                         const std::string& Key) override;
    std::string SaveFile(const std::string& InitialDir, const std::string& Filter, const std::string& DefaultExt,
                         const std::string& Key) override;
    void ShowPathErrors(TPathErrors Kind, const TArrayOfString& Paths) override;
    void ShowOptions(CCastamer& Project, const std::string& Arg) override;
    void RepaintMainWindow() override;

    // IHelpNavigator
    bool SelectGroupNode(const std::string& GID, bool& IsRoot) override;
    bool SelectAppNode(const CCst_App* App) override;
    void SelectRootNode() override;
    void OpenRow(TPage Page, const std::string& Key) override;
    void AddInstallationClick() override;

    // INodeForm
    CCastamer& Project() override { return *Engine; }
    INodeTree& Tree() override { return *this; }
    CFxPropPageLogic& ItemPage() override;
    CFxPropPageLogic& ViewPage() override;
    CFxPropPageLogic* CurrentPage() override;
    void ShowPage(CFxPropPageLogic& Page) override;
    // The node object of the selected item; the nodes clear it when they go.
    CNode_b* CurrentNode() override { return FCurrentNode; }
    void SetCurrentNode(CNode_b* Node) override { FCurrentNode = Node; }
    void DisableNodeButtons() override;
    void SetNodeButtonEnabled(TNodeButton Button, bool Enabled) override;
    void SetModified() override;
    std::int32_t SelectPlatform() override;
    void SetSelectionQuiet(bool Quiet) override { FQuietSelection = Quiet; }
    CNode_b* NewAppNode(CNode_Group& Group, std::int32_t Platform) override;

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    // INodeTree over tView.
    TTreeItem AddChild(TTreeItem Parent, const std::string& Text) override;
    void DeleteItem(TTreeItem Item) override;
    std::string ItemText(TTreeItem Item) const override;
    void SetItemText(TTreeItem Item, const std::string& Text) override;
    CNode_b* ItemNode(TTreeItem Item) const override;
    void SetItemNode(TTreeItem Item, CNode_b* Node) override;
    void SetItemImage(TTreeItem Item, int Image) override;
    TTreeItem FirstItem() const override;
    TTreeItem FirstChild(TTreeItem Item) const override;
    int ChildCount(TTreeItem Item) const override;
    void Expand(TTreeItem Item) override;
    TTreeItem Selected() const override;
    void Select(TTreeItem Item) override;
    TTreeNode* NodeOfItem(TTreeItem Item) const;

    void FormCreate();
    void CreateMenu();
    // The tree's pictures from the program's resources.
    void LoadTreeImages();
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    // The settings page's value change: the root's label follows the title row.
    void ViewRowChanged(CFxProp_b* Row);
    // A node command on the current node, then the status refresh.
    void NodeButton(std::uint8_t Code);
    // The project reset of New and Open.
    void ResetProject();
    void ProjectLoaded();
    void ReportUnreadable(const std::string& FileName);
    // Installation nodes: one per installation of the project, under its group.
    void LoadAppNodes();
    // Whether Node is the installation node of App.
    static bool NodeShowsApp(const CNode_b& Node, const CCst_App* App);

    CFxPropPage* FCurrentPage = nullptr;
    CNode_b* FCurrentNode = nullptr;
    std::unique_ptr<TFMainStatusPage> FStatusPage;
    int FRebuilding = 0;
    bool FQuietSelection = false;
    bool FFirstShow = true;
    // The file the open dialog answered last.
    std::string FChosenFile;
};
