#include "ui_button.h"

#include "ui_form.h"

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    FWidth = 75;
    FHeight = 25;
}

void TButton::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = "BUTTON";
    Params.Style |= OwnerDraw() ? BS_OWNERDRAW : BS_PUSHBUTTON;
}

void TButton::Click()
{
    if (ModalResult != mrNone) {
        for (TWinControl* P = Parent(); P; P = P->Parent())
            if (auto* F = dynamic_cast<TForm*>(P)) {
                F->SetModalResult(ModalResult);
                break;
            }
    }
    TWinControl::Click();
}

bool TButton::HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result)
{
    if (Msg == WM_COMMAND && (HIWORD(WParam) == BN_CLICKED)) {
        Click();
        Result = 0;
        return true;
    }
    if (Msg == WM_DRAWITEM && OwnerDraw()) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(LParam));
        Result = TRUE;
        return true;
    }
    return false;
}
