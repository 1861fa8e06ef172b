#include "fx_scroll_bar_logic.h"

#include "convert.h"

#include <algorithm>

namespace {

constexpr std::int32_t ArrowSize = 16;
constexpr std::uint32_t FirstRepeatMs = 150;
constexpr std::uint32_t RepeatMs = 30;

// Integer division truncated toward zero, in 64 bits so no range overflows.
std::int64_t Div(std::int64_t A, std::int64_t B) { return A / B; }

} // namespace

CFxScrollBarModel::CFxScrollBarModel()
{
    FRepeatTimer.SetEnabled(false);
    FRepeatTimer.OnTimer = [this](TObject*) { TimerTick(); };
    Layout();
}

CFxScrollBarModel::~CFxScrollBarModel()
{
    FRepeatTimer.OnTimer = nullptr;
    FRepeatTimer.SetEnabled(false);
}

void CFxScrollBarModel::Changed()
{
    if (OnChange)
        OnChange(Sender ? Sender : this);
}

void CFxScrollBarModel::Repaint()
{
    Layout();
    if (OnRepaint)
        OnRepaint();
}

void CFxScrollBarModel::SetPosition(std::int32_t Value) { StorePosition(Value); }

void CFxScrollBarModel::StorePosition(std::int64_t Value)
{
    if (Value == FPosition)
        return;
    FPosition = static_cast<std::int32_t>(std::clamp<std::int64_t>(Value, FMin, FMax));
    // Also when the clamped value is the old one: the writer was asked for a change.
    Changed();
    Repaint();
}

void CFxScrollBarModel::SetMax(std::int32_t Value)
{
    if (Value == FMax)
        return;
    FMax = std::max(Value, FMin);
    if (FMax < FPosition) {
        FPosition = FMax;
        Changed();
    }
    Repaint();
}

void CFxScrollBarModel::SetMin(std::int32_t Value)
{
    if (Value == FMin)
        return;
    FMin = std::min(Value, FMax);
    if (FMin > FPosition) {
        FPosition = FMin;
        Changed();
    }
    Repaint();
}

void CFxScrollBarModel::SetSize(std::int32_t Width, std::int32_t Height)
{
    FWidth = Width;
    FHeight = Height;
    Layout();
}

void CFxScrollBarModel::Layout()
{
    if (FPressed == spThumb || FPressed == spTrack) {
        FThumbRect = TRect{0, FDragTop, FWidth, ClampToInt32(std::int64_t{FDragTop} + FThumbSize)};
        return;
    }
    FUpRect = TRect{0, 0, FWidth, ArrowSize};
    FDownRect = TRect{0, FHeight - ArrowSize, FWidth, FHeight};
    const std::int64_t Track = std::int64_t{FDownRect.Top} - 4 - FUpRect.Bottom;
    const std::int64_t Range = std::int64_t{FMax} - FMin;
    FThumbSize = ClampToInt32(std::max<std::int64_t>(DivRoundHalfEven(Track, Range + 1), ArrowSize));
    double Offset = 0;
    if (Range != 0)
        Offset = static_cast<double>(std::int64_t{FPosition} - FMin) * static_cast<double>(Track - FThumbSize) /
                 static_cast<double>(Range);
    const std::int32_t Top = ClampToInt32(RoundHalfEven(Offset) + 18.0);
    FThumbRect = TRect{0, Top, FWidth, ClampToInt32(std::int64_t{Top} + FThumbSize)};
}

TScrollBarPart CFxScrollBarModel::HitTest(std::int32_t, std::int32_t Y) const
{
    if (Y <= ArrowSize)
        return spUpArrow;
    if (Y >= FThumbRect.Top && Y <= FThumbRect.Bottom)
        return spThumb;
    if (Y >= std::int64_t{FHeight} - ArrowSize)
        return spDownArrow;
    return spTrack;
}

void CFxScrollBarModel::MouseDown(std::int32_t X, std::int32_t Y)
{
    FPressed = HitTest(X, Y);
    LBD = true;
    FRepeatTimer.SetInterval(FirstRepeatMs);
    FRepeatTimer.SetEnabled(true);
    if (FPressed == spThumb || FPressed == spTrack)
        DragStep(Y);
}

void CFxScrollBarModel::MouseMove(std::int32_t, std::int32_t Y)
{
    if (LBD && (FPressed == spThumb || FPressed == spTrack))
        DragStep(Y);
}

void CFxScrollBarModel::DragStep(std::int32_t Y)
{
    const std::int64_t ThumbHeight = std::int64_t{FThumbRect.Bottom} - FThumbRect.Top;
    const std::int64_t Low = std::int64_t{FUpRect.Bottom} + 2;
    const std::int64_t High = std::int64_t{FDownRect.Top} - 2 - ThumbHeight;
    std::int64_t Top = std::int64_t{Y} - FThumbSize / 2;
    Top = std::min(Top, High);
    Top = std::max(Top, Low); // the lower bound wins when the range is empty
    FDragTop = ClampToInt32(Top);

    const std::int64_t Step = Div(std::int64_t{FDownRect.Top} - 4 - FUpRect.Bottom - ThumbHeight,
                                  std::int64_t{FMax} - FMin + 1);
    // Min is not added to the quotient: the position counts from the arrow's edge.
    if (Step != 0)
        StorePosition(Div(std::int64_t{Y} - 18, Step));
    Repaint();
}

void CFxScrollBarModel::MouseUp(std::int32_t X, std::int32_t Y)
{
    LBD = false;
    FRepeatTimer.SetEnabled(false);
    const TScrollBarPart Part = HitTest(X, Y);
    if (Part == FPressed) {
        if (Part == spUpArrow)
            StorePosition(std::int64_t{FPosition} - 1);
        else if (Part == spDownArrow)
            StorePosition(std::int64_t{FPosition} + 1);
    } else {
        Repaint();
    }
    FPressed = spNone;
}

void CFxScrollBarModel::CancelPress()
{
    if (!LBD && FPressed == spNone)
        return;
    LBD = false;
    FRepeatTimer.SetEnabled(false);
    FPressed = spNone;
    Repaint();
}

void CFxScrollBarModel::TimerTick()
{
    FRepeatTimer.SetInterval(RepeatMs);
    if (FPressed == spUpArrow)
        StorePosition(std::int64_t{FPosition} - 1);
    else if (FPressed == spDownArrow)
        StorePosition(std::int64_t{FPosition} + 1);
}
