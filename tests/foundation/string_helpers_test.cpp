#include "string_helpers.h"

#include <gtest/gtest.h>

struct CutCase {
    const char* S;
    const char* Separator;
    bool Remove;
    const char* Token;
    const char* Rest;
};

TEST(StringHelpers, CutToken)
{
    const CutCase Cases[] = {
        {"a|b|c", "|", true, "a", "b|c"},
        {"a|b|c", "|", false, "a", "a|b|c"},
        {"abc", "|", true, "abc", ""},
        {"abc", "|", false, "abc", "abc"},
        {"a::b", "::", true, "a", "b"},
        {"|x", "|", true, "", "x"},
        {"x|", "|", true, "x", ""},
        {"", "|", true, "", ""},
        {"a|b", "", true, "a|b", ""},  // an empty separator is never found
        {"a|b", "", false, "a|b", "a|b"},
        {"aXbX", "X", true, "a", "bX"},
    };
    for (const CutCase& C : Cases) {
        SCOPED_TRACE(std::string(C.S) + " / " + C.Separator);
        std::string S = C.S, Token = "junk";
        CutToken(S, C.Separator, C.Remove, Token);
        EXPECT_EQ(Token, C.Token);
        EXPECT_EQ(S, C.Rest);
    }
    EXPECT_EQ(TokenBefore("C:\\x|y", "|"), "C:\\x");
    EXPECT_EQ(TokenBefore("none", ","), "none");
}

TEST(StringHelpers, SplitString)
{
    struct Case {
        const char* S;
        const char* Separator;
        int Count;
        TArrayOfString Parts;
    };
    const Case Cases[] = {
        {"a|b|c", "|", 2, {"a", "b"}},
        {"a", "|", 3, {"a", "", ""}},
        {"a||c", "|", 3, {"a", "", "c"}},
        {"n|SCut to file|f|Desktop|g", "|", 5, {"n", "SCut to file", "f", "Desktop", "g"}},
        {"1,2,3,4,5", ",", 4, {"1", "2", "3", "4"}},
        {"a|b", "", 2, {"a|b", ""}},
        {"", "|", 1, {""}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.S);
        TArrayOfString Parts = {"stale", "stale", "stale", "stale", "stale", "stale"};
        SplitString(C.S, C.Separator, C.Count, Parts);
        EXPECT_EQ(Parts, C.Parts);
    }
    for (int Count : {0, -1, -2147483647 - 1}) {
        TArrayOfString Kept = {"x", "y"};
        SplitString("a|b", "|", Count, Kept);
        EXPECT_EQ(Kept, (TArrayOfString{"x", "y"}));
    }
}

TEST(StringHelpers, JoinStringsAndBack)
{
    EXPECT_EQ(JoinStrings({"a", "", "c"}, "|"), "a||c");
    EXPECT_EQ(JoinStrings({}, "|"), "");
    EXPECT_EQ(JoinStrings({"only"}, "|"), "only");
    EXPECT_EQ(JoinStrings({"a", "b"}, ""), "ab");
    EXPECT_EQ(JoinStrings({"", ""}, "::"), "::");
    TArrayOfString Back;
    SplitString(JoinStrings({"a", "", "c"}, "|"), "|", 3, Back);
    EXPECT_EQ(Back, (TArrayOfString{"a", "", "c"}));
}

TEST(StringHelpers, StartsWithText)
{
    EXPECT_TRUE(StartsWithText("C:\\PROG", "c:\\prog\\x"));
    EXPECT_TRUE(StartsWithText("", "anything"));
    EXPECT_TRUE(StartsWithText("", ""));
    EXPECT_FALSE(StartsWithText("abc", "ab"));
    EXPECT_FALSE(StartsWithText("C:\\Src2", "C:\\Src"));
    // Only A-Z fold: other bytes compare as they are.
    EXPECT_FALSE(StartsWithText("\xC4", "\xE4"));
}

TEST(StringHelpers, SameText)
{
    EXPECT_TRUE(SameText("Data\\A.IME", "data\\a.ime"));
    EXPECT_TRUE(SameText("", ""));
    EXPECT_FALSE(SameText("a.ime", "a.ime2"));
    EXPECT_FALSE(SameText("a.ime2", "a.ime"));
}

TEST(StringHelpers, StripChars)
{
    const TCharSet Blank = CharSet(" ");
    EXPECT_EQ(StripChars(Blank, "  ab c ", 0, false), "ab c ");
    EXPECT_EQ(StripChars(Blank, "  ab c ", 1, false), "  ab c");
    EXPECT_EQ(StripChars(Blank, "  ab c ", 0, true), "abc");
    EXPECT_EQ(StripChars(Blank, "  ab c ", 1, true), "abc");
    EXPECT_EQ(StripChars(Blank, "  ab c ", 2, true), "  ab c ");
    EXPECT_EQ(StripChars(Blank, "   ", 0, false), "");
    EXPECT_EQ(StripChars(Blank, "", 1, true), "");
    EXPECT_EQ(StripChars(CharSet(std::string("\0x", 2)), std::string("a\0xb", 4), 0, true), "ab");
}

TEST(StringHelpers, MakeUniqueIDJoinsTimeDigitsAndRandomNumber)
{
    int AskedRange = 0;
    TUniqueIDSource Source{[] { return std::string("3:04:05 PM"); },
                           [&](std::int32_t Range) {
                               AskedRange = Range;
                               return 42;
                           }};
    EXPECT_EQ(MakeUniqueID(Source), "30405PM42");
    EXPECT_EQ(AskedRange, 10000);
    Source.TimeText = [] { return std::string("15.04.05"); };
    Source.Random = [](std::int32_t) { return 9999; };
    EXPECT_EQ(MakeUniqueID(Source), "1504059999");
}

TEST(StringHelpers, MakeUniqueIDByDefaultIsDigits)
{
    // The system's time of day and a number below 10000: digits only, apart from the
    // letters of an AM/PM designator some locales put in the time.
    const std::string Id = MakeUniqueID();
    std::string Digits;
    for (char C : Id) {
        if (C >= '0' && C <= '9')
            Digits += C;
        else
            EXPECT_TRUE((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z')) << Id;
    }
    EXPECT_GE(Digits.size(), 6u) << Id; // at least h mm ss and one digit of the number
    EXPECT_LE(Digits.size(), 10u) << Id;
    EXPECT_TRUE(Id.back() >= '0' && Id.back() <= '9') << Id;
}

TEST(StringHelpers, FilterIndexExt)
{
    const std::string Filter = "Bitmap file|*.bmp|Project|*.bxp|All|*|Long|" + std::string(200, 'x') + "." +
                               std::string(150, 'y');
    EXPECT_EQ(FilterIndexExt("Bitmap file|*.bmp", 1), ".bmp");
    EXPECT_EQ(FilterIndexExt(Filter, 0), "");
    EXPECT_EQ(FilterIndexExt(Filter, 2), ".bxp");
    EXPECT_EQ(FilterIndexExt(Filter, 3), "*");
    EXPECT_EQ(FilterIndexExt(Filter, 4), "." + std::string(99, 'y'));
    EXPECT_EQ(FilterIndexExt(Filter, 5), "");
    EXPECT_EQ(FilterIndexExt(Filter, -1), "");
    EXPECT_EQ(FilterIndexExt("", 1), "");
    EXPECT_EQ(FilterIndexExt("Odd|*.a|B", 2), "");
    EXPECT_EQ(FilterIndexExt("Text|" + std::string(120, 't'), 1), std::string(100, 't'));
}
