#pragma once

#include "ui_control.h"
#include "ui_ctl_color.h"

// The system group box: a framed caption that holds controls.
class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* AOwner);
    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    TCtlColorBrush FBrush;
};
