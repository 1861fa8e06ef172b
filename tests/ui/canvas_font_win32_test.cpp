// Fonts on a canvas: a selected font handle stays valid while the font changes, and
// no handle is freed while a DC still holds it (Windows refuses to free it then).
#include "gui_support.h"
#include "ui_bitmap.h"

namespace {

HGDIOBJ SelectedFont(const TBitmap& B) { return GetCurrentObject(B.DC(), OBJ_FONT); }

} // namespace

TEST(CanvasFont, AColourChangeKeepsTheSelectedHandle)
{
    TBitmap B(60, 24);
    TCanvas& C = B.Canvas();
    C.BrushStyle = bsClear;
    C.TextOutAt(2, 2, "W");
    const HFONT Selected = C.Font.Handle();
    ASSERT_EQ(SelectedFont(B), Selected);

    C.Font.SetColor(clRed);
    EXPECT_EQ(C.Font.Handle(), Selected);
    EXPECT_EQ(SelectedFont(B), Selected);
    EXPECT_EQ(GetObjectType(Selected), static_cast<DWORD>(OBJ_FONT));

    // And the new colour is what the next text is drawn in.
    C.TextOutAt(30, 2, "W");
    bool Red = false;
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 30; X < B.Width(); ++X)
            Red = Red || B.Pixel(X, Y) == clRed;
    EXPECT_TRUE(Red);
}

TEST(CanvasFont, AShapeChangeTakesTheOldHandleOutOfTheDCBeforeFreeingIt)
{
    TBitmap B(60, 24);
    TCanvas& C = B.Canvas();
    C.TextOutAt(2, 2, "W");
    const HFONT Old = C.Font.Handle();
    ASSERT_EQ(SelectedFont(B), Old);

    C.Font.SetHeight(C.Font.Height() - 4);
    EXPECT_NE(SelectedFont(B), Old);
    // Freed at once, neither leaked nor left to a deferred delete.
    EXPECT_EQ(GetObjectType(Old), 0u);
    C.TextOutAt(2, 2, "W");
    EXPECT_EQ(SelectedFont(B), C.Font.Handle());
}

TEST(CanvasFont, AssigningAnEqualFontKeepsTheHandle)
{
    TBitmap B(60, 24);
    TCanvas& C = B.Canvas();
    TFont Same;
    C.Font.Assign(Same);
    C.TextOutAt(2, 2, "W");
    const HFONT Selected = C.Font.Handle();
    int Changes = 0;
    C.Font.OnChange = [&](TObject*) { ++Changes; };
    C.Font.Assign(Same);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(C.Font.Handle(), Selected);
    Same.SetColor(clRed);
    C.Font.Assign(Same);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(C.Font.Handle(), Selected);
}
