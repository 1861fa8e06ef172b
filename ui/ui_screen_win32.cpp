#include "ui_screen.h"

#include <windows.h>

int TScreen::Width() const { return OverrideWidth > 0 ? OverrideWidth : GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return OverrideHeight > 0 ? OverrideHeight : GetSystemMetrics(SM_CYSCREEN); }

void TScreen::SetCursor(TCursor Value)
{
    if (Value == FCursor)
        return;
    FCursor = Value;
    if (FCursor != crDefault) {
        ShowCursor();
        return;
    }
    // Given back: the window under the pointer sets its own again.
    POINT P;
    if (GetCursorPos(&P))
        if (HWND W = WindowFromPoint(P))
            SendMessageA(W, WM_SETCURSOR, reinterpret_cast<WPARAM>(W), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TScreen::ShowCursor() const
{
    ::SetCursor(LoadCursor(nullptr, FCursor == crHandPoint ? IDC_HAND : IDC_ARROW));
}

TScreen& Screen()
{
    static TScreen S;
    return S;
}
