#include "ui_check_box.h"

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    FWidth = 97;
    FHeight = 17;
}

void TCheckBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = "BUTTON";
    Params.Style |= BS_AUTOCHECKBOX;
    Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TCheckBox::HandleCreated() { SendMessageA(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0); }

void TCheckBox::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

bool TCheckBox::HandleReflected(UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result)
{
    if (Msg == WM_CTLCOLORSTATIC || Msg == WM_CTLCOLORBTN) {
        Result = FBrush.Answer(reinterpret_cast<HDC>(WParam), Color(), Font().Color());
        return true;
    }
    if (Msg == WM_COMMAND && HIWORD(WParam) == BN_CLICKED) {
        const bool Now = SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (Now != FChecked) {
            FChecked = Now;
            Click();
        }
        Result = 0;
        return true;
    }
    return false;
}
