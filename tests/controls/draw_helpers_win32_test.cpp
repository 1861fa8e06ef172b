// The shared drawing steps on a memory DC.
#include "draw_helpers.h"
#include "fx_button.h"
#include "gui_support.h"
#include "ui_form.h"
#include "ui_panel.h"

#include <memory>

TEST(DrawFrame3D, LightUpAndAlongTheTopDarkDownAndBack)
{
    TBitmap B(12, 10);
    const TColor Light = 0x00FF00, Dark = 0x0000FF;
    DrawFrame3D(B.Canvas(), TRect{1, 1, 8, 6}, Light, Dark);
    for (int Y = 1; Y <= 6; ++Y)
        EXPECT_EQ(B.Pixel(1, Y), Light) << Y;
    for (int X = 1; X <= 7; ++X)
        EXPECT_EQ(B.Pixel(X, 1), Light) << X;
    for (int Y = 1; Y <= 6; ++Y)
        EXPECT_EQ(B.Pixel(8, Y), Dark) << Y;
    for (int X = 2; X <= 8; ++X)
        EXPECT_EQ(B.Pixel(X, 6), Dark) << X;
    EXPECT_EQ(B.Pixel(0, 0), clWhite);
    EXPECT_EQ(B.Pixel(9, 7), clWhite);
    EXPECT_EQ(B.Pixel(4, 3), clWhite);
    EXPECT_EQ(B.Canvas().PenColor, Dark);

    TBitmap C(12, 10);
    DrawFrame3DXY(C.Canvas(), 1, 1, 8, 6, Light, Dark);
    for (int Y = 0; Y < 10; ++Y)
        for (int X = 0; X < 12; ++X)
            ASSERT_EQ(C.Pixel(X, Y), B.Pixel(X, Y)) << X << "," << Y;
}

TEST(DrawAlignedText, PositionsFromTheMeasuredExtent)
{
    const std::string Text = "Setup";
    const TRect R{10, 5, 190, 35};
    for (int Alignment : {3, 4, 5}) {
        TBitmap B(200, 40);
        TCanvas& C = B.Canvas();
        C.Font.SetColor(clBlack);
        C.BrushColor = 0xE0E0E0;
        C.PenColor = clRed;
        const SIZE S = C.TextExtent(Text);
        DrawAlignedText(C, R, Text, Alignment, true);
        const int Y = (R.Top + R.Bottom) / 2 - S.cy / 2;
        const int X = Alignment == 3 ? R.Left + 3 : (Alignment == 4 ? R.Right - S.cx - 3 : (R.Left + R.Right) / 2 - S.cx / 2);
        // The underline runs from X to X + tw, the end excluded.
        EXPECT_EQ(B.Pixel(X, Y + S.cy - 1), 0u) << Alignment;
        EXPECT_EQ(B.Pixel(X + S.cx - 1, Y + S.cy - 1), 0u) << Alignment;
        EXPECT_EQ(B.Pixel(X + S.cx, Y + S.cy - 1), 0xE0E0E0u) << Alignment;
        EXPECT_EQ(B.Pixel(X - 1, Y + S.cy - 1), 0xE0E0E0u) << Alignment;
        // The rectangle is filled, nothing outside it is touched, the pen is put back.
        EXPECT_EQ(B.Pixel(R.Left, R.Top), 0xE0E0E0u);
        EXPECT_EQ(B.Pixel(R.Left - 1, R.Top), clWhite);
        EXPECT_EQ(C.PenColor, clRed);
    }
}

TEST(DrawAlignedText, ClippedToTheRectangle)
{
    TBitmap B(60, 20);
    B.Canvas().Font.SetColor(clBlack);
    B.Canvas().BrushStyle = bsClear;
    DrawAlignedText(B.Canvas(), TRect{0, 0, 20, 20}, "A much longer text", 3, false);
    bool Inked = false;
    for (int Y = 0; Y < 20; ++Y) {
        for (int X = 20; X < 60; ++X)
            ASSERT_EQ(B.Pixel(X, Y), clWhite) << X;
        for (int X = 0; X < 20; ++X)
            Inked = Inked || B.Pixel(X, Y) != clWhite;
    }
    EXPECT_TRUE(Inked);
}

TEST(InvalidateByClass, RepaintsAtOnceOnlyTheNamedClasses)
{
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(30, 30, 300, 100);
    int ButtonPaints = 0;
    for (int I = 0; I < 2; ++I) {
        auto* B = new CFxButton(Form.get());
        B->SetParent(Form.get());
        B->SetBounds(10 + I * 90, 10, 80, 25);
        B->SetCustomPaint([&](TObject*) { ++ButtonPaints; });
    }
    auto* Panel = new TPanel(Form.get());
    Panel->SetParent(Form.get());
    Panel->SetBounds(10, 50, 100, 30);
    Form->Show();
    PumpMessages();
    ButtonPaints = 0;
    InvalidateByClass<CFxButton>(*Form);
    EXPECT_EQ(ButtonPaints, 2); // without the loop running
    ButtonPaints = 0;
    InvalidateByClass<TPanel>(*Form);
    EXPECT_EQ(ButtonPaints, 0);
    InvalidateByClass<CFxCustomButton, TPanel>(*Form);
    EXPECT_EQ(ButtonPaints, 2);
}
