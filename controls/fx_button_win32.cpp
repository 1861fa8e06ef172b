#include "fx_button.h"

#include "draw_helpers.h"
#include "fx_button_logic.h"

CFxCustomButton::CFxCustomButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    FRepeatTimer.SetInterval(50);
    FRepeatTimer.OnTimer = [this](TObject*) {
        if (OnClick && MassClick)
            OnClick(this);
    };
}

CFxCustomButton::~CFxCustomButton() { FRepeatTimer.SetEnabled(false); }

POINT CFxCustomButton::ScreenPoint(int X, int Y)
{
    POINT P = {X, Y};
    if (HandleAllocated())
        ClientToScreen(Handle(), &P);
    return P;
}

void CFxCustomButton::MouseDown(TMouseButton, TShiftState Shift, int X, int Y)
{
    if (Shift & ssLeft) {
        FDown = true;
        FRepeatTimer.SetEnabled(true);
        if (DragOn && !FDragging) {
            FDragging = true;
            const POINT P = ScreenPoint(X, Y);
            FLastX = P.x;
            FLastY = P.y;
        }
    }
    Invalidate();
}

void CFxCustomButton::MouseUp(TMouseButton, TShiftState Shift, int X, int Y)
{
    if (!(Shift & ssLeft)) {
        FDown = false;
        FRepeatTimer.SetEnabled(false);
        FDragging = false;
        if (X < 0 || Y < 0 || X >= Width() || Y >= Height())
            FHot = false;
    }
    Invalidate();
}

void CFxCustomButton::MouseMove(TShiftState, int X, int Y)
{
    if (!FHot) {
        FHot = true;
        Invalidate();
    }
    if (FDragging) {
        const POINT P = ScreenPoint(X, Y);
        const int NewLeft = ClampDragCoord(P.x + Left() - FLastX, FDLminX, FDLmaxX);
        const int NewTop = ClampDragCoord(P.y + Top() - FLastY, FDLminY, FDLmaxY);
        SetBounds(NewLeft, NewTop, Width(), Height());
        FLastX = P.x;
        FLastY = P.y;
        if (OnDraging)
            OnDraging(this);
    }
}

void CFxCustomButton::MouseEnter()
{
    FHot = true;
    Invalidate();
}

void CFxCustomButton::MouseLeave()
{
    FHot = false;
    Invalidate();
}

void CFxCustomButton::CaptureLost()
{
    // Whoever took the capture ended the press: no repeat keeps running behind it.
    FDown = false;
    FDragging = false;
    FRepeatTimer.SetEnabled(false);
    Invalidate();
}

void CFxCustomButton::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    Invalidate();
}

void CFxCustomButton::TextChanged()
{
    TCustomControl::TextChanged();
    Invalidate();
}

void CFxCustomButton::SetDLminX(int V)
{
    FDLminX = V;
    if (V != -1 && V > Left())
        SetLeft(V);
}

void CFxCustomButton::SetDLmaxX(int V)
{
    FDLmaxX = V;
    if (V != -1 && V < Left())
        SetLeft(V);
}

void CFxCustomButton::SetDLminY(int V)
{
    FDLminY = V;
    if (V != -1 && V > Top())
        SetTop(V);
}

void CFxCustomButton::SetDLmaxY(int V)
{
    FDLmaxY = V;
    if (V != -1 && V < Top())
        SetTop(V);
}

void CFxCustomButton::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    Invalidate();
}

CFxButton::CFxButton(TComponent* AOwner) : CFxCustomButton(AOwner)
{
    SetColor(15124680);
    Font().SetColor(clBlack);
    FWidth = 75;
    FHeight = 25;
}

CFxButton::~CFxButton()
{
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
}

void CFxButton::SetColCor(double Value)
{
    FColCor = Value;
    Invalidate();
}

void CFxButton::SetCustomPaint(TNotifyEvent Value)
{
    FCustomPaint = std::move(Value);
    Invalidate();
}

void CFxButton::Paint(TCanvas& Canvas)
{
    if (FCustomPaint) {
        FCustomPaint(nullptr);
        return;
    }
    Canvas.Font.Assign(Font());
    const TColor F = FxButtonFace(Color(), FColCor, Enabled(), FDown, FHot);
    if (!Enabled())
        Canvas.Font.SetColor(FxButtonDisabledText(F));
    Canvas.BrushStyle = bsSolid;
    Canvas.BrushColor = F;
    const int W = Width(), H = Height();
    const TFxBevel Bevel = FxButtonBevel(F, FDown || Checked());
    DrawFrame3D(Canvas, TRect{0, 0, W - 1, H - 1}, Bevel.OuterLeftTop, Bevel.OuterRightBottom);
    DrawFrame3D(Canvas, TRect{1, 1, W - 2, H - 2}, Bevel.InnerLeftTop, Bevel.InnerRightBottom);
    const SIZE Text = Canvas.TextExtent(Caption());
    const int X = (W - Text.cx) / 2 + Bevel.TextOffset;
    const int Y = (H - Text.cy) / 2 + Bevel.TextOffset;
    Canvas.TextRect(RECT{2, 2, W - 2, H - 2}, X, Y, Caption());
}
