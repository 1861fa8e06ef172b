#include "ui_status_bar.h"

#include "ui_common_controls.h"

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner)
{
    Align = alBottom;
    FHeight = 19;
    RegisterCommonControls(ICC_BAR_CLASSES);
}

void TStatusBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = STATUSCLASSNAMEA;
    // The layer places it (Align): the bar must not move itself.
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP;
    Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TStatusBar::SetSimpleText(const std::string& Text)
{
    SendMessageA(Handle(), SB_SIMPLE, TRUE, 0);
    SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(Text.c_str()));
}
