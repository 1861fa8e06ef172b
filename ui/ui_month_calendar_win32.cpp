#include "ui_month_calendar.h"

#include "ui_common_controls.h"

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    FWidth = 191;
    FHeight = 154;
    RegisterCommonControls(ICC_DATE_CLASSES);
}

void TMonthCalendar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = MONTHCAL_CLASSA;
    Params.Style |= WS_BORDER;
}

SYSTEMTIME TMonthCalendar::Date()
{
    SYSTEMTIME T = {};
    SendMessageA(Handle(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&T));
    return T;
}

void TMonthCalendar::SetDate(const SYSTEMTIME& Value)
{
    SYSTEMTIME T = Value;
    SendMessageA(Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&T));
}

SIZE TMonthCalendar::MinimumSize()
{
    RECT R = {0, 0, 0, 0};
    SendMessageA(Handle(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&R));
    return SIZE{R.right - R.left, R.bottom - R.top};
}

LRESULT TMonthCalendar::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    const LRESULT R = TWinControl::WndProc(Msg, WParam, LParam);
    if (Msg == WM_KILLFOCUS && OnExit)
        OnExit(this);
    if (Msg == WM_LBUTTONDBLCLK && OnDblClick)
        OnDblClick(this);
    return R;
}
