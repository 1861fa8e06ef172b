#pragma once

#include "builder_ui.h"
#include "castamer.h"
#include "dialog_progress.h"
#include "fx_button.h"
#include "help_action.h"
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

class CNode_b;
class CFxProp_b;
class TFMainStatusPage;

// The builder's main window: the project's tree on the left, the settings page or
// the selected item's page on the right, the status page across the bottom, the
// node buttons and Build/Preview on top, and the menu. Every command goes to the
// project object and to the tree's node objects.
class TFMain : public TForm, public IBuilderUI, public IHelpNavigator {
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
    // ppView or ppItem; null until the first ShowPage.
    CFxPropPage* CurrentPage = nullptr;
    // The node object of the selected item; the nodes clear it when they go.
    CNode_b* CurrentNode = nullptr;
    std::unique_ptr<CDialogProgress> Progress;

    // Hands the project to the window and starts a new project.
    void AttachEngine(CCastamer& AEngine);

    void DisableNodeButtons();
    void SetModified();
    void ShowPage(CFxPropPage* Page);
    void UpdateCaption();
    // True when the project may be discarded (not modified, or "Yes").
    bool ConfirmDiscard();
    void BuildViewPage();
    void LoadTree();
    // The settings page into the project's settings.
    void StoreView();
    void UpdateStatusPage();
    // Ends the open edit of every page, keeping what was typed.
    void CommitEdits();
    // Frees every node object, the tree selecting nothing meanwhile.
    void ClearNodeList();
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
    void ShowPathErrors(int Kind, const TArrayOfString& Paths) override;
    void ShowOptions(CCastamer& Project, const std::string& Arg) override;
    void RepaintMainWindow() override;

    // IHelpNavigator
    bool SelectGroupNode(const std::string& GID, bool& IsRoot) override;
    bool SelectAppNode(const CCst_App* App) override;
    void SelectRootNode() override;
    void OpenRow(TPage Page, const std::string& Key) override;
    void AddInstallationClick() override;

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    void FormCreate();
    void CreateMenu();
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    // The settings page's value change: the root's label follows the title row.
    void ViewRowChanged(CFxProp_b* Row);
    // A node command on the current node, then the status refresh.
    void NodeButton(std::uint8_t Code);
    // The project reset of New and Open.
    void ResetProject();
    void ProjectLoaded();

    std::unique_ptr<TFMainStatusPage> FStatusPage;
    int FRebuilding = 0;
    bool FQuietSelection = false;
    bool FFirstShow = true;
};

// The main window while it exists (the node objects reach it here), else null.
TFMain* MainForm();
