#pragma once

#include "ui_types.h"

#include <windows.h>

// The answer to a WM_CTLCOLOR* message: text and background colours set on the DC
// and a solid brush of the background, kept until the colour changes or the owner goes.
class TCtlColorBrush {
public:
    TCtlColorBrush() = default;
    ~TCtlColorBrush();
    TCtlColorBrush(const TCtlColorBrush&) = delete;
    TCtlColorBrush& operator=(const TCtlColorBrush&) = delete;

    LRESULT Answer(HDC DC, TColor Back, TColor Text);

private:
    HBRUSH FBrush = nullptr;
    COLORREF FRGB = 0;
};
