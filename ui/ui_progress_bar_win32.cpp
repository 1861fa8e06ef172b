#include "ui_progress_bar.h"

#include "ui_common_controls.h"

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FWidth = 150;
    FHeight = 16;
    RegisterCommonControls(ICC_PROGRESS_CLASS);
}

void TProgressBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = PROGRESS_CLASSA;
    Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TProgressBar::HandleCreated()
{
    SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(FMin), static_cast<LPARAM>(FMax));
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SetRange(int AMin, int AMax)
{
    FMin = AMin;
    FMax = AMax < AMin ? AMin : AMax;
    if (HandleAllocated())
        SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(FMin), static_cast<LPARAM>(FMax));
    SetPosition(FPosition);
}

void TProgressBar::SetPosition(int Value)
{
    FPosition = Value < FMin ? FMin : (Value > FMax ? FMax : Value);
    if (HandleAllocated())
        SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}
