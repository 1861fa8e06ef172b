#pragma once

#include "ui_font.h"
#include "ui_types.h"
#include "win32_handles.h"

#include <windows.h>

#include <string>
#include <vector>

// The RGB value GDI takes for a colour; system colours are looked up here, and only here.
COLORREF ColorToRGB(TColor Color);

enum TBrushStyle { bsSolid, bsClear };

// A drawing surface over a DC it does not own, with a pen, a brush and a font.
// What it selects is put back when it lets the DC go, and nothing it selected is
// freed while the DC still holds it.
class TCanvas {
public:
    explicit TCanvas(HDC DC = nullptr);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return FDC; }
    void SetHandle(HDC DC);

    TColor PenColor = clBlack;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    TFont Font;

    void FillRect(const RECT& R);
    // Outline in the pen, inside in the brush; Right and Bottom excluded.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void FrameRect(const RECT& R); // in the brush colour
    void DrawFocusRect(const RECT& R);
    void MoveTo(int X, int Y);
    // The end point is not drawn.
    void LineTo(int X, int Y);
    void Polygon(const std::vector<POINT>& Points);
    // Outline in the pen, inside in the brush, within the box X1..X2, Y1..Y2.
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void DrawEdge(RECT& R, UINT Edge, UINT Flags);

    // Transparent with a clear brush, on the brush colour otherwise.
    void TextOutAt(int X, int Y, const std::string& Text);
    // Clipped to R; a solid brush fills R first.
    void TextRect(const RECT& R, int X, int Y, const std::string& Text);
    SIZE TextExtent(const std::string& Text);
    int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }
    // DrawTextA in the font and its colour, background left as it is.
    int DrawTextIn(const std::string& Text, RECT& R, UINT Format);
    void DrawIcon(int X, int Y, HICON Icon, int Width, int Height);

    TColor Pixel(int X, int Y);

private:
    void Release();
    void UsePen();
    void UseBrush();
    void UseFont();
    void FontReleasing(HFONT Old);

    HDC FDC = nullptr;
    HGDIOBJ FOldPen = nullptr, FOldBrush = nullptr, FOldFont = nullptr;
    TGdiObject<HPEN> FPen;
    TGdiObject<HBRUSH> FBrush;
    COLORREF FPenRGB = 0, FBrushRGB = 0;
    bool FBrushClear = false;
    bool FBrushSelected = false;
};
