// The splash window as a window: its picture lies in its image control, which sizes
// itself and the window to the picture, and its timer closes it.
#include "f_splash.h"

#include "gui_support.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

TEST(Splash, ThePictureIsAnImageControlThatSizesTheWindow)
{
    // Long enough never to fire before the test closes it.
    TFSplash Splash(ReadWholeFile(FixturePath("pattern.jpg")), 600000);
    Splash.Show();
    PumpMessages();
    ASSERT_NE(Splash.Image1, nullptr);
    EXPECT_EQ(Splash.Image1->Name, "Image1");
    EXPECT_EQ(Splash.Image1->Parent(), &Splash);
    EXPECT_EQ(Splash.Image1->Left(), 0);
    EXPECT_EQ(Splash.Image1->Top(), 0);
    EXPECT_EQ(Splash.Image1->Width(), 48);
    EXPECT_EQ(Splash.Image1->Height(), 32);
    RECT Client;
    ASSERT_TRUE(GetClientRect(Splash.Handle(), &Client));
    EXPECT_EQ(Client.right, 48);
    EXPECT_EQ(Client.bottom, 32);

    const TScreenshot Shot = Photograph(Splash.Handle(), "splash_pattern.png");
    const TBitmap& Picture = Splash.Image1->Bitmap();
    for (const POINT P : {POINT{1, 1}, POINT{40, 4}, POINT{24, 30}})
        EXPECT_EQ(ShotPixel(Shot, Splash.Handle(), P.x, P.y), static_cast<std::uint32_t>(Picture.Pixel(P.x, P.y)))
            << P.x << "," << P.y;

    Splash.Timer1Timer(nullptr);
    PumpMessages();
    EXPECT_FALSE(Splash.Timer1.Enabled());
    EXPECT_FALSE(IsWindowVisible(Splash.Handle()));
}
