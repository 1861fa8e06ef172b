#pragma once

#include "string_list.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>

// Token is the part of S before the first Separator, or all of S. With Remove, S
// loses the token and the separator (all of S when there is none). An empty
// Separator is never found.
void CutToken(std::string& S, const std::string& Separator, bool Remove, std::string& Token);
std::string TokenBefore(const std::string& S, const std::string& Separator);

// With Count > 0, Parts becomes exactly Count fields of S; with Count <= 0 it stays as it was.
void SplitString(const std::string& S, const std::string& Separator, int Count, TArrayOfString& Parts);
std::string JoinStrings(const TArrayOfString& Parts, const std::string& Separator);

// A-Z as a-z; every other byte as it is, whatever the locale.
inline char LowerAscii(char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; }
std::string LowerAscii(std::string S);

// Prefix equals the start of S, ASCII letters compared without case.
bool StartsWithText(const std::string& Prefix, const std::string& S);
// A equals B, ASCII letters compared without case.
bool SameText(const std::string& A, const std::string& B);

using TCharSet = std::bitset<256>;
TCharSet CharSet(const std::string& Chars);

// Mode 0 works from the left, mode 1 from the right; without All it trims the
// characters of Chars from that end, with All it removes every one of them.
std::string StripChars(const TCharSet& Chars, const std::string& S, int Mode, bool All);

// Where MakeUniqueID takes the time, its text and the random number from.
struct TUniqueIDSource {
    std::function<std::string()> TimeText;
    // A pseudo-random integer from 0 to Range - 1.
    std::function<std::int32_t(std::int32_t Range)> Random;
};

// The clock in the long time format and a seeded generator.
const TUniqueIDSource& DefaultUniqueIDSource();

// The time's digits followed by a random number's: "3:04:05 PM" and 42 give "30405PM42".
std::string MakeUniqueID(const TUniqueIDSource& Source = DefaultUniqueIDSource());

// The extension of the Index-th (from 1) "description|mask" pair of a filter text.
std::string FilterIndexExt(const std::string& Filter, int Index);
