#include "ui_label.h"

#include "ui_text.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FWidth = 65;
    FHeight = 17;
    AdjustBounds();
}

void TLabel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool Value)
{
    if (Value == FWordWrap)
        return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged()
{
    AdjustBounds();
    Invalidate();
}

std::string TLabel::DrawnText() const
{
    // An empty label still measures one line, as a blank.
    return Caption().empty() ? std::string(" ") : NormalizeLineBreaks(Caption());
}

UINT TLabel::Format() const
{
    UINT F = DT_NOPREFIX | DT_EXPANDTABS;
    if (FWordWrap)
        F |= DT_WORDBREAK;
    if (FAlignment == taCenter)
        F |= DT_CENTER;
    else if (FAlignment == taRightJustify)
        F |= DT_RIGHT;
    return F;
}

void TLabel::AdjustBounds()
{
    if (!FAutoSize)
        return;
    const TWindowDC Screen = ClientDC(nullptr);
    RECT R = {0, 0, FWordWrap ? FWidth : 0, 0};
    {
        TCanvas C(Screen.Get());
        C.Font.Assign(Font());
        C.DrawTextIn(DrawnText(), R, Format() | DT_CALCRECT);
    }
    SetBounds(FLeft, FTop, FWordWrap ? FWidth : R.right, R.bottom);
}

void TLabel::Paint(TCanvas& Canvas)
{
    RECT R = ClientRect();
    if (!Transparent) {
        Canvas.BrushStyle = bsSolid;
        Canvas.BrushColor = Color();
        Canvas.FillRect(R);
    }
    Canvas.Font.Assign(Font());
    Canvas.DrawTextIn(DrawnText(), R, Format());
}
