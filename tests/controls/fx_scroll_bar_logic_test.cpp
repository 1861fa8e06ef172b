// The scroll bar's rules without a window: writers, geometry, hit test, press, drag,
// release and the arrow repeat on the fake timer service.
#include "fx_scroll_bar_logic.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ScrollBarModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetTimerService(&Timers);
        Bar = std::make_unique<CFxScrollBarModel>();
        Bar->OnChange = [this](TObject* Sender) {
            Senders.push_back(Sender);
            Positions.push_back(Bar->Position());
        };
        Bar->OnRepaint = [this] { ++Repaints; };
    }
    void TearDown() override
    {
        Bar.reset();
        SetTimerService(nullptr);
    }
    void Range(int Min, int Max, int Position)
    {
        Bar->SetMax(Max);
        Bar->SetMin(Min);
        Bar->SetMax(Max);
        Bar->SetPosition(Position);
        Positions.clear();
        Senders.clear();
        Repaints = 0;
    }

    TFakeTimerService Timers;
    std::unique_ptr<CFxScrollBarModel> Bar;
    std::vector<int> Positions;
    std::vector<TObject*> Senders;
    int Repaints = 0;
};

} // namespace

TEST_F(ScrollBarModel, StartsWithItsDefaults)
{
    EXPECT_EQ(Bar->Min(), 10);
    EXPECT_EQ(Bar->Max(), 20);
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_EQ(Bar->Kind, sbH);
    EXPECT_FALSE(Bar->LBD);
    EXPECT_EQ(Bar->Pressed(), spNone);
    EXPECT_FALSE(Bar->RepeatTimer().Enabled());
    EXPECT_EQ(Bar->Width(), 16);
    EXPECT_EQ(Bar->Height(), 200);
}

TEST_F(ScrollBarModel, PositionWriterClampsAndFiresAlsoWhenNothingMoves)
{
    Range(0, 0, 0);
    Bar->SetPosition(5);
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(Positions, std::vector<int>{0});
    EXPECT_EQ(Senders, std::vector<TObject*>{Bar.get()});
    EXPECT_EQ(Repaints, 1);
    // The same value as stored: nothing at all.
    Bar->SetPosition(0);
    EXPECT_EQ(Positions.size(), 1u);
    EXPECT_EQ(Repaints, 1);

    Range(0, 9, 3);
    Bar->SetPosition(-4);
    Bar->SetPosition(40);
    EXPECT_EQ(Positions, (std::vector<int>{0, 9}));
}

TEST_F(ScrollBarModel, MinAndMaxWritersKeepTheOrderAndMoveThePosition)
{
    Range(0, 20, 15);
    Bar->SetMax(10); // below Position: Position follows and OnChange fires
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_EQ(Positions, std::vector<int>{10});
    Bar->SetMin(12); // above Position
    EXPECT_EQ(Bar->Min(), 10); // above Max: lowered to Max
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_EQ(Positions.size(), 1u); // Min 10 is not above Position 10

    Range(0, 20, 5);
    Bar->SetMin(8);
    EXPECT_EQ(Bar->Position(), 8);
    Bar->SetMax(3); // below Min: Min becomes the new Max
    EXPECT_EQ(Bar->Max(), 8);
    EXPECT_EQ(Bar->Position(), 8);
    EXPECT_EQ(Positions, std::vector<int>{8});
    // Writers of an unchanged value do nothing, not even repaint.
    Repaints = 0;
    Bar->SetMin(8);
    Bar->SetMax(8);
    EXPECT_EQ(Repaints, 0);
}

TEST_F(ScrollBarModel, GeometryFollowsTheRange)
{
    struct {
        int Height, Min, Max, Position;
        int ThumbSize, ThumbTop;
    } Cases[] = {
        {200, 0, 9, 0, 16, 18},     // 164 / 10 = 16.4 rounds to 16
        {200, 0, 9, 9, 16, 166},    // ends at Height - 18
        {200, 0, 1, 0, 82, 18},     // 164 / 2
        {200, 0, 1, 1, 82, 100},
        {200, 0, 0, 0, 164, 18},    // a single value: the whole track, no thumb drawn
        {200, 0, 1000, 500, 16, 92},// small thumbs are 16 at least; 500 x 148 / 1000 = 74
        {200, 0, 2, 1, 55, 72},     // 164 / 3 = 54.67 rounds up; 109 / 2 = 54.5 rounds to even 54
        {200, 0, 6, 3, 23, 88},     // 164 / 7 = 23.43; 141 / 2 = 70.5 rounds to even 70
        {20, 0, 5, 5, 16, -14},     // a bar shorter than its arrows: nothing breaks
    };
    for (const auto& C : Cases) {
        Bar->SetSize(16, C.Height);
        Range(C.Min, C.Max, C.Position);
        Bar->Layout();
        SCOPED_TRACE(testing::Message() << C.Height << " " << C.Max << " " << C.Position);
        EXPECT_EQ(Bar->ThumbSize(), C.ThumbSize);
        EXPECT_EQ(Bar->ThumbRect().Top, C.ThumbTop);
        EXPECT_EQ(Bar->ThumbRect().Bottom, C.ThumbTop + C.ThumbSize);
        EXPECT_EQ(Bar->UpRect().Bottom, 16);
        EXPECT_EQ(Bar->DownRect().Top, C.Height - 16);
        EXPECT_EQ(Bar->DownRect().Bottom, C.Height);
        EXPECT_EQ(Bar->ShowsThumb(), C.Min != C.Max);
    }
}

TEST_F(ScrollBarModel, HitTestByRows)
{
    Range(0, 9, 0); // thumb 18..34
    struct {
        int Y;
        TScrollBarPart Part;
    } Cases[] = {
        {0, spUpArrow},    {16, spUpArrow},  {17, spTrack},     {18, spThumb},     {34, spThumb},
        {35, spTrack},     {183, spTrack},   {184, spDownArrow}, {199, spDownArrow},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Bar->HitTest(3, C.Y), C.Part) << C.Y;
    // Thumb before the down arrow: a thumb at the bottom still wins.
    Range(0, 9, 9); // thumb 166..182
    EXPECT_EQ(Bar->HitTest(3, 182), spThumb);
    EXPECT_EQ(Bar->HitTest(3, 184), spDownArrow);
}

TEST_F(ScrollBarModel, PressOnTheTrackMovesTheThumbThere)
{
    Range(0, 9, 0);
    Bar->MouseDown(4, 100);
    EXPECT_TRUE(Bar->LBD);
    EXPECT_EQ(Bar->Pressed(), spTrack);
    // Step = (164 - 16) div 10 = 14; 82 div 14 = 5.
    EXPECT_EQ(Bar->Position(), 5);
    EXPECT_EQ(Positions, std::vector<int>{5});
    EXPECT_EQ(Bar->ThumbRect().Top, 92);
    EXPECT_EQ(Bar->DragTop(), 92);
    // Releasing on the thumb's new place steps nothing more; the thumb stays where it was.
    Bar->MouseUp(4, 100);
    EXPECT_EQ(Bar->Pressed(), spNone);
    EXPECT_FALSE(Bar->LBD);
    EXPECT_EQ(Bar->ThumbRect().Top, 92);
    EXPECT_EQ(Positions.size(), 1u);
    // The next paint lays the thumb out from the position: 5 x 148 / 9 = 82.2.
    Bar->Layout();
    EXPECT_EQ(Bar->ThumbRect().Top, 100);
}

TEST_F(ScrollBarModel, DraggingTheThumbKeepsItInsideTheTrack)
{
    Range(0, 9, 0);
    Bar->MouseDown(4, 20); // on the thumb
    EXPECT_EQ(Bar->Pressed(), spThumb);
    EXPECT_EQ(Bar->DragTop(), 18); // 20 - 8 = 12, raised to up bottom + 2
    EXPECT_EQ(Bar->Position(), 0); // 2 div 14
    Bar->MouseMove(4, 195);
    EXPECT_EQ(Bar->DragTop(), 166); // down top - 2 - 16
    EXPECT_EQ(Bar->Position(), 9);  // 177 div 14 = 12, clamped
    Bar->MouseMove(4, -50);
    EXPECT_EQ(Bar->DragTop(), 18);
    EXPECT_EQ(Bar->Position(), 0); // -68 div 14 = -4 (toward zero), clamped
    EXPECT_EQ(Positions, (std::vector<int>{9, 0}));
    Bar->MouseUp(4, 500); // elsewhere: a repaint, no step
    EXPECT_EQ(Positions.size(), 2u);
    // A move without the button held does nothing.
    Bar->MouseMove(4, 120);
    EXPECT_EQ(Bar->Position(), 0);
}

TEST_F(ScrollBarModel, RangeWiderThanTheTrackDragsThumbButNotPosition)
{
    Range(0, 1000, 0);
    Bar->MouseDown(4, 100);
    EXPECT_EQ(Bar->Position(), 0); // Step = 148 div 1001 = 0
    EXPECT_EQ(Bar->DragTop(), 92);
    EXPECT_TRUE(Positions.empty());
    Bar->MouseUp(4, 100);
}

TEST_F(ScrollBarModel, PositionCountsFromTheArrowNotFromMin)
{
    Range(100, 109, 100);
    Bar->MouseDown(4, 100); // 82 div 14 = 5: below Min, so the writer clamps to 100
    EXPECT_EQ(Bar->Position(), 100);
    EXPECT_EQ(Positions, std::vector<int>{100}); // a write of another value fires
    Bar->MouseUp(4, 100);
}

TEST_F(ScrollBarModel, ShortClickOnAnArrowStepsOnceOnRelease)
{
    Range(0, 100, 50);
    Bar->MouseDown(4, 190);
    EXPECT_EQ(Bar->Pressed(), spDownArrow);
    EXPECT_TRUE(Bar->RepeatTimer().Enabled());
    EXPECT_EQ(Bar->RepeatTimer().Interval(), 150u);
    Timers.Advance(100);
    EXPECT_TRUE(Positions.empty());
    Bar->MouseUp(4, 190);
    EXPECT_EQ(Positions, std::vector<int>{51});
    EXPECT_FALSE(Bar->RepeatTimer().Enabled());
    EXPECT_EQ(Timers.ActiveCount(), 0u);

    Bar->MouseDown(4, 5);
    Bar->MouseUp(4, 8);
    EXPECT_EQ(Positions, (std::vector<int>{51, 50}));
    // Leaving the arrow before the release: no step.
    Bar->MouseDown(4, 5);
    Bar->MouseUp(4, 100);
    EXPECT_EQ(Positions.size(), 2u);
    // At the end of the range the arrow still writes, so OnChange fires.
    Range(0, 100, 100);
    Bar->MouseDown(4, 190);
    Bar->MouseUp(4, 190);
    EXPECT_EQ(Bar->Position(), 100);
    EXPECT_EQ(Positions, std::vector<int>{100});
}

TEST_F(ScrollBarModel, HeldArrowRepeatsAfter150ThenEvery30)
{
    Range(0, 100, 0);
    Bar->MouseDown(4, 190);
    Timers.Advance(149);
    EXPECT_EQ(Bar->Position(), 0);
    Timers.Advance(1);
    EXPECT_EQ(Bar->Position(), 1);
    EXPECT_EQ(Bar->RepeatTimer().Interval(), 30u);
    Timers.Advance(29);
    EXPECT_EQ(Bar->Position(), 1);
    Timers.Advance(1);
    EXPECT_EQ(Bar->Position(), 2);
    Timers.Advance(820); // one second since the press: ticks at 150, 180, ... 990
    EXPECT_EQ(Bar->Position(), 29);
    Bar->MouseUp(4, 190);
    EXPECT_EQ(Bar->Position(), 30);
    // A second press starts again with the long wait.
    Bar->MouseDown(4, 5);
    EXPECT_EQ(Bar->RepeatTimer().Interval(), 150u);
    Timers.Advance(100);
    EXPECT_EQ(Bar->Position(), 30);
    Bar->MouseUp(4, 5);
    EXPECT_EQ(Bar->Position(), 29);
}

TEST_F(ScrollBarModel, TimerDoesNothingWhileTheThumbIsHeld)
{
    Range(0, 9, 0);
    Bar->MouseDown(4, 20);
    Timers.Advance(1000);
    EXPECT_EQ(Bar->Position(), 0);
    Bar->MouseUp(4, 20);
}

TEST_F(ScrollBarModel, CancelledPressStopsTheRepeat)
{
    Range(0, 100, 0);
    Bar->MouseDown(4, 190);
    Timers.Advance(200);
    const int Reached = Bar->Position();
    Bar->CancelPress();
    EXPECT_FALSE(Bar->LBD);
    EXPECT_EQ(Bar->Pressed(), spNone);
    EXPECT_EQ(Timers.ActiveCount(), 0u);
    Timers.Advance(1000);
    Bar->MouseUp(4, 190); // the release that follows finds no press
    EXPECT_EQ(Bar->Position(), Reached);
}

TEST_F(ScrollBarModel, ExtremeRangesStayDefined)
{
    Range(INT32_MIN, INT32_MAX, INT32_MIN);
    Bar->Layout();
    EXPECT_EQ(Bar->ThumbSize(), 16);
    EXPECT_EQ(Bar->ThumbRect().Top, 18);
    Bar->MouseDown(4, 5);
    Bar->MouseUp(4, 5);
    EXPECT_EQ(Bar->Position(), INT32_MIN);
    Bar->SetPosition(INT32_MAX);
    Bar->Layout();
    EXPECT_EQ(Bar->ThumbRect().Bottom, 182);
    Bar->MouseDown(4, 190);
    Bar->MouseUp(4, 190);
    EXPECT_EQ(Bar->Position(), INT32_MAX);
}
