#include "exceptions.h"
#include "rect_helpers.h"

#include <gtest/gtest.h>

#include <climits>

struct RectCase {
    const char* S;
    std::int32_t Width, Height;
    TRect Expected;
};

TEST(RectHelpers, StrToRect)
{
    const RectCase Cases[] = {
        {"-1,-1,490,330", 1024, 768, {267, 219, 757, 549}},
        {"10,20,50%,25%", 800, 600, {10, 20, 410, 170}},
        {"-1,5,100,100", 801, 600, {350, 5, 450, 105}},
        {"0,0,50%,50%", 1025, 1023, {0, 0, 512, 512}},
        {"-1,-1,491,10", 400, 10, {-45, 0, 446, 10}},
        {"-2,-3,4,5", 100, 100, {-2, -3, 2, 2}},
        {"1,2,3,4,ignored,more", 0, 0, {1, 2, 4, 6}},
        {"0,0,1%0,%5", 1000, 1000, {0, 0, 100, 50}},      // the first "%" anywhere in the field
        {"0,0,150%,-50%", 10, 10, {0, 0, 15, -5}},
        {" 7, 8,$10,0x10", 0, 0, {7, 8, 23, 24}},          // numbers read as the platform reads them
        // Hostile sizes clamp to 32 bits instead of overflowing.
        {"2147483647,0,2147483647,1", 0, 0, {INT_MAX, 0, INT_MAX, 1}},
        {"0,0,2147483647%,1", 2147483647, 0, {0, 0, INT_MAX, 1}},
        {"-1,-1,-2147483648,-2147483648", 2147483647, 2147483647, {INT_MAX, INT_MAX, -1, -1}},
        {"-1,0,-2147483648%,1", 2147483647, 0, {INT_MAX, 0, -1, 1}},
    };
    for (const RectCase& C : Cases) {
        SCOPED_TRACE(C.S);
        TRect R;
        StrToRect(C.S, C.Width, C.Height, true, R);
        EXPECT_EQ(R.Left, C.Expected.Left);
        EXPECT_EQ(R.Top, C.Expected.Top);
        EXPECT_EQ(R.Right, C.Expected.Right);
        EXPECT_EQ(R.Bottom, C.Expected.Bottom);
    }
}

TEST(RectHelpers, StrToRectWithoutSizeUsesTheCallersRightAndBottom)
{
    TRect R{0, 0, 200, 100};
    StrToRect("-1,-1,999,999", 1000, 500, false, R);
    EXPECT_EQ(R.Left, 400);
    EXPECT_EQ(R.Top, 200);
    EXPECT_EQ(R.Right, 600);
    EXPECT_EQ(R.Bottom, 300);
}

TEST(RectHelpers, StrToRectRaisesForMissingOrBadFields)
{
    for (const char* Bad : {"1,2,3", "", "1", "a,2,3,4", "1,2,3,4x", "1,2,%,4", "1,2,99999999999,4", "1,2,3.5,4"}) {
        SCOPED_TRACE(Bad);
        TRect R;
        EXPECT_THROW(StrToRect(Bad, 100, 100, true, R), EConvertError);
    }
}

TEST(RectHelpers, RectComparisons)
{
    const TRect Outer{0, 0, 10, 10};
    EXPECT_TRUE(RectInRect(TRect{0, 0, 10, 10}, Outer));
    EXPECT_TRUE(RectInRect(TRect{2, 2, 5, 5}, Outer));
    EXPECT_FALSE(RectInRect(TRect{-1, 0, 5, 5}, Outer));
    EXPECT_FALSE(RectInRect(TRect{0, 0, 11, 5}, Outer));
    EXPECT_TRUE(SameRect(Outer, TRect{0, 0, 10, 10}));
    EXPECT_FALSE(SameRect(Outer, TRect{0, 0, 10, 11}));
}

TEST(RectHelpers, IntegerClamps)
{
    EXPECT_EQ(MinMaxInt(3, 9, true), 3);
    EXPECT_EQ(MinMaxInt(3, 9, false), 9);
    EXPECT_EQ(MinMaxInt(INT_MIN, INT_MAX, true), INT_MIN);
    EXPECT_EQ(EnsureRangeInt(5, 10, 0), 10);
    EXPECT_EQ(EnsureRangeInt(5, 0, 10), 5);
    EXPECT_EQ(EnsureRangeInt(-5, 0, 10), 0);
    EXPECT_EQ(EnsureRangeInt(50, 0, 10), 10);
}
