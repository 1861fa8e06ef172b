#include "color_helpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Rgb {
    int R, G, B;
};

Rgb Channels(TColor C) { return Rgb{static_cast<int>(C & 255), static_cast<int>((C >> 8) & 255), static_cast<int>((C >> 16) & 255)}; }

} // namespace

TEST(ColorHelpers, MakeColorMasksEachChannel)
{
    EXPECT_EQ(MakeColor(1, 2, 3), 0x030201u);
    EXPECT_EQ(MakeColor(256 + 7, -1, 0), 0x00FF07u);
}

TEST(ColorHelpers, ScaleColor)
{
    const double Inf = std::numeric_limits<double>::infinity();
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        Rgb In;
        double Factor;
        Rgb Out;
    };
    const Case Cases[] = {
        {{100, 0, 200}, 1.5, {178, 128, 228}},
        {{100, 0, 200}, 0.5, {50, 0, 100}},
        {{100, 0, 200}, 2.0, {255, 255, 255}},
        {{100, 0, 200}, 0.0, {0, 0, 0}},
        {{5, 3, 1}, 0.5, {2, 2, 0}},          // 2.5 -> 2, 1.5 -> 2, 0.5 -> 0
        {{100, 0, 200}, 3.0, {255, 255, 255}}, // beyond white clamps
        {{100, 0, 200}, -1.0, {0, 0, 0}},
        {{100, 0, 255}, Inf, {255, 255, 255}},
        {{100, 0, 200}, -Inf, {0, 0, 0}},
        {{100, 0, 200}, NaN, {100, 0, 200}},
        {{100, 0, 200}, 1e308, {255, 255, 255}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Factor);
        const Rgb Out = Channels(ScaleColor(MakeColor(C.In.R, C.In.G, C.In.B), C.Factor));
        EXPECT_EQ(Out.R, C.Out.R);
        EXPECT_EQ(Out.G, C.Out.G);
        EXPECT_EQ(Out.B, C.Out.B);
    }
}

TEST(ColorHelpers, ScaleColorKeepsHighBitsOnlyForFactorOne)
{
    const TColor SystemColor = 0x8000000Fu;
    EXPECT_EQ(ScaleColor(SystemColor, 1.0), SystemColor);
    EXPECT_EQ(ScaleColor(SystemColor, 0.5) >> 24, 0u);
}
