#pragma once

#include "color_helpers.h"
#include "color.h"

#include <array>

// Background of a required field that is still empty.
constexpr TColor InvalidFieldColor = 255u | (240u << 8) | (240u << 16);

// The one palette of both programs, lightest tint first.
inline const TColor PaletteColor1 = MakeColor(255, 240, 225);
inline const TColor PaletteColor2 = MakeColor(255, 230, 205);
inline const TColor PaletteColor3 = MakeColor(255, 204, 155);
inline const TColor PaletteColor4 = MakeColor(255, 189, 125);
inline const TColor PaletteColor5 = MakeColor(255, 179, 105);
inline const TColor PaletteTextColor = MakeColor(0, 65, 131);

// Entries 0-4 backgrounds, 5-9 a third colour per level, 10-14 the matching texts.
// Receivers take it by pointer; null means "keep your own colours".
using ColorScheme = std::array<TColor, 15>;

// The scheme made from the palette, computed once.
const ColorScheme& DefaultColorScheme();
