#include "ui_group_box.h"

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner)
{
    FWidth = 185;
    FHeight = 105;
}

void TGroupBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = "BUTTON";
    Params.Style |= BS_GROUPBOX;
}

bool TGroupBox::HandleReflected(UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result)
{
    if (Msg == WM_CTLCOLORSTATIC || Msg == WM_CTLCOLORBTN) {
        Result = FBrush.Answer(reinterpret_cast<HDC>(WParam), Color(), Font().Color());
        return true;
    }
    return false;
}

LRESULT TGroupBox::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    // The system box paints only its frame and caption: the inside is ours.
    if (Msg == WM_ERASEBKGND) {
        RECT R;
        GetClientRect(Handle(), &R);
        TCanvas C(reinterpret_cast<HDC>(WParam));
        C.BrushColor = Color();
        C.FillRect(R);
        return 1;
    }
    return TWinControl::WndProc(Msg, WParam, LParam);
}
