// Bitmaps drawn with a transparent colour: exactly the pixels of that colour are left
// out, as the system's TransparentBlt leaves them out.
#include "ui_bitmap.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

const TColor Key = 0x008080;   // red 128, green 128, blue 0
const TColor Ground = 0x563412;

// A 4 x 3 picture of the key colour, its near neighbours and the extremes.
void PaintPicture(TBitmap& B)
{
    const TColor Pixels[3][4] = {
        {Key, 0x000000, 0xFFFFFF, Key},
        {0x018080, 0x008180, 0x008081, 0x0000FF},
        {Key, Key, 0x808000, 0x7F7F7F},
    };
    B.SetSize(4, 3);
    for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 4; ++X)
            B.SetPixel(X, Y, Pixels[Y][X]);
}

void Fill(TBitmap& B, int Width, int Height, TColor Color)
{
    B.SetSize(Width, Height);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            B.SetPixel(X, Y, Color);
}

} // namespace

TEST(BitmapDraw, TransparentColourIsLeftOutAndEveryOtherPixelCopied)
{
    TBitmap Picture;
    PaintPicture(Picture);
    TBitmap Ours, Systems;
    Fill(Ours, 7, 6, Ground);
    Fill(Systems, 7, 6, Ground);
    Picture.DrawTransparent(Ours.DC(), 2, 1, Key);
    ASSERT_TRUE(TransparentBlt(Systems.DC(), 2, 1, 4, 3, Picture.DC(), 0, 0, 4, 3, Key));
    GdiFlush();
    for (int Y = 0; Y < 6; ++Y)
        for (int X = 0; X < 7; ++X) {
            SCOPED_TRACE(testing::Message() << "at " << X << ", " << Y);
            const bool Inside = X >= 2 && X < 6 && Y >= 1 && Y < 4;
            const TColor Source = Inside ? Picture.Pixel(X - 2, Y - 1) : Key;
            EXPECT_EQ(Ours.Pixel(X, Y), Source == Key ? Ground : Source);
            EXPECT_EQ(Ours.Pixel(X, Y), Systems.Pixel(X, Y));
        }
    // The picture's own DC is as it was: its background colour is not the key's.
    EXPECT_NE(GetBkColor(Picture.DC()), Key);
}
