// The message dialog through its real modal loop under Wine.
#include "color_scheme.h"
#include "gui_support.h"
#include "msg_dlg.h"
#include "ui_screen.h"

#include <string>

namespace {

HWND FindButton(HWND Dialog, const std::string& Caption)
{
    for (HWND W = FindWindowExA(Dialog, nullptr, "BUTTON", nullptr); W; W = FindWindowExA(Dialog, W, "BUTTON", nullptr))
        if (WindowText(W) == Caption)
            return W;
    return nullptr;
}

int TextWidthOf(TFont& Font, const std::string& Text)
{
    HDC DC = GetDC(nullptr);
    int W = 0;
    {
        TCanvas C(DC);
        C.Font.Assign(Font);
        W = C.TextWidth(Text);
    }
    ReleaseDC(nullptr, DC);
    return W;
}

} // namespace

TEST(ShowMsgDlg, AnswersTheButtonIndexOrMinusOne)
{
    enum TAction { ClickYes, ClickNo, Escape, CloseBox };
    const struct {
        TAction Action;
        int Answer;
    } Cases[] = {{ClickYes, 0}, {ClickNo, 1}, {Escape, -1}, {CloseBox, -1}};
    for (const auto& C : Cases) {
        std::string Title;
        TModalScript Script([&](HWND W) {
            Title = WindowText(W);
            switch (C.Action) {
            case ClickYes:
                SendMessageA(FindButton(W, "Yes"), BM_CLICK, 0, 0);
                break;
            case ClickNo:
                SendMessageA(FindButton(W, "No"), BM_CLICK, 0, 0);
                break;
            case Escape:
                // Through the loop, to the button that has the focus.
                PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
                break;
            case CloseBox:
                PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            }
        });
        EXPECT_EQ(ShowMsgDlg("Brindlo project is unsaved\n\rdo you still want to continue ?", mtConfirmation,
                             {"Yes", "No"}, 50, "Brindlo"),
                  C.Answer)
            << C.Action;
        EXPECT_EQ(Title, "Brindlo");
    }
}

TEST(ShowMsgDlg, WithoutButtonsOnlyTheCloseBoxEndsIt)
{
    int Buttons = -1;
    TModalScript Script([&](HWND W) {
        Buttons = FindWindowExA(W, nullptr, "BUTTON", nullptr) ? 1 : 0;
        PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(ShowMsgDlg("Nothing to press", mtInformation, {}, 50, "Brindlo"), -1);
    EXPECT_EQ(Buttons, 0);
    EXPECT_EQ(DlgButtonRowWidth, 0);
}

TEST(ShowMsgDlg, PaintsInThePaletteAndIsPhotographed)
{
    TModalScript Script([&](HWND W) {
        const TScreenshot Shot = Photograph(W, "msg_dlg.png");
        EXPECT_EQ(ShotPixel(Shot, W, 3, 3), PaletteColor1);
        HWND Ok = FindButton(W, "Ok");
        ASSERT_NE(Ok, nullptr);
        RECT R;
        GetWindowRect(Ok, &R);
        RECT Wr;
        GetWindowRect(W, &Wr);
        EXPECT_EQ(Shot.PixelRGB(R.left - Wr.left + 5, R.top - Wr.top + 5), PaletteColor5);
        SendMessageA(Ok, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(ShowMsgDlg("Installation Package built in \n\rC:\\Tom & Jerry\\Package", mtInformation, {"Ok"}, 50,
                         "Brindlo"),
              0);
}

TEST(TQelMsgDlg, KeepBranchMeasuresTheTextAndCentres)
{
    TQelMsgDlg Dlg(nullptr);
    Dlg.DlgButton->Width = 50;
    const std::string Msg = "C:\\Tom & Jerry";
    TModalScript Script([&](HWND W) {
        TForm& Win = Dlg.Window();
        TLabel& Text = Dlg.TextLabel();
        TImage& Icon = Dlg.IconImage();
        // Drawn literally: the "&" is measured as a character.
        EXPECT_EQ(Text.Width(), TextWidthOf(Text.Font(), Msg));
        const int TextLeft = 30 + Icon.Width();
        EXPECT_GT(Icon.Width(), 0);
        EXPECT_EQ(Text.Left(), TextLeft);
        EXPECT_EQ(Text.Top(), 15);
        EXPECT_EQ(Win.Width(), Text.Width() + 2 * TextLeft + 15);
        const int Content = std::max(Text.Height(), Icon.Height());
        EXPECT_EQ(Win.Height(), 25 + Content + 75);
        EXPECT_EQ(Win.Left(), (Screen().Width() - Win.Width()) / 2);
        EXPECT_EQ(Win.Top(), (Screen().Height() - Win.Height()) / 2);
        ASSERT_EQ(Dlg.ButtonList().size(), 2u);
        const int Row = 2 * (50 + 4);
        for (int I = 0; I < 2; ++I) {
            const TQelButton& B = *Dlg.ButtonList()[static_cast<std::size_t>(I)];
            EXPECT_EQ(B.Top(), Content + 30);
            EXPECT_EQ(B.Left(), (Win.Width() - Row) / 2 + I * 54);
            EXPECT_EQ(B.Width(), 50);
        }
        EXPECT_NE(GetWindowLongPtrA(W, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(Dlg.Execute(Msg, "Brindlo", mtWarning, {"Yes", "No"}, {}), -1);
    EXPECT_TRUE(Dlg.ButtonList().empty());
}

TEST(TQelMsgDlg, WrapBranchAndWideButtonRow)
{
    TQelMsgDlg Dlg(nullptr);
    std::string Long;
    while (TextWidthOf(Dlg.TextLabel().Font(), Long) < 3 * DlgFormWidth)
        Long += "word ";
    int LineHeight = 0;
    TModalScript Script([&](HWND W) {
        TLabel& Text = Dlg.TextLabel();
        const int TextLeft = Text.Left();
        if (Dlg.DlgType() == mtError) {
            EXPECT_EQ(Dlg.Window().Width(), DlgFormWidth);
            EXPECT_TRUE(Text.WordWrap());
            EXPECT_EQ(Text.Width(), DlgFormWidth - 15 - TextLeft);
            EXPECT_GE(Text.Height(), 3 * LineHeight);
        } else {
            EXPECT_EQ(Dlg.Window().Width(), 30 + DlgButtonRowWidth);
            EXPECT_EQ(Dlg.ButtonList().front()->Left(), (Dlg.Window().Width() - DlgButtonRowWidth) / 2);
        }
        PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    LineHeight = Dlg.TextLabel().Height();
    Dlg.Execute(Long, "Brindlo", mtError, {"Ok"}, {});
    // The same dialog again, unwrapped, with a row wider than its text.
    Dlg.Execute("x", "Brindlo", mtInformation, {"1", "2", "3", "4", "5", "6", "7"}, {});
    EXPECT_EQ(DlgButtonRowWidth, 7 * 79);
    EXPECT_FALSE(Dlg.TextLabel().WordWrap());
}

TEST(TQelMsgDlg, EveryLineBreakCountsOnce)
{
    TQelMsgDlg Dlg(nullptr);
    int Heights[5] = {};
    int Index = 0;
    TModalScript Script([&](HWND W) {
        Heights[Index] = Dlg.TextLabel().Height();
        PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    const char* Texts[] = {"one", "one\n\rtwo", "one\r\ntwo", "one\rtwo", "one\ntwo"};
    for (Index = 0; Index < 5; ++Index)
        Dlg.Execute(Texts[Index], "Brindlo", mtCustom, {"Ok"}, {});
    for (int I = 1; I < 5; ++I)
        EXPECT_EQ(Heights[I], 2 * Heights[0]) << Texts[I];
}

TEST(TQelMsgDlg, TypeSetsTheIconOnlyWhenItChanges)
{
    TQelMsgDlg Dlg(nullptr);
    EXPECT_EQ(Dlg.DlgType(), mtCustom);
    EXPECT_TRUE(Dlg.IconImage().Picture().Empty());
    EXPECT_EQ(Dlg.Caption(), ProgramTitle);
    Dlg.SetDlgType(mtError);
    const HICON Hand = Dlg.IconImage().Picture().Handle();
    EXPECT_EQ(Hand, LoadIconA(nullptr, IDI_HAND));
    Dlg.SetDlgType(mtInformation);
    EXPECT_EQ(Dlg.IconImage().Picture().Handle(), LoadIconA(nullptr, IDI_ASTERISK));
    Dlg.DlgImage->SetVisible(false);
    Dlg.SetDlgType(mtWarning); // stored, but no icon while the image is hidden
    EXPECT_EQ(Dlg.DlgType(), mtWarning);
    EXPECT_EQ(Dlg.IconImage().Picture().Handle(), LoadIconA(nullptr, IDI_ASTERISK));
}

TEST(TQelMsgDlg, KindsGiveTheFirstButtonsAGlyph)
{
    TQelMsgDlg Dlg(nullptr);
    TModalScript Script([&](HWND W) {
        ASSERT_EQ(Dlg.ButtonList().size(), 2u);
        EXPECT_FALSE(Dlg.ButtonList()[0]->Glyph().Empty());
        EXPECT_EQ(Dlg.ButtonList()[0]->Caption(), "Yes");
        EXPECT_TRUE(Dlg.ButtonList()[1]->Glyph().Empty());
        Photograph(W, "msg_dlg_kinds.png");
        SendMessageA(FindButton(W, "Yes"), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(Dlg.Execute("Keep the glyph?", "Brindlo", mtConfirmation, {"Yes", "No"}, {bkYes}), 0);
}
