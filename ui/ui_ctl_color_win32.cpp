#include "ui_ctl_color.h"

#include "ui_canvas.h"

TCtlColorBrush::~TCtlColorBrush()
{
    if (FBrush)
        DeleteObject(FBrush);
}

LRESULT TCtlColorBrush::Answer(HDC DC, TColor Back, TColor Text)
{
    const COLORREF Ground = ColorToRGB(Back);
    if (!FBrush || Ground != FRGB) {
        HBRUSH Brush = CreateSolidBrush(Ground);
        if (Brush) {
            if (FBrush)
                DeleteObject(FBrush);
            FBrush = Brush;
            FRGB = Ground;
        }
    }
    SetTextColor(DC, ColorToRGB(Text));
    SetBkColor(DC, Ground);
    return reinterpret_cast<LRESULT>(FBrush);
}
