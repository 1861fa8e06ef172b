#pragma once

#include "ui_control.h"
#include "ui_ctl_color.h"

// The system check box. A change of Checked, by the user or in code, fires OnClick,
// as the platform's check box does.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;

private:
    bool FChecked = false;
    TCtlColorBrush FBrush;
};
