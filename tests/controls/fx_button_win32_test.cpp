// The custom-drawn button on a real window: clicks, repeat, drag, lost capture, and
// its faces and bevels as pixels.
#include "color_helpers.h"
#include "fx_button.h"
#include "fx_button_logic.h"
#include "gui_support.h"
#include "ui_form.h"
#include "ui_timer.h"

#include <memory>

namespace {

class FxButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetTimerService(&Timers);
        Form = std::make_unique<TForm>(nullptr);
        Form->SetCaption("Buttons");
        Form->SetBounds(60, 60, 520, 160);
        Button = new CFxButton(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(50, 40, 75, 25);
        Button->SetCaption("Build");
        Button->OnClick = [this](TObject*) { ++Clicks; };
        Form->Show();
    }
    void TearDown() override
    {
        Form.reset();
        SetTimerService(nullptr);
    }
    void Press(int X = 5, int Y = 5) { SendMessageA(Button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(X, Y)); }
    void Release(int X = 5, int Y = 5) { SendMessageA(Button->Handle(), WM_LBUTTONUP, 0, PointParam(X, Y)); }

    // The button's own paint path into a DIB.
    std::unique_ptr<TBitmap> PaintOffscreen(CFxButton& B)
    {
        auto Bitmap = std::make_unique<TBitmap>(B.Width(), B.Height());
        SendMessageA(B.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Bitmap->DC()), PRF_CLIENT);
        return Bitmap;
    }

    TFakeTimerService Timers;
    std::unique_ptr<TForm> Form;
    CFxButton* Button = nullptr;
    int Clicks = 0;
};

} // namespace

TEST_F(FxButtonTest, OneClickOnReleaseInsideNoneOutside)
{
    Press();
    EXPECT_TRUE(Button->Down());
    EXPECT_EQ(Clicks, 0);
    Release();
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->Down());
    Press();
    Release(200, 100);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->Hot());
    // A release without a press is no click either.
    Release();
    EXPECT_EQ(Clicks, 1);
}

TEST_F(FxButtonTest, ClickComesAfterTheReleaseBookkeeping)
{
    bool DownInHandler = true, TimerInHandler = true, CaptureInHandler = true;
    Button->OnClick = [&](TObject*) {
        DownInHandler = Button->Down();
        TimerInHandler = Button->RepeatTimer().Enabled();
        CaptureInHandler = GetCapture() == Button->Handle();
    };
    Button->DragOn = true;
    Press();
    EXPECT_TRUE(Button->Dragging());
    Release();
    EXPECT_FALSE(DownInHandler);
    EXPECT_FALSE(TimerInHandler);
    EXPECT_FALSE(CaptureInHandler);
    EXPECT_FALSE(Button->Dragging());
}

TEST_F(FxButtonTest, MassClickTicksWithTheTimerAndOnceMoreOnRelease)
{
    Button->MassClick = true;
    Press();
    Timers.Advance(110);
    EXPECT_EQ(Clicks, 2);
    Release();
    EXPECT_EQ(Clicks, 3);
    Timers.Advance(500);
    EXPECT_EQ(Clicks, 3);
    EXPECT_EQ(Timers.ActiveCount(), 0u);

    Button->MassClick = false;
    Press();
    Timers.Advance(500);
    EXPECT_EQ(Clicks, 3);
    EXPECT_TRUE(Button->RepeatTimer().Enabled());
    Release();
    EXPECT_EQ(Clicks, 4);
}

TEST_F(FxButtonTest, LostCaptureCancelsThePress)
{
    for (UINT Cancel : {UINT(WM_CANCELMODE), UINT(WM_CAPTURECHANGED)}) {
        Button->MassClick = true;
        Button->DragOn = true;
        Clicks = 0;
        Press();
        if (Cancel == WM_CANCELMODE)
            SendMessageA(Button->Handle(), WM_CANCELMODE, 0, 0);
        else
            SetCapture(Form->Handle()); // someone else takes the mouse
        EXPECT_FALSE(Button->Down());
        EXPECT_FALSE(Button->Dragging());
        EXPECT_FALSE(Button->RepeatTimer().Enabled());
        Timers.Advance(200);
        Release();
        ReleaseCapture();
        EXPECT_EQ(Clicks, 0) << Cancel;
    }
}

TEST_F(FxButtonTest, DragMovesWithinTheLimits)
{
    int Drags = 0;
    Button->OnDraging = [&](TObject*) { ++Drags; };
    Button->DragOn = true;
    Button->SetDLmaxX(5); // below Left: moves there at once
    EXPECT_EQ(Button->Left(), 5);
    Button->SetDLminX(10); // above Left: moves there at once
    EXPECT_EQ(Button->Left(), 10);
    Button->SetDLmaxY(60);
    Press(5, 5);
    SendMessageA(Button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, PointParam(45, 105));
    EXPECT_EQ(Button->Left(), 10); // the minimum above the maximum wins
    EXPECT_EQ(Button->Top(), 60);
    EXPECT_EQ(Drags, 1);
    Release(5, 5);
    Button->SetDLminX(-1);
    Button->SetDLmaxX(-1);
    EXPECT_EQ(Button->Left(), 10);
    Press(5, 5);
    SendMessageA(Button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, PointParam(25, 5));
    EXPECT_EQ(Button->Left(), 30);
    EXPECT_EQ(Button->Top(), 60);
    Release(5, 5);
    // Without DragOn nothing moves.
    Button->DragOn = false;
    Press(5, 5);
    SendMessageA(Button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, PointParam(25, 25));
    EXPECT_EQ(Button->Left(), 30);
    Release(5, 5);
}

TEST_F(FxButtonTest, FacesAndBevelsForEveryState)
{
    const TColor C = Button->Color();
    EXPECT_EQ(C, 15124680u);
    Button->SetColCor(-0.3);
    enum TState { Normal, Hot, Down, CheckedHot, Disabled };
    for (TState S : {Normal, Hot, Down, CheckedHot, Disabled}) {
        SendMessageA(Button->Handle(), WM_MOUSELEAVE, 0, 0);
        Button->SetChecked(S == CheckedHot);
        Button->SetEnabled(S != Disabled);
        if (S == Hot || S == CheckedHot)
            SendMessageA(Button->Handle(), WM_MOUSEMOVE, 0, PointParam(3, 3));
        if (S == Down)
            Press();
        if (S == Disabled) {
            SendMessageA(Button->Handle(), WM_MOUSEMOVE, 0, PointParam(3, 3));
            Press();
        }
        const auto Shot = PaintOffscreen(*Button);
        TColor Face = C;
        if (S == Hot || S == CheckedHot)
            Face = ScaleColor(C, 1.3);
        if (S == Down)
            Face = ScaleColor(C, 0.7);
        if (S == Disabled)
            Face = ScaleColor(C, 0.8);
        const bool Pressed = S == Down || S == CheckedHot || (S == Disabled);
        const int W = Button->Width(), H = Button->Height();
        EXPECT_EQ(Shot->Pixel(4, 4), Face) << S;
        EXPECT_EQ(Shot->Pixel(0, 0), ScaleColor(Face, Pressed ? 0.5 : 1.5)) << S;
        EXPECT_EQ(Shot->Pixel(W - 1, H - 1), ScaleColor(Face, Pressed ? 1.5 : 0.5)) << S;
        EXPECT_EQ(Shot->Pixel(1, 1), ScaleColor(Face, Pressed ? 0.7 : 1.3)) << S;
        EXPECT_EQ(Shot->Pixel(W - 2, H - 2), ScaleColor(Face, Pressed ? 1.3 : 0.7)) << S;
        if (S == Disabled) {
            bool CaptionSeen = false;
            for (int Y = 2; Y < H - 2; ++Y)
                for (int X = 2; X < W - 2; ++X)
                    CaptionSeen = CaptionSeen || Shot->Pixel(X, Y) == ScaleColor(Face, 1.05);
            EXPECT_TRUE(CaptionSeen);
        }
        if (S == Down || S == Disabled)
            Release();
    }
}

TEST_F(FxButtonTest, SystemColourPaintsAsSuchButScalesItsRawValue)
{
    Button->SetColor(clAppWorkSpace);
    Button->SetColCor(-0.2);
    const auto Normal = PaintOffscreen(*Button);
    EXPECT_EQ(Normal->Pixel(4, 4), static_cast<TColor>(ColorToRGB(clAppWorkSpace)));
    SendMessageA(Button->Handle(), WM_MOUSEMOVE, 0, PointParam(3, 3));
    const auto Hot = PaintOffscreen(*Button);
    EXPECT_EQ(Hot->Pixel(4, 4), ScaleColor(clAppWorkSpace, 1.2));
}

TEST_F(FxButtonTest, CustomPaintReplacesThePainting)
{
    int Calls = 0;
    TObject* Sender = reinterpret_cast<TObject*>(1);
    Button->SetCustomPaint([&](TObject* S) {
        ++Calls;
        Sender = S;
    });
    PaintOffscreen(*Button);
    EXPECT_GE(Calls, 1);
    EXPECT_EQ(Sender, nullptr);
}

TEST_F(FxButtonTest, RowOfStatesIsPhotographed)
{
    const char* Names[] = {"Normal", "Hot", "Down", "Checked", "Disabled"};
    CFxButton* Row[5];
    for (int I = 0; I < 5; ++I) {
        Row[I] = new CFxButton(Form.get());
        Row[I]->SetParent(Form.get());
        Row[I]->SetBounds(10 + I * 95, 80, 85, 25);
        Row[I]->SetCaption(Names[I]);
        Row[I]->SetColor(clSilver);
        Row[I]->SetColCor(-0.3);
    }
    SendMessageA(Row[1]->Handle(), WM_MOUSEMOVE, 0, PointParam(3, 3));
    SendMessageA(Row[2]->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(3, 3));
    Row[3]->SetChecked(true);
    Row[4]->SetEnabled(false);
    const TScreenshot Shot = Photograph(Form->Handle(), "fx_buttons.png");
    SendMessageA(Row[2]->Handle(), WM_CANCELMODE, 0, 0);

    // Each state shows its own face (inside, clear of bevels and caption) and bevel.
    const struct {
        bool Enabled, Down, Hot, Pressed;
    } States[5] = {{true, false, false, false}, {true, false, true, false}, {true, true, false, true},
                   {true, false, false, true}, {false, false, false, false}};
    for (int I = 0; I < 5; ++I) {
        SCOPED_TRACE(Names[I]);
        const TColor Face = FxButtonFace(clSilver, -0.3, States[I].Enabled, States[I].Down, States[I].Hot);
        const TFxBevel Bevel = FxButtonBevel(Face, States[I].Pressed);
        const int X = Row[I]->Left(), Y = Row[I]->Top();
        EXPECT_EQ(ShotPixel(Shot, Form->Handle(), X + 4, Y + 3), Face);
        EXPECT_EQ(ShotPixel(Shot, Form->Handle(), X, Y + 10), Bevel.OuterLeftTop);
        EXPECT_EQ(ShotPixel(Shot, Form->Handle(), X + 84, Y + 10), Bevel.OuterRightBottom);
    }
    EXPECT_NE(FxButtonFace(clSilver, -0.3, true, false, true), FxButtonFace(clSilver, -0.3, true, false, false));
}
