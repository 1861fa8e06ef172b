#include "convert.h"

#include "exceptions.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

bool TryStrToInt(const std::string& S, std::int32_t& Value)
{
    std::size_t I = 0;
    const std::size_t N = S.size();
    while (I < N && S[I] == ' ')
        ++I;
    bool Negative = false;
    if (I < N && (S[I] == '+' || S[I] == '-')) {
        Negative = S[I] == '-';
        ++I;
    }
    bool Hex = false;
    if (I < N && (S[I] == '$' || S[I] == 'x' || S[I] == 'X')) {
        Hex = true;
        ++I;
    } else if (I + 1 < N && S[I] == '0' && (S[I + 1] == 'x' || S[I + 1] == 'X')) {
        Hex = true;
        I += 2;
    }
    if (I == N)
        return false;
    std::uint64_t Acc = 0;
    for (; I < N; ++I) {
        const char C = S[I];
        int Digit;
        if (C >= '0' && C <= '9')
            Digit = C - '0';
        else if (Hex && C >= 'a' && C <= 'f')
            Digit = C - 'a' + 10;
        else if (Hex && C >= 'A' && C <= 'F')
            Digit = C - 'A' + 10;
        else
            return false;
        Acc = Acc * (Hex ? 16 : 10) + static_cast<std::uint64_t>(Digit);
        if (Acc > 0xFFFFFFFFull)
            return false;
    }
    if (Hex) {
        // A hex text names the 32 bits themselves: $FFFFFFFF is -1.
        std::uint32_t Bits = static_cast<std::uint32_t>(Acc);
        if (Negative)
            Bits = 0u - Bits;
        Value = static_cast<std::int32_t>(Bits);
        return true;
    }
    if (Negative ? Acc > 0x80000000ull : Acc > 0x7FFFFFFFull)
        return false;
    Value = Negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(Acc)) : static_cast<std::int32_t>(Acc);
    return true;
}

std::int32_t StrToInt(const std::string& S)
{
    std::int32_t V;
    if (!TryStrToInt(S, V))
        throw EConvertError("'" + S + "' is not a valid integer value");
    return V;
}

std::string IntToStr(std::int64_t Value) { return std::to_string(Value); }

bool TryStrToFloat(const std::string& S, double& Value)
{
    std::size_t B = 0, E = S.size();
    while (B < E && S[B] == ' ')
        ++B;
    while (E > B && S[E - 1] == ' ')
        --E;
    // Check the grammar ourselves: from_chars alone would take "inf", "nan" and hex floats.
    std::size_t I = B;
    std::string Text;
    if (I < E && (S[I] == '+' || S[I] == '-')) {
        if (S[I] == '-')
            Text += '-';
        ++I;
    }
    std::size_t Digits = 0;
    while (I < E && S[I] >= '0' && S[I] <= '9') {
        Text += S[I++];
        ++Digits;
    }
    if (I < E && S[I] == '.') {
        Text += S[I++];
        while (I < E && S[I] >= '0' && S[I] <= '9') {
            Text += S[I++];
            ++Digits;
        }
    }
    if (Digits == 0)
        return false;
    if (I < E && (S[I] == 'e' || S[I] == 'E')) {
        Text += S[I++];
        if (I < E && (S[I] == '+' || S[I] == '-'))
            Text += S[I++];
        std::size_t ExpDigits = 0;
        while (I < E && S[I] >= '0' && S[I] <= '9') {
            Text += S[I++];
            ++ExpDigits;
        }
        if (ExpDigits == 0)
            return false;
    }
    if (I != E)
        return false;
    double V = 0;
    const auto R = std::from_chars(Text.data(), Text.data() + Text.size(), V);
    if (R.ec != std::errc() || R.ptr != Text.data() + Text.size() || !std::isfinite(V))
        return false;
    Value = V;
    return true;
}

double StrToFloat(const std::string& S)
{
    double V;
    if (!TryStrToFloat(S, V))
        throw EConvertError("'" + S + "' is not a valid floating point value");
    return V;
}

std::string FloatToStr(double Value)
{
    char Buf[64];
    const auto R = std::to_chars(Buf, Buf + sizeof Buf, Value);
    return std::string(Buf, R.ptr);
}

double RoundHalfEven(double X)
{
    const double Floor = std::floor(X);
    const double Diff = X - Floor;
    if (Diff < 0.5)
        return Floor;
    if (Diff > 0.5)
        return Floor + 1.0;
    return std::fmod(Floor, 2.0) == 0.0 ? Floor : Floor + 1.0;
}

std::int32_t ClampToInt32(double X, std::int32_t Fallback)
{
    if (std::isnan(X))
        return Fallback;
    if (X <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (X >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(X);
}

std::int32_t ClampToInt32(std::int64_t X)
{
    if (X < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    if (X > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(X);
}

std::int64_t DivRoundHalfEven(std::int64_t Numerator, std::int64_t Denominator)
{
    std::int64_t Q = Numerator / Denominator;
    std::int64_t R = Numerator % Denominator;
    // Make the remainder non-negative so that Q is the floor.
    if (R < 0) {
        R += Denominator;
        --Q;
    }
    const std::int64_t Rest = Denominator - R;
    if (R > Rest || (R == Rest && (Q % 2 != 0)))
        ++Q;
    return Q;
}
