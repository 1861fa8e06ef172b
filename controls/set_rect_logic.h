#pragma once

#include "rect_helpers.h"
#include "color.h"

#include <string>

// The size-and-position dialog's text to fields and back, read leniently so that any
// rectangle text opens it: a field is a number only when it is all digits, else 0.
struct TRectFields {
    std::string Left, Top, Width, Height;
    bool LeftCenter = false, TopCenter = false;
    bool WidthPercent = false, HeightPercent = false;
};

// "" for an empty text, the text when it is all digits, otherwise "0".
std::string LenientDigits(const std::string& Text);
// The number of an all-digit text (clamped to 32 bits), else 0.
std::int32_t LenientNumber(const std::string& Text);

TRectFields LoadRectFields(const std::string& RectText);
std::string RectFieldsText(const TRectFields& Fields);

// The preview on a ScreenWidth x ScreenHeight screen, scaled into 254 x 180 pixels:
// the screen, the window clipped to it, and green when the window fits, red when not.
struct TRectPreview {
    TRect Screen;
    TRect Window;
    TColor Fill = 0;
};
TRectPreview ComputeRectPreview(const std::string& RectText, std::int32_t ScreenWidth, std::int32_t ScreenHeight);
