#include "prop_rows.h"

#include "color_helpers.h"
#include "convert.h"
#include "draw_helpers.h"
#include "prop_page_logic.h"
#include "ui_canvas.h"

namespace {

TRect Across(const TRect& CaptionCell, const TRect& ValueCell)
{
    return TRect{CaptionCell.Left, CaptionCell.Top, ValueCell.Right, ValueCell.Bottom};
}

// The colour swatch: filled with the colour, or a crossed box for no colour.
void Swatch(TCanvas& C, const CFxProp_b& Row, const TRect& R)
{
    TColor Color = 0;
    C.BrushStyle = bsSolid;
    if (ColorValue(Row.Value, Color)) {
        C.BrushColor = Color;
        C.PenColor = Color;
        C.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
        return;
    }
    C.BrushColor = Row.BackColor;
    C.PenColor = Row.TextColor;
    C.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    C.MoveTo(R.Left, R.Top);
    C.LineTo(R.Right, R.Bottom - 1);
    C.MoveTo(R.Right, R.Top);
    C.LineTo(R.Left, R.Bottom - 1);
}

void CheckBoxAt(TCanvas& C, int L, int T, bool Checked)
{
    C.BrushStyle = bsSolid;
    C.PenColor = clBlack;
    C.BrushColor = clWhite;
    C.Rectangle(L + 1, T + 1, L + 19, T + 19);
    if (!Checked)
        return;
    for (int Up = 0; Up < 3; ++Up) {
        C.MoveTo(L + 5, T + 9 - Up);
        C.LineTo(L + 9, T + 13 - Up);
        C.LineTo(L + 15, T + 7 - Up);
    }
}

} // namespace

void CFxProp_b::UseRowColors(TCanvas& C) const
{
    C.BrushStyle = bsSolid;
    C.BrushColor = BackColor;
    C.PenColor = BackColor;
    C.Font.SetColor(TextColor);
}

void CFxProp_b::UsePageColors(TCanvas& C) const
{
    C.BrushStyle = bsSolid;
    C.BrushColor = Page ? Page->PageColor() : 0;
    C.Font.SetColor(Page ? Page->FontColor() : 0);
}

void CFxProp_b::Paint(TCanvas& Canvas, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    UseRowColors(Canvas);
    DrawAlignedText(Canvas, CaptionCell, Caption, 3, false);
    DrawAlignedText(Canvas, ValueCell, Value, 3, false);
    PaintFrame(Canvas, ValueCell.Left, ValueCell.Top, ValueCell.Right - 1, ValueCell.Bottom - 1, BackColor);
}

void CFxProp_b::PaintHelp(TCanvas& Canvas, const TRect& Rect)
{
    UsePageColors(Canvas);
    const std::string Text =
        IsGroup ? "Group " + Value + " (" + IntToStr(static_cast<std::int64_t>(Children.size())) + ")" : Value;
    DrawAlignedText(Canvas, Rect, Text, 5, false);
    if (!HelpText.empty())
        DrawAlignedText(Canvas, TRect{Rect.Left, Rect.Top, Rect.Right, Rect.Top + 20}, HelpText, 5, false);
}

void CFxProp_b::PaintFrame(TCanvas& Canvas, int Left, int Top, int Right, int Bottom, TColor Color)
{
    const TBevelCut Cut = Page ? Page->EEBC : bvNone;
    if (Cut != bvLowered && Cut != bvRaised)
        return;
    const bool Low = Cut == bvLowered;
    DrawFrame3DXY(Canvas, Left, Top, Right, Bottom, ScaleColor(Color, Low ? 0.8 : 1.8), ScaleColor(Color, Low ? 1.8 : 0.8));
    DrawFrame3DXY(Canvas, Left + 1, Top + 1, Right - 1, Bottom - 1, ScaleColor(Color, Low ? 0.2 : 1.2),
                  ScaleColor(Color, Low ? 1.2 : 0.2));
}

void CFxProp_Group::Paint(TCanvas& Canvas, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    UseRowColors(Canvas);
    DrawAlignedText(Canvas, Across(CaptionCell, ValueCell), Caption, 5, false);
}

void CFxProp_GroupPropCrea::Paint(TCanvas& Canvas, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    UseRowColors(Canvas);
    DrawAlignedText(Canvas, CaptionCell, Caption, 3, false);
    Canvas.Font.SetColor(GetValueTextColor());
    DrawAlignedText(Canvas, ValueCell, Expanded ? Value : "Click to expand", 4, false);
}

void CFxProp_Color::Paint(TCanvas& Canvas, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    UseRowColors(Canvas);
    DrawAlignedText(Canvas, CaptionCell, Caption, 3, false);
    Swatch(Canvas, *this, ValueCell);
    PaintFrame(Canvas, ValueCell.Left, ValueCell.Top, ValueCell.Right - 1, ValueCell.Bottom - 1, BackColor);
}

void CFxProp_Color::PaintHelp(TCanvas& Canvas, const TRect& Rect) { Swatch(Canvas, *this, Rect); }

void CFxProp_CheckBox::Paint(TCanvas& Canvas, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    UseRowColors(Canvas);
    DrawAlignedText(Canvas, CaptionCell, Caption, 3, false);
    Canvas.Rectangle(ValueCell.Left, ValueCell.Top, ValueCell.Right, ValueCell.Bottom);
    CheckBoxAt(Canvas, ValueCell.Left, ValueCell.Top, IsChecked());
    PaintFrame(Canvas, ValueCell.Left, ValueCell.Top, ValueCell.Right - 1, ValueCell.Bottom - 1, BackColor);
}

void CFxProp_CheckBox::PaintHelp(TCanvas& Canvas, const TRect& Rect) { CheckBoxAt(Canvas, Rect.Left, Rect.Top, IsChecked()); }

void CFxProp_Const::Paint(TCanvas& Canvas, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    Canvas.BrushStyle = bsSolid;
    Canvas.BrushColor = BackColor;
    Canvas.Font.SetColor(TextColor);
    DrawAlignedText(Canvas, Across(CaptionCell, ValueCell), Caption + " " + Value, 3, false);
}

void CFxProp_Action::Paint(TCanvas& Canvas, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    const bool WasBold = Canvas.Font.Bold();
    UseRowColors(Canvas);
    DrawAlignedText(Canvas, CaptionCell, Caption, 3, false);
    Canvas.BrushColor = GetValueBackColor();
    Canvas.PenColor = GetValueBackColor();
    Canvas.Font.SetBold(true);
    Canvas.Font.SetColor(Hot ? GetFrameColor() : GetValueTextColor());
    DrawAlignedText(Canvas, ValueCell, Value, 4, Hot);
    Canvas.Font.SetBold(WasBold);
}
