#include "color_helpers.h"

#include "convert.h"

#include <cmath>

TColor MakeColor(int R, int G, int B)
{
    return (static_cast<TColor>(R) & 255u) + (static_cast<TColor>(G) & 255u) * 256u +
           (static_cast<TColor>(B) & 255u) * 65536u;
}

namespace {

int ScaleChannel(int C, double Factor)
{
    const double V = Factor > 1 ? C + (255 - C) * (Factor - 1) : C * Factor;
    if (std::isnan(V))
        return C;
    if (V <= 0)
        return 0;
    if (V >= 255)
        return 255;
    return static_cast<int>(RoundHalfEven(V));
}

} // namespace

TColor ScaleColor(TColor Color, double Factor)
{
    if (Factor == 1)
        return Color;
    const int R = static_cast<int>(Color & 255u);
    const int G = static_cast<int>((Color >> 8) & 255u);
    const int B = static_cast<int>((Color >> 16) & 255u);
    return MakeColor(ScaleChannel(R, Factor), ScaleChannel(G, Factor), ScaleChannel(B, Factor));
}
