#pragma once

#include "ui_control.h"
#include "ui_timer.h"

// A custom-drawn button's behaviour: hot and held state, a 50 ms repeat timer that
// clicks again with MassClick, optional dragging of the button within limits
// (-1: no limit on that side), and Checked.
class CFxCustomButton : public TCustomControl {
public:
    explicit CFxCustomButton(TComponent* AOwner);
    ~CFxCustomButton() override;

    bool MassClick = false;
    bool DragOn = false;
    TNotifyEvent OnDraging;

    int DLminX() const { return FDLminX; }
    int DLmaxX() const { return FDLmaxX; }
    int DLminY() const { return FDLminY; }
    int DLmaxY() const { return FDLmaxY; }
    void SetDLminX(int V);
    void SetDLmaxX(int V);
    void SetDLminY(int V);
    void SetDLmaxY(int V);

    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);

    bool Down() const { return FDown; }
    bool Hot() const { return FHot; }
    bool Dragging() const { return FDragging; }
    const TTimer& RepeatTimer() const { return FRepeatTimer; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CaptureLost() override;
    void EnabledChanged() override;
    void TextChanged() override;

    bool FDown = false;
    bool FHot = false;

private:
    POINT ScreenPoint(int X, int Y);

    TTimer FRepeatTimer;
    int FDLminX = -1, FDLmaxX = -1, FDLminY = -1, FDLmaxY = -1;
    int FLastX = 0, FLastY = 0;
    bool FDragging = false;
    bool FChecked = false;
};

// Paints itself from one face colour: hot and held faces stepped by ColCor, bevels in
// light and dark steps of the face. CustomPaint, when set, replaces all painting.
class CFxButton : public CFxCustomButton {
public:
    explicit CFxButton(TComponent* AOwner);
    ~CFxButton() override;

    double ColCor() const { return FColCor; }
    void SetColCor(double Value);
    const TNotifyEvent& CustomPaint() const { return FCustomPaint; }
    void SetCustomPaint(TNotifyEvent Value);

protected:
    void Paint(TCanvas& Canvas) override;

private:
    double FColCor = 0;
    TNotifyEvent FCustomPaint;
};
