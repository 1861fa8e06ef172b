// The custom-drawn scroll bar on a real window: posted clicks, the arrow repeat on the
// fake timer, focus, a lost capture, and its parts as pixels.
#include "fx_scroll_bar.h"
#include "gui_support.h"
#include "ui_form.h"
#include "ui_timer.h"

#include <memory>
#include <vector>

namespace {

constexpr TColor Frame = 0x00FFFF;  // yellow
constexpr TColor Ground = 0x402000; // dark blue

class FxScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetTimerService(&Timers);
        Form = std::make_unique<TForm>(nullptr);
        Form->SetCaption("Scroll bars");
        Form->SetBounds(60, 60, 320, 260);
        Bar = new CFxScrollBar(Form.get());
        Bar->SetParent(Form.get());
        Bar->SetBounds(20, 10, 16, 200);
        Bar->SetMin(0);
        Bar->SetMax(9);
        Bar->SetPosition(0);
        Bar->OnChange = [this](TObject* Sender) {
            EXPECT_EQ(Sender, Bar);
            Positions.push_back(Bar->Position());
        };
        Form->Show();
        PumpMessages(3);
    }
    void TearDown() override
    {
        Form.reset();
        SetTimerService(nullptr);
    }
    // Posted as the system would, then delivered by the message loop.
    void PostClick(UINT Msg, int X, int Y)
    {
        PostMessageA(Bar->Handle(), Msg, Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, PointParam(X, Y));
        PumpMessages(2);
    }
    std::unique_ptr<TBitmap> PaintOffscreen(CFxScrollBar& B)
    {
        auto Bitmap = std::make_unique<TBitmap>(B.Width(), B.Height());
        SendMessageA(B.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Bitmap->DC()), PRF_CLIENT);
        return Bitmap;
    }

    TFakeTimerService Timers;
    std::unique_ptr<TForm> Form;
    CFxScrollBar* Bar = nullptr;
    std::vector<int> Positions;
};

} // namespace

TEST_F(FxScrollBarTest, DefaultsOfANewBar)
{
    CFxScrollBar Fresh(nullptr);
    EXPECT_EQ(Fresh.Width(), 16);
    EXPECT_EQ(Fresh.Height(), 200);
    EXPECT_EQ(Fresh.Min(), 10);
    EXPECT_EQ(Fresh.Max(), 20);
    EXPECT_EQ(Fresh.Position(), 10);
    EXPECT_EQ(Fresh.Kind(), sbH);
    EXPECT_EQ(Fresh.Color(), clGray);
    EXPECT_EQ(Fresh.ColorFrame(), clWhite);
    EXPECT_FALSE(Fresh.IsMouseIn);
    EXPECT_FALSE(Fresh.LBD());
}

TEST_F(FxScrollBarTest, PostedClicksStepOnTheArrowsAndJumpOnTheTrack)
{
    PostClick(WM_LBUTTONDOWN, 8, 190);
    EXPECT_TRUE(Bar->LBD());
    PostClick(WM_LBUTTONUP, 8, 190);
    EXPECT_FALSE(Bar->LBD());
    EXPECT_EQ(Positions, std::vector<int>{1});
    PostClick(WM_LBUTTONDOWN, 8, 5);
    PostClick(WM_LBUTTONUP, 8, 5);
    EXPECT_EQ(Positions, (std::vector<int>{1, 0}));
    // The track: the thumb jumps under the pointer while pressed.
    PostClick(WM_LBUTTONDOWN, 8, 100);
    EXPECT_EQ(Bar->Position(), 5);
    EXPECT_EQ(Bar->Model().ThumbRect().Top, 92);
    PostClick(WM_LBUTTONUP, 8, 100);
    EXPECT_EQ(Positions, (std::vector<int>{1, 0, 5}));
    // Quick presses are each a press: no double click is lost.
    for (int I = 0; I < 3; ++I) {
        PostMessageA(Bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(8, 190));
        PostMessageA(Bar->Handle(), WM_LBUTTONUP, 0, PointParam(8, 190));
    }
    PumpMessages(3);
    EXPECT_EQ(Bar->Position(), 8);
}

TEST_F(FxScrollBarTest, DragFollowsPostedMoves)
{
    PostClick(WM_LBUTTONDOWN, 8, 20);
    PostMessageA(Bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, PointParam(8, 150));
    PumpMessages(2);
    EXPECT_EQ(Bar->Position(), 9); // 132 div 14
    EXPECT_EQ(Bar->Model().ThumbRect().Top, 142);
    PostClick(WM_LBUTTONUP, 8, 150);
    EXPECT_EQ(Positions, std::vector<int>{9});
}

TEST_F(FxScrollBarTest, HeldArrowRepeatsOnTheTimer)
{
    Bar->SetMax(100);
    PostClick(WM_LBUTTONDOWN, 8, 190);
    Timers.Advance(1000);
    EXPECT_EQ(Bar->Position(), 29);
    PostClick(WM_LBUTTONUP, 8, 190);
    EXPECT_EQ(Bar->Position(), 30);
    EXPECT_EQ(Timers.ActiveCount(), 0u);
}

TEST_F(FxScrollBarTest, LostCaptureEndsTheRepeat)
{
    Bar->SetMax(100);
    PostClick(WM_LBUTTONDOWN, 8, 190);
    EXPECT_EQ(GetCapture(), Bar->Handle());
    SetCapture(Form->Handle());
    EXPECT_FALSE(Bar->LBD());
    EXPECT_EQ(Timers.ActiveCount(), 0u);
    ReleaseCapture();
    Timers.Advance(500);
    EXPECT_TRUE(Positions.empty());
}

TEST_F(FxScrollBarTest, FocusSetsIsMouseIn)
{
    Bar->SetFocus();
    EXPECT_TRUE(Bar->IsMouseIn);
    Form->SetFocus();
    EXPECT_FALSE(Bar->IsMouseIn);
}

TEST_F(FxScrollBarTest, PartsAsPixels)
{
    Bar->SetColor(Ground);
    Bar->SetColorFrame(Frame);
    auto Shot = PaintOffscreen(*Bar);
    // Arrow boxes outlined, filled with the bar's colour; triangles outlined.
    EXPECT_EQ(Shot->Pixel(0, 0), Frame);
    EXPECT_EQ(Shot->Pixel(15, 15), Frame);
    EXPECT_EQ(Shot->Pixel(2, 2), Ground);
    EXPECT_EQ(Shot->Pixel(8, 4), Frame);    // the up triangle's apex
    EXPECT_EQ(Shot->Pixel(8, 8), Ground);   // inside it
    EXPECT_EQ(Shot->Pixel(8, 195), Frame);  // the down triangle's apex
    EXPECT_EQ(Shot->Pixel(0, 184), Frame);
    EXPECT_EQ(Shot->Pixel(15, 199), Frame);
    // The thumb is solid, the track the bar's colour.
    EXPECT_EQ(Shot->Pixel(8, 26), Frame);
    EXPECT_EQ(Shot->Pixel(8, 17), Ground);
    EXPECT_EQ(Shot->Pixel(8, 100), Ground);
    Bar->SetPosition(9);
    Shot = PaintOffscreen(*Bar);
    EXPECT_EQ(Shot->Pixel(8, 26), Ground);
    EXPECT_EQ(Shot->Pixel(8, 174), Frame);
    EXPECT_EQ(Shot->Pixel(8, 183), Ground);
    // A single value: no thumb at all.
    Bar->SetMax(0);
    Shot = PaintOffscreen(*Bar);
    for (int Y = 17; Y < 184; ++Y)
        ASSERT_EQ(Shot->Pixel(8, Y), Ground) << Y;
}

TEST_F(FxScrollBarTest, BarsArePhotographed)
{
    struct {
        int Max, Position;
    } Bars[] = {{9, 0}, {9, 5}, {100, 100}, {0, 0}};
    int Left = 60;
    for (const auto& B : Bars) {
        auto* Other = new CFxScrollBar(Form.get());
        Other->SetParent(Form.get());
        Other->SetBounds(Left, 10, 16, 200);
        Other->SetColor(Ground);
        Other->SetColorFrame(Frame);
        Other->SetMin(0);
        Other->SetMax(B.Max);
        Other->SetPosition(B.Position);
        Left += 40;
    }
    PostClick(WM_LBUTTONDOWN, 8, 60); // held on the track of the first bar
    const TScreenshot Shot = Photograph(Form->Handle(), "fx_scroll_bars.png");
    EXPECT_EQ(ShotPixel(Shot, Form->Handle(), 60 + 8, 10 + 26), Frame);
    EXPECT_EQ(ShotPixel(Shot, Form->Handle(), 60 + 8, 10 + 100), Ground);
    PostClick(WM_LBUTTONUP, 8, 60);
}
