#include "ui_screen.h"

#include <windows.h>

int TScreen::Width() const { return OverrideWidth > 0 ? OverrideWidth : GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return OverrideHeight > 0 ? OverrideHeight : GetSystemMetrics(SM_CYSCREEN); }

TScreen& Screen()
{
    static TScreen S;
    return S;
}
