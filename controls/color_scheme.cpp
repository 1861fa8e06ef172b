#include "color_scheme.h"

const ColorScheme& DefaultColorScheme()
{
    static const ColorScheme Scheme = [] {
        const TColor Tints[5] = {PaletteColor1, PaletteColor2, PaletteColor3, PaletteColor4, PaletteColor5};
        ColorScheme S{};
        for (int I = 0; I < 5; ++I) {
            S[I] = Tints[I];
            S[5 + I] = PaletteTextColor;
            S[10 + I] = 0;
        }
        return S;
    }();
    return Scheme;
}
