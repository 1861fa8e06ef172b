#pragma once

#include "color.h"

// The painting and dragging rules of the custom-drawn button, apart from any window.

// The face: held and hot faces are the colour stepped by ColCor; a disabled face is
// darker and ignores hot and held.
TColor FxButtonFace(TColor Color, double ColCor, bool Enabled, bool Down, bool Hot);
// The caption colour of a disabled button, from its face.
TColor FxButtonDisabledText(TColor Face);

struct TFxBevel {
    TColor OuterLeftTop, OuterRightBottom;
    TColor InnerLeftTop, InnerRightBottom;
    int TextOffset;
};

// Raised unless held or Checked, then the light and dark steps swap.
TFxBevel FxButtonBevel(TColor Face, bool Pressed);

// The maximum applies first, so a minimum above the maximum wins; -1 is no limit.
int ClampDragCoord(int Value, int Min, int Max);
