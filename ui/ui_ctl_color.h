#pragma once

#include "ui_types.h"
#include "win32_handles.h"

#include <windows.h>

// The answer to a WM_CTLCOLOR* message: text and background colours set on the DC
// and a solid brush of the background, kept until the colour changes or the owner goes.
class TCtlColorBrush {
public:
    LRESULT Answer(HDC DC, TColor Back, TColor Text);

private:
    TGdiObject<HBRUSH> FBrush;
    COLORREF FRGB = 0;
};
