#pragma once

#include "fx_scroll_bar_logic.h"
#include "ui_control.h"

// The custom-drawn vertical scroll bar: arrow boxes at both ends, a thumb between
// them and the bar's own colour for the track. The base holds the range, the mouse
// handling and the change event (in its model); DrawParts is left to the kinds.
class CFxScrollBar_b : public TCustomControl {
public:
    explicit CFxScrollBar_b(TComponent* AOwner);
    ~CFxScrollBar_b() override;

    TScrollBarKind Kind() const { return FModel.Kind; }
    void SetKind(TScrollBarKind Value);
    std::int32_t Min() const { return FModel.Min(); }
    void SetMin(std::int32_t Value) { FModel.SetMin(Value); }
    std::int32_t Max() const { return FModel.Max(); }
    void SetMax(std::int32_t Value) { FModel.SetMax(Value); }
    std::int32_t Position() const { return FModel.Position(); }
    void SetPosition(std::int32_t Value) { FModel.SetPosition(Value); }
    TColor ColorFrame() const { return FColorFrame; }
    void SetColorFrame(TColor Value);
    // Set while the bar has the input focus; the bar itself never reads it.
    bool IsMouseIn = false;
    bool LBD() const { return FModel.LBD; }

    TNotifyEvent OnChange;

    const CFxScrollBarModel& Model() const { return FModel; }
    // Its text is where it stands: "Position P of Min..Max".
    void DescribeTexts(TTextReport& Report) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    virtual void DrawParts(TCanvas& Canvas, const TRect& UpRect, const TRect& DownRect, const TRect& ThumbRect) = 0;
    void Paint(TCanvas& Canvas) override;
    void BoundsChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CaptureLost() override;

    CFxScrollBarModel FModel;

private:
    TColor FColorFrame = clWhite;
};

// Arrow boxes outlined in ColorFrame with a triangle each; the thumb a solid block
// of ColorFrame, left out when Min = Max.
class CFxScrollBar : public CFxScrollBar_b {
public:
    using CFxScrollBar_b::CFxScrollBar_b;

protected:
    void DrawParts(TCanvas& Canvas, const TRect& UpRect, const TRect& DownRect, const TRect& ThumbRect) override;
};
