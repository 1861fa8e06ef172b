// What the rows of the property page draw, recorded through a painter of the test's
// own: the rows need no window to paint.
#include "prop_page_logic.h"
#include "prop_painter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Hex(TColor C)
{
    char Buf[16];
    std::snprintf(Buf, sizeof Buf, "%06X", static_cast<unsigned>(C));
    return Buf;
}

std::string Box(int A, int B, int C, int D)
{
    return std::to_string(A) + "," + std::to_string(B) + "," + std::to_string(C) + "," + std::to_string(D);
}

// Writes down every stroke with the colours it is made in. Each character of a text is
// 6 pixels wide, a line 13 high.
class TRecordingPainter : public TPropPainter {
public:
    std::vector<std::string> Strokes;

    TColor PenColor() const override { return FPen; }
    void SetPenColor(TColor Color) override { FPen = Color; }
    void SetBrush(TColor Color) override { FBrush = Color; }
    TColor FontColor() const override { return FFont; }
    void SetFontColor(TColor Color) override { FFont = Color; }
    bool FontBold() const override { return FBold; }
    void SetFontBold(bool Bold) override { FBold = Bold; }
    void Rectangle(int X1, int Y1, int X2, int Y2) override
    {
        Strokes.push_back("rect " + Box(X1, Y1, X2, Y2) + " pen " + Hex(FPen) + " brush " + Hex(FBrush));
    }
    void MoveTo(int X, int Y) override
    {
        FX = X;
        FY = Y;
    }
    void LineTo(int X, int Y) override
    {
        Strokes.push_back("line " + Box(FX, FY, X, Y) + " pen " + Hex(FPen));
        FX = X;
        FY = Y;
    }
    TTextSize TextExtent(const std::string& Text) override { return TTextSize{6 * static_cast<int>(Text.size()), 13}; }
    void TextRect(const TRect& R, int X, int Y, const std::string& Text) override
    {
        Strokes.push_back("text '" + Text + "' at " + std::to_string(X) + "," + std::to_string(Y) + " in " +
                          Box(R.Left, R.Top, R.Right, R.Bottom) + " font " + Hex(FFont) + (FBold ? " bold" : "") +
                          " brush " + Hex(FBrush));
    }
    bool DrawPicture(const std::string& FileName, const TRect&) override
    {
        Strokes.push_back("picture " + FileName);
        return true;
    }

    // The strokes of one kind ("rect", "line", "text").
    std::vector<std::string> Of(const std::string& Kind) const
    {
        std::vector<std::string> Out;
        for (const std::string& S : Strokes)
            if (S.rfind(Kind + " ", 0) == 0)
                Out.push_back(S);
        return Out;
    }

private:
    TColor FPen = 0, FBrush = 0, FFont = 0;
    bool FBold = false;
    int FX = 0, FY = 0;
};

constexpr TColor Back = 0x102030, Text = 0x405060;
const TRect Caption{50, 21, 150, 42};
const TRect Value{153, 21, 290, 42};
const TRect Left{2, 21, 24, 42};

class PropRowsPaint : public ::testing::Test {
protected:
    template <class Kind>
    CFxProp_b* Row(const std::string& ACaption, const std::string& AValue)
    {
        return Page.Root()->AddItem(RowClass<Kind>(), ACaption, AValue, Back, Text, -1);
    }
    std::vector<std::string> Paint(CFxProp_b& R)
    {
        R.Paint(P, Caption, Value, Left);
        return P.Strokes;
    }

    CFxPropPageLogic Page;
    TRecordingPainter P;
};

} // namespace

TEST(PropPainter, TextSitsByItsAlignmentAndIsUnderlinedInTheFontColour)
{
    const TRect R{10, 0, 110, 21};
    struct {
        int Alignment;
        int X;
    } const Cases[] = {{alLeft, 13}, {alRight, 110 - 18 - 3}, {alClient, 60 - 9}, {alNone, 60 - 9}};
    for (const auto& C : Cases) {
        TRecordingPainter P;
        P.SetPenColor(0x111111);
        P.SetFontColor(0x222222);
        P.AlignedText(R, "abc", C.Alignment, true);
        const int Y = 10 - 6;
        EXPECT_EQ(P.Strokes, (std::vector<std::string>{
                                 "text 'abc' at " + std::to_string(C.X) + "," + std::to_string(Y) +
                                     " in 10,0,110,21 font 222222 brush 000000",
                                 "line " + Box(C.X, Y + 12, C.X + 18, Y + 12) + " pen 222222"}))
            << C.Alignment;
        EXPECT_EQ(P.PenColor(), 0x111111u) << "the pen comes back";
    }
}

TEST(PropPainter, AFrameGoesUpAndAlongInTheFirstColourAndBackInTheSecond)
{
    TRecordingPainter P;
    P.Frame3D(TRect{1, 2, 30, 40}, 0xAAAAAA, 0x555555);
    EXPECT_EQ(P.Strokes, (std::vector<std::string>{"line 1,40,1,2 pen AAAAAA", "line 1,2,30,2 pen AAAAAA",
                                                   "line 30,2,30,40 pen 555555", "line 30,40,1,40 pen 555555"}));
    EXPECT_EQ(P.PenColor(), 0x555555u);
}

TEST_F(PropRowsPaint, APlainRowWritesCaptionAndValueInItsColoursAndFramesOnlyWithABevel)
{
    CFxProp_b* R = Row<CFxProp_b>("Name", "Tool");
    EXPECT_EQ(Paint(*R), (std::vector<std::string>{"text 'Name' at 53,25 in 50,21,150,42 font 405060 brush 102030",
                                                   "text 'Tool' at 156,25 in 153,21,290,42 font 405060 brush 102030"}));
    for (TBevelCut Cut : {bvLowered, bvRaised}) {
        Page.EEBC = Cut;
        P.Strokes.clear();
        EXPECT_EQ(Paint(*R).size(), 2u + 8u) << "two frames of four lines each";
        EXPECT_EQ(P.Of("line").front().substr(0, 20), "line 153,41,153,21 p") << Cut;
    }
}

TEST_F(PropRowsPaint, ACheckBoxTicksOnlyWhenChecked)
{
    auto* Box = static_cast<CFxProp_CheckBox*>(Row<CFxProp_CheckBox>("On", "false"));
    Paint(*Box);
    EXPECT_EQ(P.Of("rect"), (std::vector<std::string>{"rect 153,21,290,42 pen 102030 brush 102030",
                                                      "rect 154,22,172,40 pen 000000 brush FFFFFF"}));
    EXPECT_TRUE(P.Of("line").empty());
    P.Strokes.clear();
    Box->SetChecked(true);
    Paint(*Box);
    EXPECT_EQ(P.Of("line").size(), 6u) << "three strokes of two lines";
    P.Strokes.clear();
    Box->PaintHelp(P, TRect{4, 200, 296, 295});
    EXPECT_EQ(P.Of("rect"), (std::vector<std::string>{"rect 5,201,23,219 pen 000000 brush FFFFFF"}));
    EXPECT_EQ(P.Of("line").size(), 6u);
}

TEST_F(PropRowsPaint, AColourRowFillsItsSwatchOrCrossesItOut)
{
    CFxProp_b* Colour = Row<CFxProp_Color>("Ink", "255");
    Paint(*Colour);
    EXPECT_EQ(P.Of("rect"), (std::vector<std::string>{"rect 153,21,290,42 pen 0000FF brush 0000FF"}));
    EXPECT_TRUE(P.Of("line").empty());
    for (const char* NoColour : {"", "red"}) {
        Colour->Value = NoColour;
        P.Strokes.clear();
        Paint(*Colour);
        EXPECT_EQ(P.Of("rect"), (std::vector<std::string>{"rect 153,21,290,42 pen 405060 brush 102030"}));
        EXPECT_EQ(P.Of("line"), (std::vector<std::string>{"line 153,21,290,41 pen 405060",
                                                          "line 290,21,153,41 pen 405060"}))
            << NoColour;
    }
}

TEST_F(PropRowsPaint, AnActionUnderTheMouseIsUnderlinedInTheFrameColourAndTheFontStaysAsItWas)
{
    Page.SetColorFrame(0x00AA00);
    CFxProp_b* Action = Row<CFxProp_Action>("Run", "now");
    Action->FrameColor = PropNoColor; // the page's
    Action->ValueTextColor = 0x0000CC;
    Paint(*Action);
    EXPECT_EQ(P.Of("text").back(), "text 'now' at 269,25 in 153,21,290,42 font 0000CC bold brush 102030");
    EXPECT_TRUE(P.Of("line").empty());
    EXPECT_FALSE(P.FontBold());
    Action->Hot = true;
    P.Strokes.clear();
    Paint(*Action);
    EXPECT_EQ(P.Of("text").back(), "text 'now' at 269,25 in 153,21,290,42 font 00AA00 bold brush 102030");
    EXPECT_EQ(P.Of("line"), (std::vector<std::string>{"line 269,37,287,37 pen 00AA00"}));
    EXPECT_FALSE(P.FontBold());
}

TEST_F(PropRowsPaint, AGroupWritesItsCaptionAcrossTheLineAndItsHelpCountsItsRows)
{
    CFxProp_b* Group = Page.Root()->AddGroup("Files", Back, Text, -1, -1);
    Group->AddItem(RowClass<CFxProp_b>(), "a", "", Back, Text, -1);
    Group->AddItem(RowClass<CFxProp_b>(), "b", "", Back, Text, -1);
    Paint(*Group);
    EXPECT_EQ(P.Strokes, (std::vector<std::string>{"text 'Files' at 155,25 in 50,21,290,42 font 405060 brush 102030"}));
    P.Strokes.clear();
    Group->PaintHelp(P, TRect{4, 200, 296, 295});
    EXPECT_EQ(P.Of("text").front().substr(0, 22), "text 'Group Files (2)'");
}
