#include "rect_helpers.h"

#include "convert.h"
#include "string_helpers.h"

namespace {

std::string NextField(std::string& Work)
{
    std::string Field;
    CutToken(Work, ",", true, Field);
    return Field;
}

// A size field; "%" anywhere makes it a share of Reference, in exact integer arithmetic.
std::int64_t SizeField(std::string Field, std::int32_t Reference)
{
    const std::size_t Percent = Field.find('%');
    if (Percent == std::string::npos)
        return StrToInt(Field);
    Field.erase(Percent, 1);
    const std::int64_t P = StrToInt(Field);
    return DivRoundHalfEven(static_cast<std::int64_t>(Reference) * P, 100);
}

// Truncated toward zero, as the centring is specified.
std::int64_t Centre(std::int32_t Reference, std::int64_t Size) { return (Reference - Size) / 2; }

} // namespace

void StrToRect(const std::string& S, std::int32_t Width, std::int32_t Height, bool HasSize, TRect& R)
{
    std::string Work = S;
    std::int64_t Left = StrToInt(NextField(Work));
    std::int64_t Top = StrToInt(NextField(Work));
    std::int64_t W = R.Right, H = R.Bottom;
    if (HasSize) {
        W = SizeField(NextField(Work), Width);
        H = SizeField(NextField(Work), Height);
    }
    if (Left == -1)
        Left = Centre(Width, W);
    if (Top == -1)
        Top = Centre(Height, H);
    R.Left = ClampToInt32(Left);
    R.Top = ClampToInt32(Top);
    R.Right = ClampToInt32(static_cast<std::int64_t>(R.Left) + ClampToInt32(W));
    R.Bottom = ClampToInt32(static_cast<std::int64_t>(R.Top) + ClampToInt32(H));
}

bool RectInRect(const TRect& A, const TRect& B)
{
    return A.Left >= B.Left && A.Top >= B.Top && A.Right <= B.Right && A.Bottom <= B.Bottom;
}

bool SameRect(const TRect& A, const TRect& B)
{
    return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

std::int32_t MinMaxInt(std::int32_t A, std::int32_t B, bool TakeMin)
{
    if (TakeMin)
        return A < B ? A : B;
    return A > B ? A : B;
}

std::int32_t EnsureRangeInt(std::int32_t Value, std::int32_t Low, std::int32_t High)
{
    const std::int32_t Upper = Value < High ? Value : High;
    return Low > Upper ? Low : Upper;
}
