#pragma once

#include "ui_control.h"

// The system push button; with OwnerDraw its face comes from DrawItem.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);

    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    // Sets the owning form's modal result, then fires OnClick.
    void Click() override;

    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    virtual bool OwnerDraw() const { return false; }
    virtual void DrawItem(const DRAWITEMSTRUCT&) {}
};
