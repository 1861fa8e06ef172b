#pragma once

#include "color_scheme.h"
#include "fx_button.h"
#include "fx_edit.h"
#include "shortcut_logic.h"
#include "ui_combo_box.h"
#include "ui_form.h"
#include "ui_group_box.h"
#include "ui_label.h"
#include "ui_panel.h"

#include <string>

// "Edit shortcut": the five fields of a shortcut, required fields that are still empty
// marked. "Ok" is refused while a field is marked (the first one takes the focus);
// Enter accepts as things stand, Escape and "Cancel" leave everything as it was.
class TFSCutEdit : public TForm {
public:
    explicit TFSCutEdit(TComponent* AOwner);

    TGroupBox* GroupBox1 = nullptr;
    TComboBox* cbType = nullptr;
    TLabel* Label1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label2 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    CFxEdit* eInFile = nullptr;
    TComboBox* cbDir = nullptr;
    TPanel* Panel2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    CFxEdit* ePGN = nullptr;
    TLabel* Label5 = nullptr;
    CFxEdit* eName = nullptr;
    CFxButton* butOk = nullptr;
    CFxButton* butCancel = nullptr;
    CFxButton* butSelFile = nullptr;
    bool OkPressed = false;
    int DeviceMode = -1;

    bool Execute(std::string& Name, std::string& Type, std::string& File, std::string& Destination,
                 std::string& Group, const std::string& HKey, int Mode);
    void UpdateFields();
    void ApplyScheme(const ColorScheme& Scheme);

    void Button2Click(TObject* Sender);
    void butCancelClick(TObject* Sender);
    void butSelFileClick(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
};

// True when the window was accepted and a field changed; the changed fields are then
// written back. Mode 1 edits a Pocket PC shortcut, anything else a PC one.
bool EditShortcut(std::string& Name, std::string& Type, std::string& File, std::string& Destination,
                  std::string& Group, const std::string& HKey, int Mode, const ColorScheme* Scheme);
