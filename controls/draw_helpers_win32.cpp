#include "draw_helpers.h"

void DrawFrame3DXY(TCanvas& Canvas, int X1, int Y1, int X2, int Y2, TColor Color1, TColor Color2)
{
    Canvas.PenColor = Color1;
    Canvas.MoveTo(X1, Y2);
    Canvas.LineTo(X1, Y1);
    Canvas.LineTo(X2, Y1);
    Canvas.PenColor = Color2;
    Canvas.LineTo(X2, Y2);
    Canvas.LineTo(X1, Y2);
}

void DrawFrame3D(TCanvas& Canvas, const TRect& R, TColor Color1, TColor Color2)
{
    DrawFrame3DXY(Canvas, R.Left, R.Top, R.Right, R.Bottom, Color1, Color2);
}

void DrawAlignedText(TCanvas& Canvas, const TRect& R, const std::string& Text, int Alignment, bool Underline)
{
    const SIZE Extent = Canvas.TextExtent(Text);
    const int Tw = Extent.cx, Th = Extent.cy;
    const int Y = (R.Top + R.Bottom) / 2 - Th / 2;
    int X;
    if (Alignment == alLeft)
        X = R.Left + 3;
    else if (Alignment == alRight)
        X = R.Right - Tw - 3;
    else
        X = (R.Left + R.Right) / 2 - Tw / 2;
    Canvas.TextRect(RECT{R.Left, R.Top, R.Right, R.Bottom}, X, Y, Text);
    if (Underline) {
        const TColor Pen = Canvas.PenColor;
        Canvas.PenColor = Canvas.Font.Color();
        Canvas.MoveTo(X, Y + Th - 1);
        Canvas.LineTo(X + Tw, Y + Th - 1);
        Canvas.PenColor = Pen;
    }
}
