#pragma once

#include "external_archivers.h"
#include "fx_button.h"
#include "fx_edit.h"
#include "options_logic.h"
#include "ui_check_box.h"
#include "ui_combo_box.h"
#include "ui_edit.h"
#include "ui_form.h"
#include "ui_group_box.h"
#include "ui_label.h"
#include "ui_page_control.h"
#include "ui_panel.h"

#include <cstdint>
#include <memory>
#include <string>

class CCastamer;

namespace F_Options {

// The options window's pages: a background colour of their own, painted only when it
// differs from the system's button face.
class TTabSheet : public ::TTabSheet {
public:
    explicit TTabSheet(TComponent* AOwner);
    TColor BackgroundColor = clBtnFace;

protected:
    void Paint(TCanvas& Canvas) override;
};

} // namespace F_Options

// "Options": the builder's per-user options on three pages; "Ok" stores them into the
// project object, "Cancel", Escape and the close box store nothing.
class TFOptions : public TForm {
public:
    // Finds the external archivers and fills their list.
    explicit TFOptions(TComponent* AOwner);
    ~TFOptions() override;

    TPageControl* pc = nullptr;
    F_Options::TTabSheet* TabSheet1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TCheckBox* cb1 = nullptr;
    TCheckBox* cb5 = nullptr;
    TCheckBox* cb2 = nullptr;
    F_Options::TTabSheet* TabSheet2 = nullptr;
    TComboBox* eaList = nullptr;
    TCheckBox* cb11 = nullptr;
    TCheckBox* cb12 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TCheckBox* CheckBox2 = nullptr;
    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TButton* Button1 = nullptr;
    TPanel* Panel2 = nullptr;
    F_Options::TTabSheet* TabSheet3 = nullptr;
    TGroupBox* GroupBox4 = nullptr;
    CFxEdit* eCabwizexe = nullptr;
    CFxButton* butSelCab = nullptr;
    CFxEdit* ecabwizddf = nullptr;
    CFxButton* butSelWiz = nullptr;
    CFxEdit* eMakecab = nullptr;
    CFxButton* butSelMake = nullptr;
    TPanel* Panel1 = nullptr;
    CFxButton* butOk = nullptr;
    CFxButton* butCancel = nullptr;

    CCastamer* Project = nullptr;
    std::unique_ptr<CExternalArchs> ExtArchs;
    // The platform "Ok" stores when auto-select is newly ticked.
    std::int32_t LastPlatform = 2;

    // LoadOptions, then the window modally.
    void Execute(CCastamer& AProject);
    void LoadOptions(CCastamer& AProject);
    // What the six controls hold now.
    TOptionsValues ShownValues() const;

    void butOkClick(TObject* Sender);
    void butCancelClick(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void pcDrawTab(TPageControl* Control, int TabIndex, const RECT& Rect, bool Active);

private:
    TLabel* AddLabel(TWinControl* Parent, const std::string& Caption, int X, int Y);
    TOptionsValues FOpened;
};

// Arg: empty, or a page digit (0 "General :", 1 "External Archivers", 2 "Cab Maker :")
// followed by a message, shown first as a warning. LastPlatform: the destination
// platform chosen last in this run (2 when none was). The project object's options
// change only when the user presses "Ok".
void ShowOptionsDialog(CCastamer& Project, const std::string& Arg, std::int32_t LastPlatform);
