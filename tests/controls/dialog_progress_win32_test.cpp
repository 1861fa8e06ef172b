// The progress window painted at each step while no message loop runs.
#include "dialog_progress.h"
#include "gui_support.h"

#include <memory>

namespace {

// Bar pixels: the filled part in the highlight colour.
bool Filled(const TScreenshot& Shot, CDialogProgress& P, int Percent)
{
    HWND Bar = P.ProgressBar->Handle();
    RECT R;
    GetClientRect(Bar, &R);
    const int X = R.right * Percent / 100;
    POINT Pt = {X, R.bottom / 2};
    ClientToScreen(Bar, &Pt);
    RECT W;
    GetWindowRect(P.Handle(), &W);
    return Shot.PixelRGB(Pt.x - W.left, Pt.y - W.top) == static_cast<std::uint32_t>(GetSysColor(COLOR_HIGHLIGHT));
}

bool TextInked(const TScreenshot& Shot, CDialogProgress& P)
{
    const RECT L = P.TextLabel->BoundsRect();
    for (int Y = L.top; Y < L.bottom - 3; ++Y)
        for (int X = L.left; X < L.right; ++X)
            if (ShotPixel(Shot, P.OuterPanel->Handle(), X, Y) == 0)
                return true;
    return false;
}

} // namespace

TEST(CDialogProgress, ShowsTextAndBarAtEveryStepWithoutALoop)
{
    auto Other = std::make_unique<TForm>(nullptr);
    Other->SetCaption("Main");
    Other->SetBounds(10, 10, 300, 200);
    Other->Show();
    PumpMessages();
    auto P = std::make_unique<CDialogProgress>(nullptr);
    EXPECT_FALSE(P->HandleAllocated() && IsWindowVisible(P->Handle()));
    // From here on nothing pumps messages.
    P->Start("Building Project...");
    EXPECT_TRUE(IsWindowVisible(P->Handle()));
    EXPECT_EQ(GetActiveWindow(), Other->Handle());
    EXPECT_EQ(P->TextLabel->Caption(), "Building Project...");
    P->SetPosition(50);
    TScreenshot Shot = Photograph(P->Handle(), "progress.png");
    EXPECT_TRUE(TextInked(Shot, *P));
    EXPECT_TRUE(Filled(Shot, *P, 20));
    EXPECT_FALSE(Filled(Shot, *P, 80));
    // The dark frame shows around the white parts.
    EXPECT_EQ(ShotPixel(Shot, P->Handle(), 1, 20), 0u);
    EXPECT_EQ(ShotPixel(Shot, P->Handle(), 1, 1), 0u);
    P->SetPosition(95);
    Shot = CaptureWindow(P->Handle());
    EXPECT_TRUE(Filled(Shot, *P, 80));
    P->Finish();
    EXPECT_FALSE(IsWindowVisible(P->Handle()));
    EXPECT_EQ(P->ProgressBar->Position(), 0);
    // The next cycle starts empty with its own text.
    P->Start("Installing...");
    Shot = CaptureWindow(P->Handle());
    EXPECT_FALSE(Filled(Shot, *P, 20));
    EXPECT_EQ(P->TextLabel->Caption(), "Installing...");
    P->Finish();
}

TEST(CDialogProgress, ColourSetBeforeStartColoursLabelAndBarPanel)
{
    CDialogProgress P(nullptr);
    const TColor Tint = 0xCDE6FF;
    P.SetColor(Tint);
    P.Start("Loading...");
    const TScreenshot Shot = CaptureWindow(P.Handle());
    EXPECT_EQ(ShotPixel(Shot, P.OuterPanel->Handle(), 4, 3), Tint);
    EXPECT_EQ(P.BarPanel->Color(), Tint);
    EXPECT_EQ(P.OuterPanel->Color(), 0u);
    P.Finish();
}

TEST(CDialogProgress, FreedWithItsOwner)
{
    auto Owner = std::make_unique<TForm>(nullptr);
    auto* P = new CDialogProgress(Owner.get());
    P->Start("Loading...");
    const HWND Window = P->Handle();
    EXPECT_TRUE(IsWindow(Window));
    Owner.reset();
    EXPECT_FALSE(IsWindow(Window));
}
