#include "ui_group_box.h"

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 185;
    FHeight = 105;
}

void TGroupBox::Paint(TCanvas& Canvas)
{
    Canvas.Font.Assign(Font());
    const SIZE Text = Canvas.TextExtent(Caption().empty() ? std::string("X") : Caption());
    RECT Frame = {0, Text.cy / 2, Width(), Height()};
    Canvas.DrawEdge(Frame, EDGE_ETCHED, BF_RECT);
    if (Caption().empty())
        return;
    Canvas.BrushStyle = bsSolid;
    Canvas.BrushColor = Color();
    Canvas.TextOutAt(8, 0, Caption());
}
