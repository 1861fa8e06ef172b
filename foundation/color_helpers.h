#pragma once

#include "color.h"

TColor MakeColor(int R, int G, int B);

// Factor > 1 lightens toward white (2 is white), Factor < 1 darkens, 1 keeps Color whole.
// Channels round halves to even and clamp to 0..255; a channel that would come out
// as NaN keeps its value, so hostile factors never reach an integer conversion.
TColor ScaleColor(TColor Color, double Factor);
