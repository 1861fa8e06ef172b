#pragma once

#include "app_list.h"
#include "dialog_progress.h"
#include "fx_button.h"
#include "accordion_list.h"
#include "hash.h"
#include "install_setup.h"
#include "plug_loader.h"
#include "ui_bitmap.h"
#include "ui_edit.h"
#include "ui_form.h"
#include "ui_group_box.h"
#include "ui_image_list.h"
#include "ui_label.h"
#include "ui_panel.h"
#include "ui_radio_button.h"

#include <functional>
#include <memory>
#include <string>

// The installer's one window: the accordion list on the left, the selected
// installation's description and screenshot beside it over the package's background.
// It loads the package beside the program while it is created.
class TForm1 : public TForm, public IInstallerView {
public:
    // RuntimeDir: the program's directory, where "view.inst", "Data" and "plugins" lie.
    // AOnEnd ends the program (when the window closes, or the start-up failed); unset,
    // it ends the message loop.
    explicit TForm1(const std::string& ARuntimeDir, std::function<void()> AOnEnd = nullptr);
    ~TForm1() override;

    CFxList* eList = nullptr;
    TImageList gIList{30, 20};
    TImageList aiList{30, 20, true};
    TLabel* lDesc = nullptr;
    TPanel* lic = nullptr;
    TPanel* Panel2 = nullptr;
    CFxButton* butNext = nullptr;
    CFxButton* butClose = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TMemo* mLec = nullptr;
    TRadioButton* rbNext = nullptr;
    TRadioButton* RadioButton2 = nullptr;

    bool Loaded() const { return FLoaded; }
    // Why the start-up failed, for a developer: the user sees only the fixed text.
    // It goes to the debugger's output too.
    const std::string& StartFailure() const { return FStartFailure; }
    const THash& Settings() const { return FSettings; }
    CAppList* AppList() const { return FAppList.get(); }
    CPlugLoader* Plugins() const { return FPlugins.get(); }
    CDialogProgress* Progress() const { return FProgress.get(); }
    const std::string& PluginDir() const { return FPluginDir; }
    const std::string& PackageFile() const { return FPackageFile; }
    const std::string& DescText() const { return FDescText; }
    bool HasBackground() const { return FBackground != nullptr; }
    bool HasShot() const { return FShot != nullptr; }
    int ShotLeft() const { return FShotLeft; }
    int ShotTop() const { return FShotTop; }
    // Right of the list: its width, and its scroll bar's 16 while it shows one.
    int ContentEdge() const;

    std::function<void()> OnEnd;
    // Opens a web address with the shell; tests replace it.
    std::function<void(const std::string& Address)> OpenAddress;

    // The licence panel's events and the list's group click, which hides the panel.
    void rbNextClick(TObject* Sender);
    void RadioButton2Click(TObject* Sender);
    void butNextClick(TObject* Sender);
    void butCloseClick(TObject* Sender);
    void eListGroupClick(TObject* Sender);

    // IInstallerView
    std::int32_t AddListIcon(const TPackageBitmap& Bitmap) override;
    std::shared_ptr<TObject> MakePicture(const TPackageBitmap& Bitmap) override;
    std::int32_t ListWidth() override { return eList->Width(); }
    bool ListShowsScrollBar() override { return eList->UseScrollBar(); }
    std::int32_t OuterHeight() override { return Height(); }
    void ClearDescription() override;
    void PlaceDescription(const std::string& Text, std::int32_t FontColor, std::int32_t Left, std::int32_t Top,
                          std::int32_t Height) override;
    void SetSelection(const std::string& DescText, std::shared_ptr<TObject> Shot, std::int32_t ShotLeft,
                      std::int32_t ShotTop) override;
    void RepaintWindow() override { Repaint(); }
    void HideLicence() override;
    void CloseWindow() override { Close(); }
    void OpenWebAddress(const std::string& Address) override;
    void SetProgress(std::int32_t Percent) override;
    void ShowMessage(const std::string& Text, TInstallerMessage Type) override;
    bool SelectDirectory(std::string& Dir, const std::string& Caption, bool AllowNew) override;
    void ShowLicence(const std::string& Text) override;
    void StartProgress(const std::string& Text) override;
    void FinishProgress() override;

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    void Paint(TCanvas& Canvas) override;

private:
    void CreateLicencePanel();
    void FormCreate();
    void LoadApps();
    void ApplySettings();
    void SetupWindow();
    void FinishList();
    void FormActivate();
    void CloseUnloaded();

    THash FSettings{false};
    std::unique_ptr<CDataBag> FBag;
    bool FLoaded = false;
    bool FClosing = false;
    std::string FRuntimeDir, FPluginDir, FPackageFile;
    std::unique_ptr<TBitmap> FBackground;
    std::shared_ptr<TObject> FShot;
    std::string FDescText;
    std::string FStartFailure;
    int FBgLeft = 0, FBgTop = 0;
    int FShotLeft = 0, FShotTop = 0;
    std::unique_ptr<CAppList> FAppList;
    std::unique_ptr<CDialogProgress> FProgress;
    std::unique_ptr<CPlugLoader> FPlugins;
};
