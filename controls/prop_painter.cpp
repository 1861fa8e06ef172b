#include "prop_painter.h"

void TPropPainter::Frame3D(int X1, int Y1, int X2, int Y2, TColor Color1, TColor Color2)
{
    SetPenColor(Color1);
    MoveTo(X1, Y2);
    LineTo(X1, Y1);
    LineTo(X2, Y1);
    SetPenColor(Color2);
    LineTo(X2, Y2);
    LineTo(X1, Y2);
}

void TPropPainter::AlignedText(const TRect& R, const std::string& Text, int Alignment, bool Underline)
{
    const TTextSize Extent = TextExtent(Text);
    const int Tw = Extent.Width, Th = Extent.Height;
    const int Y = (R.Top + R.Bottom) / 2 - Th / 2;
    int X;
    if (Alignment == alLeft)
        X = R.Left + 3;
    else if (Alignment == alRight)
        X = R.Right - Tw - 3;
    else
        X = (R.Left + R.Right) / 2 - Tw / 2;
    TextRect(R, X, Y, Text);
    if (Underline) {
        const TColor Pen = PenColor();
        SetPenColor(FontColor());
        MoveTo(X, Y + Th - 1);
        LineTo(X + Tw, Y + Th - 1);
        SetPenColor(Pen);
    }
}
