#pragma once

#include "color_scheme.h"
#include "dir_list_model.h"
#include "fx_button.h"
#include "ui_combo_box.h"
#include "ui_form.h"
#include "ui_label.h"
#include "ui_list_box.h"
#include "ui_panel.h"

#include <string>
#include <vector>

// The directory chooser: a resizable window with the directory list between a top
// panel (the current directory) and a bottom panel (drives, "Select", "New", "Close").
class TDialogSelDir : public TForm {
public:
    explicit TDialogSelDir(TComponent* AOwner);

    TListBox* DL = nullptr;
    TPanel* upPanel = nullptr;
    TLabel* Label1 = nullptr;
    TPanel* downPanel = nullptr;
    TComboBox* DriveComboBox1 = nullptr;
    CFxButton* butSel = nullptr;
    CFxButton* butNew = nullptr;
    CFxButton* butCancel = nullptr;
    bool Selected = false;
    std::string SavedDir;

    // The list's current directory.
    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& Dir);
    void ApplyScheme(const ColorScheme& Scheme);

    void DLClick(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);

private:
    void DriveChange(TObject* Sender);

    std::string FDirectory;
    std::vector<TDirListItem> FItems;
    std::vector<std::string> FDrives;
};

// True when the user pressed "Select"; Dir is then the chosen directory, remembered
// under Key. Otherwise Dir is given back as it came.
bool DialogSelectDir(std::string& Dir, const std::string& Caption, bool AllowNew, const std::string& Key,
                     const ColorScheme* Scheme);
