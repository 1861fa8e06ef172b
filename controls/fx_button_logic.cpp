#include "fx_button_logic.h"

#include "color_helpers.h"

TColor FxButtonFace(TColor Color, double ColCor, bool Enabled, bool Down, bool Hot)
{
    if (!Enabled)
        return ScaleColor(Color, 0.8);
    if (Down)
        return ScaleColor(Color, 1 + ColCor);
    if (Hot)
        return ScaleColor(Color, 1 - ColCor);
    return Color;
}

TColor FxButtonDisabledText(TColor Face) { return ScaleColor(Face, 1.05); }

TFxBevel FxButtonBevel(TColor Face, bool Pressed)
{
    if (Pressed)
        return TFxBevel{ScaleColor(Face, 0.5), ScaleColor(Face, 1.5), ScaleColor(Face, 0.7), ScaleColor(Face, 1.3), 1};
    return TFxBevel{ScaleColor(Face, 1.5), ScaleColor(Face, 0.5), ScaleColor(Face, 1.3), ScaleColor(Face, 0.7), 0};
}

int ClampDragCoord(int Value, int Min, int Max)
{
    if (Max != -1 && Value > Max)
        Value = Max;
    if (Min != -1 && Value < Min)
        Value = Min;
    return Value;
}
