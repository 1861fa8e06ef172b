#include "ui_canvas.h"

#include <utility>

COLORREF ColorToRGB(TColor Color)
{
    if (Color & clSystemColor)
        return GetSysColor(static_cast<int>(Color & 0xFF));
    if (Color == clNone)
        return 0;
    return static_cast<COLORREF>(Color & 0xFFFFFF);
}

TCanvas::TCanvas(HDC DC) : FDC(DC)
{
    Font.FReleasing = [this](HFONT Old) { FontReleasing(Old); };
}

TCanvas::~TCanvas() { Release(); }

void TCanvas::SetHandle(HDC DC)
{
    if (DC == FDC)
        return;
    Release();
    FDC = DC;
}

void TCanvas::Release()
{
    if (FDC) {
        if (FOldPen)
            SelectObject(FDC, FOldPen);
        if (FOldBrush)
            SelectObject(FDC, FOldBrush);
        if (FOldFont)
            SelectObject(FDC, FOldFont);
    }
    FOldPen = FOldBrush = FOldFont = nullptr;
    FPen.Reset();
    FBrush.Reset();
    FBrushSelected = false;
}

void TCanvas::FontReleasing(HFONT Old)
{
    if (FDC && FOldFont && GetCurrentObject(FDC, OBJ_FONT) == Old) {
        SelectObject(FDC, FOldFont);
        FOldFont = nullptr;
    }
}

void TCanvas::UsePen()
{
    const COLORREF RGBValue = ColorToRGB(PenColor);
    if (FPen && RGBValue == FPenRGB)
        return;
    TGdiObject<HPEN> Pen(CreatePen(PS_SOLID, 1, RGBValue));
    HGDIOBJ Old = SelectObject(FDC, Pen.Get());
    if (!FOldPen)
        FOldPen = Old;
    FPen = std::move(Pen); // the one before is out of the DC now
    FPenRGB = RGBValue;
}

void TCanvas::UseBrush()
{
    const bool Clear = BrushStyle == bsClear;
    const COLORREF RGBValue = ColorToRGB(BrushColor);
    if (FBrushSelected && Clear == FBrushClear && (Clear || RGBValue == FBrushRGB))
        return;
    TGdiObject<HBRUSH> Brush(Clear ? nullptr : CreateSolidBrush(RGBValue));
    HGDIOBJ Old = SelectObject(FDC, Clear ? GetStockObject(NULL_BRUSH) : Brush.Get());
    if (!FOldBrush)
        FOldBrush = Old;
    FBrush = std::move(Brush);
    FBrushClear = Clear;
    FBrushRGB = RGBValue;
    FBrushSelected = true;
}

void TCanvas::UseFont()
{
    HGDIOBJ Old = SelectObject(FDC, Font.Handle());
    if (!FOldFont)
        FOldFont = Old;
    SetTextColor(FDC, ColorToRGB(Font.Color()));
}

void TCanvas::FillRect(const RECT& R)
{
    if (BrushStyle == bsClear)
        return;
    const TGdiObject<HBRUSH> Brush(CreateSolidBrush(ColorToRGB(BrushColor)));
    ::FillRect(FDC, &R, Brush.Get());
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    UsePen();
    UseBrush();
    ::Rectangle(FDC, X1, Y1, X2, Y2);
}

void TCanvas::FrameRect(const RECT& R)
{
    const TGdiObject<HBRUSH> Brush(CreateSolidBrush(ColorToRGB(BrushColor)));
    ::FrameRect(FDC, &R, Brush.Get());
}

void TCanvas::DrawFocusRect(const RECT& R)
{
    SetTextColor(FDC, 0);
    SetBkColor(FDC, RGB(255, 255, 255));
    ::DrawFocusRect(FDC, &R);
}

void TCanvas::MoveTo(int X, int Y) { MoveToEx(FDC, X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y)
{
    UsePen();
    ::LineTo(FDC, X, Y);
}

void TCanvas::Polygon(const std::vector<POINT>& Points)
{
    if (Points.empty())
        return;
    UsePen();
    UseBrush();
    ::Polygon(FDC, Points.data(), static_cast<int>(Points.size()));
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    UsePen();
    UseBrush();
    ::Ellipse(FDC, X1, Y1, X2, Y2);
}

void TCanvas::DrawEdge(RECT& R, UINT Edge, UINT Flags) { ::DrawEdge(FDC, &R, Edge, Flags); }

void TCanvas::TextOutAt(int X, int Y, const std::string& Text)
{
    UseFont();
    if (BrushStyle == bsClear) {
        SetBkMode(FDC, TRANSPARENT);
    } else {
        SetBkMode(FDC, OPAQUE);
        SetBkColor(FDC, ColorToRGB(BrushColor));
    }
    ::TextOutA(FDC, X, Y, Text.data(), static_cast<int>(Text.size()));
}

void TCanvas::TextRect(const RECT& R, int X, int Y, const std::string& Text)
{
    UseFont();
    UINT Options = ETO_CLIPPED;
    if (BrushStyle != bsClear) {
        Options |= ETO_OPAQUE;
        SetBkMode(FDC, OPAQUE);
        SetBkColor(FDC, ColorToRGB(BrushColor));
    } else {
        SetBkMode(FDC, TRANSPARENT);
    }
    ExtTextOutA(FDC, X, Y, Options, &R, Text.data(), static_cast<UINT>(Text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& Text)
{
    UseFont();
    SIZE S = {0, 0};
    GetTextExtentPoint32A(FDC, Text.data(), static_cast<int>(Text.size()), &S);
    return S;
}

int TCanvas::DrawTextIn(const std::string& Text, RECT& R, UINT Format)
{
    UseFont();
    SetBkMode(FDC, TRANSPARENT);
    return ::DrawTextA(FDC, Text.data(), static_cast<int>(Text.size()), &R, Format);
}

void TCanvas::DrawIcon(int X, int Y, HICON Icon, int Width, int Height)
{
    DrawIconEx(FDC, X, Y, Icon, Width, Height, 0, nullptr, DI_NORMAL);
}

TColor TCanvas::Pixel(int X, int Y)
{
    return static_cast<TColor>(GetPixel(FDC, X, Y) & 0xFFFFFF);
}
