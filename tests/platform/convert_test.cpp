#include "convert.h"
#include "exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

struct IntCase {
    const char* Text;
    bool Valid;
    std::int32_t Value;
};

TEST(Convert, StrToIntAsThePlatformReadsIt)
{
    const IntCase Cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"  -17", true, -17},
        {"+8", true, 8},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"$FF", true, 255},
        {"0x10", true, 16},
        {"x1f", true, 31},
        {"$FFFFFFFF", true, -1},
        {"", false, 0},
        {" ", false, 0},
        {"-", false, 0},
        {"abc", false, 0},
        {"12 ", false, 0},
        {"1.5", false, 0},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999999", false, 0},
        {"$100000000", false, 0},
        {"\t5", false, 0},
    };
    for (const IntCase& C : Cases) {
        SCOPED_TRACE(C.Text);
        if (C.Valid) {
            EXPECT_EQ(StrToInt(C.Text), C.Value);
        } else {
            EXPECT_THROW(StrToInt(C.Text), EConvertError);
            std::int32_t V = 7;
            EXPECT_FALSE(TryStrToInt(C.Text, V));
            EXPECT_EQ(V, 7);
        }
    }
}

TEST(Convert, StrToIntMessageQuotesTheText)
{
    try {
        StrToInt("abc");
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "'abc' is not a valid integer value");
    }
}

TEST(Convert, StrToFloatAlwaysUsesADot)
{
    EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat(" -0.25 "), -0.25);
    EXPECT_DOUBLE_EQ(StrToFloat("3"), 3.0);
    EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("2.5e3"), 2500.0);
    EXPECT_DOUBLE_EQ(StrToFloat("1E-2"), 0.01);
    for (const char* Bad : {"", "1,5", "nan", "inf", "0x1p3", "1e", "1e400", "--1", "1.5x", "."}) {
        SCOPED_TRACE(Bad);
        EXPECT_THROW(StrToFloat(Bad), EConvertError);
    }
}

TEST(Convert, FloatToStrRoundTrips)
{
    EXPECT_EQ(FloatToStr(1.5), "1.5");
    EXPECT_EQ(FloatToStr(-0.1), "-0.1");
    EXPECT_EQ(StrToFloat(FloatToStr(1.0 / 3.0)), 1.0 / 3.0);
}

TEST(Convert, RoundsHalvesToEven)
{
    const double Cases[][2] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
                               {177.5, 178}, {227.5, 228}, {127.5, 128}, {1.4999, 1}, {2.5001, 3}};
    for (const auto& C : Cases)
        EXPECT_EQ(RoundHalfEven(C[0]), C[1]) << C[0];
}

TEST(Convert, DivRoundHalfEven)
{
    EXPECT_EQ(DivRoundHalfEven(1025 * 50, 100), 512);
    EXPECT_EQ(DivRoundHalfEven(1023 * 50, 100), 512);
    EXPECT_EQ(DivRoundHalfEven(150, 100), 2);
    EXPECT_EQ(DivRoundHalfEven(250, 100), 2);
    EXPECT_EQ(DivRoundHalfEven(-250, 100), -2);
    EXPECT_EQ(DivRoundHalfEven(-251, 100), -3);
    EXPECT_EQ(DivRoundHalfEven(-149, 100), -1);
}

TEST(Convert, ClampNeverConvertsNaNOrInfinity)
{
    EXPECT_EQ(ClampToInt32(std::numeric_limits<double>::quiet_NaN(), 9), 9);
    EXPECT_EQ(ClampToInt32(std::numeric_limits<double>::infinity()), INT32_MAX);
    EXPECT_EQ(ClampToInt32(-std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(ClampToInt32(1e300), INT32_MAX);
    EXPECT_EQ(ClampToInt32(std::int64_t{1} << 40), INT32_MAX);
    EXPECT_EQ(ClampToInt32(-(std::int64_t{1} << 40)), INT32_MIN);
}
