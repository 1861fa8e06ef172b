#include "ui_ctl_color.h"

#include "ui_canvas.h"

LRESULT TCtlColorBrush::Answer(HDC DC, TColor Back, TColor Text)
{
    const COLORREF Ground = ColorToRGB(Back);
    if (!FBrush || Ground != FRGB) {
        if (HBRUSH Brush = CreateSolidBrush(Ground)) {
            FBrush.Reset(Brush);
            FRGB = Ground;
        }
    }
    SetTextColor(DC, ColorToRGB(Text));
    SetBkColor(DC, Ground);
    return reinterpret_cast<LRESULT>(FBrush.Get());
}
