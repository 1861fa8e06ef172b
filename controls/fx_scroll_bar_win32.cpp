#include "fx_scroll_bar.h"

#include "ui_text_report.h"

CFxScrollBar_b::CFxScrollBar_b(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clGray);
    FWidth = 16;
    FHeight = 200;
    FModel.Sender = this;
    FModel.SetSize(FWidth, FHeight);
    FModel.OnChange = [this](TObject*) {
        if (OnChange)
            OnChange(this);
    };
    FModel.OnRepaint = [this] { Repaint(); };
}

CFxScrollBar_b::~CFxScrollBar_b()
{
    FModel.OnRepaint = nullptr;
    FModel.OnChange = nullptr;
}

void CFxScrollBar_b::SetKind(TScrollBarKind Value)
{
    FModel.Kind = Value;
    Repaint();
}

void CFxScrollBar_b::SetColorFrame(TColor Value)
{
    if (Value == FColorFrame)
        return;
    FColorFrame = Value;
    Repaint();
}

void CFxScrollBar_b::BoundsChanged()
{
    TCustomControl::BoundsChanged();
    FModel.SetSize(Width(), Height());
}

void CFxScrollBar_b::Paint(TCanvas& Canvas)
{
    Canvas.BrushStyle = bsSolid;
    Canvas.BrushColor = Color();
    Canvas.PenColor = FColorFrame;
    FModel.SetSize(Width(), Height());
    DrawParts(Canvas, FModel.UpRect(), FModel.DownRect(), FModel.ThumbRect());
}

void CFxScrollBar_b::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button == mbLeft)
        FModel.MouseDown(X, Y);
}

void CFxScrollBar_b::MouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button == mbLeft)
        FModel.MouseUp(X, Y);
}

void CFxScrollBar_b::MouseMove(TShiftState, int X, int Y) { FModel.MouseMove(X, Y); }

void CFxScrollBar_b::CaptureLost() { FModel.CancelPress(); }

LRESULT CFxScrollBar_b::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_SETFOCUS)
        IsMouseIn = true;
    else if (Msg == WM_KILLFOCUS)
        IsMouseIn = false;
    return TCustomControl::WndProc(Msg, WParam, LParam);
}

void CFxScrollBar::DrawParts(TCanvas& Canvas, const TRect& UpRect, const TRect& DownRect, const TRect& ThumbRect)
{
    Canvas.Rectangle(UpRect.Left, UpRect.Top, UpRect.Right, UpRect.Bottom);
    Canvas.Polygon({POINT{(UpRect.Left + UpRect.Right) / 2, UpRect.Top + 4}, POINT{UpRect.Left + 4, UpRect.Bottom - 5},
                    POINT{UpRect.Right - 4, UpRect.Bottom - 5}});
    Canvas.Rectangle(DownRect.Left, DownRect.Top, DownRect.Right, DownRect.Bottom);
    Canvas.Polygon({POINT{DownRect.Left + 4, DownRect.Top + 4}, POINT{DownRect.Right - 4, DownRect.Top + 4},
                    POINT{(DownRect.Left + DownRect.Right) / 2, DownRect.Bottom - 4}});
    Canvas.BrushColor = ColorFrame();
    if (Min() != Max())
        Canvas.Rectangle(ThumbRect.Left, ThumbRect.Top, ThumbRect.Right, ThumbRect.Bottom);
}

void CFxScrollBar_b::DescribeTexts(TTextReport& Report)
{
    Report.AddControl(*this, "Position " + std::to_string(Position()) + " of " + std::to_string(Min()) + ".." +
                                 std::to_string(Max()));
}
