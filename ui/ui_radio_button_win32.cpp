#include "ui_radio_button.h"

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    FWidth = 113;
    FHeight = 17;
}

void TRadioButton::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = "BUTTON";
    // Not the automatic kind: the group is the parent's radio buttons, kept here.
    Params.Style |= BS_RADIOBUTTON;
    Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TRadioButton::HandleCreated() { ShowCheck(); }

void TRadioButton::ShowCheck()
{
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    ShowCheck();
    if (!Value)
        return;
    if (TWinControl* P = Parent())
        for (TControl* C : P->Controls())
            if (auto* Other = dynamic_cast<TRadioButton*>(C); Other && Other != this)
                Other->SetChecked(false);
    Click();
}

bool TRadioButton::HandleReflected(UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result)
{
    if (Msg == WM_CTLCOLORSTATIC || Msg == WM_CTLCOLORBTN) {
        Result = FBrush.Answer(reinterpret_cast<HDC>(WParam), Color(), Font().Color());
        return true;
    }
    if (Msg == WM_COMMAND && HIWORD(WParam) == BN_CLICKED) {
        SetChecked(true);
        Result = 0;
        return true;
    }
    return false;
}
