#pragma once

#include "fx_button.h"
#include "ui_check_box.h"
#include "ui_form.h"
#include "ui_group_box.h"
#include "ui_radio_group.h"

#include <cstdint>

class CCastamer;

// The platform chosen last with "Select" in this run; PC at start.
extern std::int32_t LastPlatform;

// The "Destination Platform" window: the three platforms, "Select" and "Cancel".
class TFNew : public TForm {
public:
    explicit TFNew(CCastamer& AProject);

    TRadioGroup* list = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    CFxButton* butCancel = nullptr;
    CFxButton* butOk = nullptr;
    TCheckBox* cb1 = nullptr;
    std::int32_t Answer = -1;

    std::int32_t Execute();

    void listClick(TObject* Sender);
    void butOkClick(TObject* Sender);
    void butCancelClick(TObject* Sender);
    void FormKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);


private:
    CCastamer& FProject;
};

// The platform code of a new installation (0 Palm OS, 1 Pocket PC, 2 PC), or -1
// when the user cancelled: the remembered one when set, else the window's answer.
std::int32_t SelectPlatform(CCastamer& Project);
