#include "ui_panel.h"

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 185;
    FHeight = 41;
}

void TPanel::Paint(TCanvas& Canvas)
{
    const int W = Width(), H = Height();
    if (BevelOuter == bvRaised || BevelOuter == bvLowered) {
        const TColor Light = BevelOuter == bvRaised ? clBtnHighlight : clBtnShadow;
        const TColor Dark = BevelOuter == bvRaised ? clBtnShadow : clBtnHighlight;
        Canvas.PenColor = Light;
        Canvas.MoveTo(0, H - 1);
        Canvas.LineTo(0, 0);
        Canvas.LineTo(W - 1, 0);
        Canvas.PenColor = Dark;
        Canvas.LineTo(W - 1, H - 1);
        Canvas.LineTo(0, H - 1);
    }
    if (!Caption().empty()) {
        RECT R = {1, 1, W - 1, H - 1};
        Canvas.Font.Assign(Font());
        Canvas.DrawTextIn(Caption(), R, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}
