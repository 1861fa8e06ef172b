#pragma once

#include "ui_control.h"

// The system month calendar. OnExit follows the loss of the focus.
class TMonthCalendar : public TWinControl {
public:
    explicit TMonthCalendar(TComponent* AOwner);
    SYSTEMTIME Date();
    void SetDate(const SYSTEMTIME& Value);
    // The size the calendar needs to show one month.
    SIZE MinimumSize();
    TNotifyEvent OnExit;
    TNotifyEvent OnDblClick;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    void CreateParams(TCreateParams& Params) override;
};
