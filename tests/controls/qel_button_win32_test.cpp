// The colour bitmap button painted through WM_DRAWITEM into a DIB.
#include "color_scheme.h"
#include "gui_support.h"
#include "qel_button.h"
#include "ui_form.h"

#include <memory>

namespace {

struct TInk {
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1;
    bool Any() const { return Right >= 0; }
};

// Where pixels of Ink lie inside the face (clear of the edges).
TInk FindInk(const TBitmap& B, TColor Ink)
{
    TInk I;
    for (int Y = 3; Y < B.Height() - 3; ++Y)
        for (int X = 3; X < B.Width() - 3; ++X)
            if (B.Pixel(X, Y) == Ink) {
                I.Left = std::min(I.Left, X);
                I.Top = std::min(I.Top, Y);
                I.Right = std::max(I.Right, X);
                I.Bottom = std::max(I.Bottom, Y);
            }
    return I;
}

class QelButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(80, 80, 360, 120);
        Form->SetColor(PaletteColor1);
        Button = new TQelButton(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(20, 20, 75, 25);
        Button->SetColor(PaletteColor5);
        Button->SetCaption("Ok");
        Button->Font().SetColor(clBlack);
        Form->HandleNeeded();
    }

    std::unique_ptr<TBitmap> Draw(UINT State)
    {
        auto B = std::make_unique<TBitmap>(Button->Width(), Button->Height());
        DRAWITEMSTRUCT Item = {};
        Item.CtlType = ODT_BUTTON;
        Item.itemAction = ODA_DRAWENTIRE;
        Item.itemState = State;
        Item.hwndItem = Button->Handle();
        Item.hDC = B->DC();
        Item.rcItem = RECT{0, 0, Button->Width(), Button->Height()};
        SendMessageA(Form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&Item));
        return B;
    }

    std::unique_ptr<TForm> Form;
    TQelButton* Button = nullptr;
};

} // namespace

TEST_F(QelButtonTest, RaisedFaceInItsColourWithTheCaptionCentred)
{
    const auto Up = Draw(0);
    EXPECT_EQ(Up->Pixel(4, 4), 0x69B3FFu);
    EXPECT_NE(Up->Pixel(Button->Width() - 1, Button->Height() - 1), 0x69B3FFu);
    const TInk Text = FindInk(*Up, clBlack);
    ASSERT_TRUE(Text.Any());
    const int MidX = (Text.Left + Text.Right) / 2, MidY = (Text.Top + Text.Bottom) / 2;
    EXPECT_NEAR(MidX, Button->Width() / 2, 3);
    EXPECT_NEAR(MidY, Button->Height() / 2, 3);
}

TEST_F(QelButtonTest, PressedOutlineAndCaptionMovedByOne)
{
    const auto Up = Draw(0);
    const auto Down = Draw(ODS_SELECTED);
    EXPECT_EQ(Down->Pixel(0, 0), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(Down->Pixel(Button->Width() - 1, Button->Height() - 1), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(Down->Pixel(2, 2), 0x69B3FFu);
    const TInk A = FindInk(*Up, clBlack), B = FindInk(*Down, clBlack);
    ASSERT_TRUE(A.Any() && B.Any());
    EXPECT_EQ(B.Left - A.Left, 1);
    EXPECT_EQ(B.Top - A.Top, 1);
}

TEST_F(QelButtonTest, DisabledCaptionInWhiteThenGrey)
{
    const auto Disabled = Draw(ODS_DISABLED);
    const TInk White = FindInk(*Disabled, clWhite), Grey = FindInk(*Disabled, clGray);
    ASSERT_TRUE(White.Any());
    ASSERT_TRUE(Grey.Any());
    EXPECT_FALSE(FindInk(*Disabled, clBlack).Any());
    EXPECT_EQ(White.Right - Grey.Right, 1);
    EXPECT_EQ(White.Bottom - Grey.Bottom, 1);
}

TEST_F(QelButtonTest, FocusDrawsTheFrameAndFocusRectangle)
{
    const auto Focused = Draw(ODS_FOCUS);
    EXPECT_EQ(Focused->Pixel(0, 0), static_cast<TColor>(ColorToRGB(clWindowFrame)));
    // The focus rectangle dots the face four pixels in.
    bool Dotted = false;
    for (int X = 4; X < Button->Width() - 4; ++X)
        Dotted = Dotted || Focused->Pixel(X, 4) != 0x69B3FFu;
    EXPECT_TRUE(Dotted);
}

TEST_F(QelButtonTest, KindSetsItsRowAndReadsCustomOnceChanged)
{
    Button->SetKind(bkOK);
    EXPECT_EQ(Button->Caption(), "");
    EXPECT_TRUE(Button->Default);
    EXPECT_FALSE(Button->Cancel);
    EXPECT_EQ(Button->ModalResult, mrOk);
    EXPECT_EQ(Button->NumGlyphs(), 2);
    EXPECT_EQ(Button->Glyph().Width(), 36);
    Button->SetCaption("Ok");
    EXPECT_EQ(Button->Caption(), "Ok");
    EXPECT_EQ(Button->Kind(), bkOK);
    Button->ModalResult = mrNone;
    EXPECT_EQ(Button->Kind(), bkCustom);
    Button->ModalResult = mrOk;
    EXPECT_EQ(Button->Kind(), bkCustom); // stays custom
    EXPECT_EQ(GetBitBtnGlyph(bkOK), GetBitBtnGlyph(bkOK));
    EXPECT_EQ(GetBitBtnGlyph(bkCustom), nullptr);
}

TEST_F(QelButtonTest, ColourChangeRebuildsTheGlyphImages)
{
    Button->SetKind(bkCancel);
    Draw(0);
    ASSERT_NE(Button->StateImage(0), nullptr);
    EXPECT_EQ(Button->StateImage(0)->Pixel(0, 0), 0x69B3FFu);
    Button->SetColor(PaletteColor3);
    EXPECT_EQ(Button->StateImage(0), nullptr);
    Draw(0);
    ASSERT_NE(Button->StateImage(0), nullptr);
    EXPECT_EQ(Button->StateImage(0)->Pixel(0, 0), PaletteColor3);
}

TEST_F(QelButtonTest, StoredValuesAreKeptInRange)
{
    Button->SetNumGlyphs(7);
    EXPECT_EQ(Button->NumGlyphs(), 4);
    Button->SetMargin(-2);
    EXPECT_EQ(Button->Margin(), -1);
    Button->SetMargin(3);
    EXPECT_EQ(Button->Margin(), 3);
}

TEST_F(QelButtonTest, CloseAndHelpKindsClickTheirOwnWay)
{
    int Clicks = 0;
    Button->OnClick = [&](TObject*) { ++Clicks; };
    std::vector<int> Topics;
    Application().OnHelp = [&](int Topic) { Topics.push_back(Topic); };
    Button->SetKind(bkHelp);
    SendMessageA(Button->Handle(), BM_CLICK, 0, 0); // no help topic anywhere: a plain click
    EXPECT_EQ(Clicks, 1);
    // The button's own topic is not looked at: the search starts at its parent.
    Button->HelpContext = 7;
    SendMessageA(Button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Clicks, 2);
    EXPECT_TRUE(Topics.empty());
    Form->HelpContext = 42;
    SendMessageA(Button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Topics, (std::vector<int>{42}));
    EXPECT_EQ(Clicks, 2);
    Application().OnHelp = nullptr;

    Button->SetKind(bkClose);
    TModalScript Script([&](HWND) { SendMessageA(Button->Handle(), BM_CLICK, 0, 0); });
    EXPECT_EQ(Form->ShowModal(), mrCancel); // closed by the button
    EXPECT_EQ(Clicks, 2);
    // A close button on no form clicks plainly.
    TQelButton Loose(nullptr);
    int LooseClicks = 0;
    Loose.OnClick = [&](TObject*) { ++LooseClicks; };
    Loose.SetKind(bkClose);
    Loose.Click();
    EXPECT_EQ(LooseClicks, 1);
}

TEST_F(QelButtonTest, AllKindGlyphIsNineteenHigh)
{
    EXPECT_EQ(GetBitBtnGlyph(bkAll)->Height(), 19);
    EXPECT_EQ(GetBitBtnGlyph(bkAll)->Width(), 36);
    EXPECT_EQ(GetBitBtnGlyph(bkOK)->Height(), 18);
    Button->SetKind(bkAll);
    EXPECT_EQ(Button->Kind(), bkAll);
    EXPECT_EQ(Button->NumGlyphs(), 2);
}

TEST_F(QelButtonTest, RowOfButtonsIsPhotographed)
{
    const TBitBtnKind Kinds[] = {bkOK, bkCancel, bkHelp, bkNo};
    TQelButton* Row[4];
    for (int I = 0; I < 4; ++I) {
        auto* B = Row[I] = new TQelButton(Form.get());
        B->SetParent(Form.get());
        B->SetBounds(10 + I * 85, 60, 80, 25);
        B->SetColor(PaletteColor5);
        B->SetKind(Kinds[I]);
        B->SetCaption(I == 3 ? "Off" : "Kind");
        if (I == 3)
            B->SetEnabled(false);
    }
    Form->Show();
    const TScreenshot Shot = Photograph(Form->Handle(), "qel_buttons.png");

    // The face in the button's colour; each enabled kind's glyph in its ink, the
    // disabled one's in the grey of the disabled half.
    const TColor Inks[] = {0x008000, 0x0000C0, 0x800000, clGray};
    for (int I = 0; I < 4; ++I) {
        SCOPED_TRACE(I);
        const int X = Row[I]->Left(), Y = Row[I]->Top();
        EXPECT_EQ(ShotPixel(Shot, Form->Handle(), X + 4, Y + 4), PaletteColor5);
        int Ink = 0;
        for (int Dy = 2; Dy < 23; ++Dy)
            for (int Dx = 2; Dx < 40; ++Dx)
                Ink += ShotPixel(Shot, Form->Handle(), X + Dx, Y + Dy) == Inks[I];
        EXPECT_GT(Ink, 10);
    }
}
