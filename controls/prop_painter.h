#pragma once

#include "color.h"
#include "rect_helpers.h"
#include "ui_types.h"

#include <string>

// What the rows of the property page draw with: the page hands its painter to each
// row, so that the rows' drawing needs no window system and a test can record it.
// Pen, brush and font colour stay set until changed, as on a canvas.
struct TTextSize {
    int Width = 0;
    int Height = 0;
};

class TPropPainter {
public:
    virtual ~TPropPainter() = default;

    virtual TColor PenColor() const = 0;
    virtual void SetPenColor(TColor Color) = 0;
    // A solid brush of Color.
    virtual void SetBrush(TColor Color) = 0;
    virtual TColor FontColor() const = 0;
    virtual void SetFontColor(TColor Color) = 0;
    virtual bool FontBold() const = 0;
    virtual void SetFontBold(bool Bold) = 0;

    // Outline in the pen, inside in the brush; Right and Bottom excluded.
    virtual void Rectangle(int X1, int Y1, int X2, int Y2) = 0;
    virtual void MoveTo(int X, int Y) = 0;
    // The end point is not drawn.
    virtual void LineTo(int X, int Y) = 0;
    // Width and height of Text in the font.
    virtual TTextSize TextExtent(const std::string& Text) = 0;
    // Text at X, Y clipped to R, which the brush fills first.
    virtual void TextRect(const TRect& R, int X, int Y, const std::string& Text) = 0;
    // The picture in FileName (a bitmap or an icon) at R's top left, shrunk to R when
    // larger; false when the file holds neither.
    virtual bool DrawPicture(const std::string& FileName, const TRect& R) = 0;

    int TextWidth(const std::string& Text) { return TextExtent(Text).Width; }

    // Pen Color1 up the left and along the top, Color2 down the right and back along
    // the bottom; end points excluded. The pen keeps Color2.
    void Frame3D(int X1, int Y1, int X2, int Y2, TColor Color1, TColor Color2);
    void Frame3D(const TRect& R, TColor Color1, TColor Color2)
    {
        Frame3D(R.Left, R.Top, R.Right, R.Bottom, Color1, Color2);
    }
    // Text clipped to R, centred vertically; Alignment alLeft left (+3), alRight right
    // (-3), else centred. Underline draws a line under it in the font's colour.
    void AlignedText(const TRect& R, const std::string& Text, int Alignment, bool Underline);
};
