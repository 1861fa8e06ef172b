#pragma once

#include "ui_control.h"
#include "ui_ctl_color.h"

// The system radio button. The radio buttons of one parent form a group: checking
// one, by the user or in code, unchecks the others. Becoming checked fires OnClick.
class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;

private:
    void ShowCheck();

    bool FChecked = false;
    TCtlColorBrush FBrush;
};
