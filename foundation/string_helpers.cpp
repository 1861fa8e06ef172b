#include "string_helpers.h"

#include "clock.h"

#include <chrono>
#include <random>

void CutToken(std::string& S, const std::string& Separator, bool Remove, std::string& Token)
{
    // find("") answers 0, which would make every token empty.
    const std::size_t At = Separator.empty() ? std::string::npos : S.find(Separator);
    if (At == std::string::npos) {
        Token = S;
        if (Remove)
            S.clear();
        return;
    }
    Token = S.substr(0, At);
    if (Remove)
        S.erase(0, At + Separator.size());
}

std::string TokenBefore(const std::string& S, const std::string& Separator)
{
    std::string Copy = S, Token;
    CutToken(Copy, Separator, false, Token);
    return Token;
}

void SplitString(const std::string& S, const std::string& Separator, int Count, TArrayOfString& Parts)
{
    if (Count <= 0)
        return;
    std::string Work = S;
    Parts.assign(static_cast<std::size_t>(Count), std::string());
    for (std::string& Part : Parts)
        CutToken(Work, Separator, true, Part);
}

std::string LowerAscii(std::string S)
{
    for (char& C : S)
        C = LowerAscii(C);
    return S;
}

bool SameText(const std::string& A, const std::string& B)
{
    return A.size() == B.size() && StartsWithText(A, B);
}

std::string JoinStrings(const TArrayOfString& Parts, const std::string& Separator)
{
    std::string S;
    for (std::size_t I = 0; I < Parts.size(); ++I) {
        if (I > 0)
            S += Separator;
        S += Parts[I];
    }
    return S;
}

bool StartsWithText(const std::string& Prefix, const std::string& S)
{
    if (Prefix.size() > S.size())
        return false;
    for (std::size_t I = 0; I < Prefix.size(); ++I)
        if (LowerAscii(Prefix[I]) != LowerAscii(S[I]))
            return false;
    return true;
}

TCharSet CharSet(const std::string& Chars)
{
    TCharSet Set;
    for (unsigned char C : Chars)
        Set.set(C);
    return Set;
}

std::string StripChars(const TCharSet& Chars, const std::string& S, int Mode, bool All)
{
    auto InSet = [&](char C) { return Chars.test(static_cast<unsigned char>(C)); };
    std::string R = S;
    if (Mode == 0) {
        std::size_t I = 0;
        while (I < R.size()) {
            if (InSet(R[I]))
                R.erase(I, 1);
            else if (All)
                ++I;
            else
                break;
        }
    } else if (Mode == 1) {
        for (std::size_t I = R.size(); I > 0; --I) {
            if (InSet(R[I - 1]))
                R.erase(I - 1, 1);
            else if (!All)
                break;
        }
    }
    return R;
}

const TUniqueIDSource& DefaultUniqueIDSource()
{
    static std::mt19937 Engine(static_cast<std::mt19937::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}()));
    static const TUniqueIDSource Source{
        [] { return LongTimeText(CurrentTime()); },
        [](std::int32_t Range) {
            return Range <= 0 ? 0 : std::uniform_int_distribution<std::int32_t>(0, Range - 1)(Engine);
        },
    };
    return Source;
}

std::string MakeUniqueID(const TUniqueIDSource& Source)
{
    static const TCharSet Separators = CharSet(" ./:_");
    const std::string Text = Source.TimeText() + "_" + std::to_string(Source.Random(10000));
    return StripChars(Separators, Text, 0, true);
}

std::string FilterIndexExt(const std::string& Filter, int Index)
{
    if (Filter.empty() || Index < 0)
        return std::string();
    std::string Work = Filter, Description, Mask;
    for (int I = 0; I < Index; ++I) {
        // Fewer pairs than Index: the missing pair's mask is empty.
        if (Work.empty())
            return std::string();
        CutToken(Work, "|", true, Description);
        CutToken(Work, "|", true, Mask);
    }
    const std::size_t Dot = Mask.find('.');
    return (Dot == std::string::npos ? Mask : Mask.substr(Dot)).substr(0, 100);
}
