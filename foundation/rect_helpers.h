#pragma once

#include <cstdint>
#include <string>

// Right and Bottom lie one past the last pixel.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

// Fills R from "x,y,w,h": a "%" in w or h means per cent of Width or Height, an x
// or y of -1 centres. Without HasSize, R.Right and R.Bottom as given serve as w
// and h. A missing or non-numeric field raises EConvertError. Results that do not
// fit 32 bits are clamped.
void StrToRect(const std::string& S, std::int32_t Width, std::int32_t Height, bool HasSize, TRect& R);

bool RectInRect(const TRect& A, const TRect& B);
bool SameRect(const TRect& A, const TRect& B);

std::int32_t MinMaxInt(std::int32_t A, std::int32_t B, bool TakeMin);
// Low wins when Low > High.
std::int32_t EnsureRangeInt(std::int32_t Value, std::int32_t Low, std::int32_t High);
