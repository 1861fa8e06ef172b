#pragma once

#include "prop_painter.h"
#include "rect_helpers.h"
#include "color.h"
#include "ui_canvas.h"
#include "ui_control.h"

#include <string>
#include <type_traits>

// The painter over a canvas: it draws with the canvas's own pen, brush and font.
class TCanvasPainter : public TPropPainter {
public:
    explicit TCanvasPainter(TCanvas& Canvas) : FCanvas(Canvas) {}

    TColor PenColor() const override { return FCanvas.PenColor; }
    void SetPenColor(TColor Color) override { FCanvas.PenColor = Color; }
    void SetBrush(TColor Color) override;
    TColor FontColor() const override { return FCanvas.Font.Color(); }
    void SetFontColor(TColor Color) override { FCanvas.Font.SetColor(Color); }
    bool FontBold() const override { return FCanvas.Font.Bold(); }
    void SetFontBold(bool Bold) override { FCanvas.Font.SetBold(Bold); }
    void Rectangle(int X1, int Y1, int X2, int Y2) override { FCanvas.Rectangle(X1, Y1, X2, Y2); }
    void MoveTo(int X, int Y) override { FCanvas.MoveTo(X, Y); }
    void LineTo(int X, int Y) override { FCanvas.LineTo(X, Y); }
    TTextSize TextExtent(const std::string& Text) override;
    void TextRect(const TRect& R, int X, int Y, const std::string& Text) override;
    bool DrawPicture(const std::string& FileName, const TRect& R) override;

private:
    TCanvas& FCanvas;
};

// Pen Color1 up the left and along the top, Color2 down the right and back along the
// bottom; end points excluded, as every line. The pen keeps Color2.
void DrawFrame3D(TCanvas& Canvas, const TRect& R, TColor Color1, TColor Color2);
void DrawFrame3DXY(TCanvas& Canvas, int X1, int Y1, int X2, int Y2, TColor Color1, TColor Color2);

// Text clipped to R, centred vertically; Alignment 3 left (+3), 4 right (-3), else
// centred. Underline draws a line under it in the font's colour.
void DrawAlignedText(TCanvas& Canvas, const TRect& R, const std::string& Text, int Alignment, bool Underline);

// Repaints at once every control Owner owns that is one of Classes or derives from one,
// in the owner's order. Only controls can be named, so nothing else can match.
template <class... Classes>
void InvalidateByClass(TComponent& Owner)
{
    static_assert((std::is_base_of<TControl, Classes>::value && ...), "only controls repaint");
    for (TComponent* C : std::vector<TComponent*>(Owner.Components()))
        if ((dynamic_cast<Classes*>(C) || ...))
            static_cast<TControl*>(dynamic_cast<TControl*>(C))->Repaint();
}
