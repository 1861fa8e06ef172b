#pragma once

#include "object.h"
#include "rect_helpers.h"
#include "ui_timer.h"

#include <cstdint>
#include <functional>

// sbH is the vertical bar, the only layout there is; sbW is stored and behaves the same.
enum TScrollBarKind : std::uint8_t { sbW = 0, sbH = 1 };

// The part of the bar a point lies on, and the part being held.
enum TScrollBarPart : std::uint8_t { spNone = 0, spUpArrow = 1, spThumb = 2, spDownArrow = 3, spTrack = 4 };

// The custom-drawn scroll bar apart from any window: range and position, the
// geometry of the arrow boxes and the thumb, the hit test, the press, drag and release
// of the left button and the arrow repeat (150 ms, then every 30 ms) on the timer
// service. The window feeds it its size and the mouse and draws the three rectangles.
class CFxScrollBarModel : public TObject {
public:
    CFxScrollBarModel();
    ~CFxScrollBarModel() override;
    CFxScrollBarModel(const CFxScrollBarModel&) = delete;
    CFxScrollBarModel& operator=(const CFxScrollBarModel&) = delete;

    std::int32_t Min() const { return FMin; }
    std::int32_t Max() const { return FMax; }
    std::int32_t Position() const { return FPosition; }
    // The writers keep Min <= Max and Position within them; see the bar's contract.
    void SetMin(std::int32_t Value);
    void SetMax(std::int32_t Value);
    void SetPosition(std::int32_t Value);

    TScrollBarKind Kind = sbH;
    // The left button is held on the bar.
    bool LBD = false;

    // The bar's size in pixels; the geometry follows at the next Layout.
    void SetSize(std::int32_t Width, std::int32_t Height);
    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }

    // The geometry step of painting: arrow boxes and thumb from the range, unless the
    // thumb or the track is held, when the thumb stays at the drag top.
    void Layout();
    const TRect& UpRect() const { return FUpRect; }
    const TRect& DownRect() const { return FDownRect; }
    const TRect& ThumbRect() const { return FThumbRect; }
    std::int32_t ThumbSize() const { return FThumbSize; }
    std::int32_t DragTop() const { return FDragTop; }
    TScrollBarPart Pressed() const { return FPressed; }
    // Whether a thumb is drawn at all (not when Min = Max).
    bool ShowsThumb() const { return FMin != FMax; }

    // On the rectangles of the last Layout.
    TScrollBarPart HitTest(std::int32_t X, std::int32_t Y) const;

    void MouseDown(std::int32_t X, std::int32_t Y);
    void MouseMove(std::int32_t X, std::int32_t Y);
    void MouseUp(std::int32_t X, std::int32_t Y);
    // The press ended elsewhere (capture taken away): nothing steps or repeats any more.
    void CancelPress();
    void TimerTick();

    const TTimer& RepeatTimer() const { return FRepeatTimer; }

    // Sender is the bar the window gives; the model itself when none is set.
    TObject* Sender = nullptr;
    TNotifyEvent OnChange;
    // Asks the window to repaint now; the model lays itself out first.
    std::function<void()> OnRepaint;

private:
    void StorePosition(std::int64_t Value);
    void Changed();
    void Repaint();
    void DragStep(std::int32_t Y);

    std::int32_t FMin = 10;
    std::int32_t FMax = 20;
    std::int32_t FPosition = 10;
    std::int32_t FWidth = 16;
    std::int32_t FHeight = 200;
    TRect FUpRect;
    TRect FDownRect;
    TRect FThumbRect;
    TScrollBarPart FPressed = spNone;
    std::int32_t FThumbSize = 0;
    std::int32_t FDragTop = 0;
    TTimer FRepeatTimer;
};
