#pragma once

#include <cstdint>
#include <string>

// Number texts as the system reads and writes them, whatever the locale:
// "." is the decimal separator and halves round to the even neighbour.

// Leading blanks, a sign, decimal digits or a hex prefix ("$", "x", "0x"); nothing
// after the digits. Raises EConvertError for anything else or a value outside 32 bits.
std::int32_t StrToInt(const std::string& S);
bool TryStrToInt(const std::string& S, std::int32_t& Value);

std::string IntToStr(std::int64_t Value);

// Blanks around, a sign, digits with an optional "." fraction, an optional exponent.
// Raises EConvertError for anything else, and for values outside the double range.
double StrToFloat(const std::string& S);
bool TryStrToFloat(const std::string& S, double& Value);

// Shortest text that reads back to the same double, with "." as separator.
std::string FloatToStr(double Value);

// Nearest integer, halves to the even neighbour. The caller keeps X finite.
double RoundHalfEven(double X);

// Clamps first, so NaN and infinities never reach an integer conversion. NaN gives Fallback.
std::int32_t ClampToInt32(double X, std::int32_t Fallback = 0);
std::int32_t ClampToInt32(std::int64_t X);

// Numerator / Denominator rounded to the nearest integer, halves to even. Denominator > 0.
std::int64_t DivRoundHalfEven(std::int64_t Numerator, std::int64_t Denominator);
