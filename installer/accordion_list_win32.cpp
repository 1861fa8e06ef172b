#include "accordion_list.h"

#include "color_helpers.h"
#include "draw_helpers.h"
#include "ui_text_report.h"

namespace {

// Draws the rows of one layout walk on the list's canvas.
class TListPainter : public IFxListPainter {
public:
    TListPainter(CFxCanvas& ACanvas, CFxList& AList) : C(ACanvas), L(AList), M(AList.Model()) {}

    void PaintRow(const CFxListItem& Row, std::int32_t X, std::int32_t Y, std::int32_t W) override
    {
        if (Row.Kind == ikBar) {
            C.PenColor = ScaleColor(M.Color(), M.ColorC());
            C.MoveTo(X + 2, Y + 5);
            C.LineTo(X + W - 2, Y + 5);
            return;
        }
        TColor Face = ScaleColor(Row.Color(), Row.ColorFactor);
        if (Row.Hot)
            Face = ScaleColor(Face, 1.1);
        if (Row.Down)
            Face = ScaleColor(Face, 0.9);
        C.Font.Assign(L.Font());
        TImageList* Images = nullptr;
        if (Row.Kind == ikAction) {
            C.Font.SetItalic(false);
            Images = L.SImageList;
        } else {
            C.Font.SetHeight(GroupCaptionHeight(C.Font.Height(), GetDeviceCaps(C.Handle(), LOGPIXELSY)));
            C.Font.SetItalic(true);
            Images = L.LImageList;
        }
        if (!Row.Enabled) {
            Face = M.Color();
            C.Font.SetColor(ScaleColor(M.Color(), 1.3));
        }
        const bool HasImage = Row.ImageIndex != -1 && Images;
        std::int32_t ImageTop = 0, ImageWidth = 20, Gap = 0;
        if (HasImage) {
            ImageTop = Y + (Row.Height - Images->Height()) / 2;
            ImageWidth = Images->Width();
            Gap = 20;
        }
        C.BrushStyle = bsSolid;
        C.BrushColor = Face;
        TRect R{X, Y, X + W, Y + Row.Height};
        const TColor Light = ScaleColor(Row.Color(), 1.2), Dark = ScaleColor(Row.Color(), 0.8);
        const TColor First = Row.Down ? Dark : Light, Second = Row.Down ? Light : Dark;
        DrawFrame3D(C, R, First, Second);
        R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        DrawFrame3D(C, R, First, Second);
        if (Row.Hot)
            DrawFrame3D(C, R, Row.SelColor(), Row.SelColor());
        const std::int32_t D = Row.Down ? 1 : 0;
        R.Left += 1;
        R.Top += 1;
        const std::int32_t TextHeight = C.TextHeight(Row.Caption.empty() ? " " : Row.Caption);
        C.TCanvas::TextRect(RECT{R.Left, R.Top, R.Right, R.Bottom}, X + Gap + ImageWidth + D,
                            Y + (Row.Height - TextHeight) / 2 + D, Row.Caption);
        if (HasImage)
            Images->Draw(C.Handle(), Row.ImageIndex, X + 10 + D, ImageTop + D);
        else
            ImageWidth = 0;
        const std::int32_t B = M.BHeight();
        DrawFrame3D(C,
                    TRect{X + ImageWidth + B + 15 + D, Y + B + D + 3, X + W + D - B - 3, Y + Row.Height + D - B - 3},
                    ScaleColor(Face, 0.8), ScaleColor(Face, 1.2));
    }

    void PaintTopDecoration(std::int32_t X, std::int32_t Y, std::int32_t W) override
    {
        C.PenColor = ScaleColor(M.Color(), M.ColorC());
        for (int I = 0; I < 6; ++I) {
            C.MoveTo(X + 3 + I, Y + 2 * I + 1);
            C.LineTo(X + W - 3 - I, Y + 2 * I + 1);
        }
    }

    void PaintBottomDecoration(std::int32_t X, std::int32_t Y, std::int32_t W) override
    {
        C.PenColor = ScaleColor(M.Color(), M.ColorC());
        for (int J = 0; J < 6; ++J) {
            C.MoveTo(X + 8 - J, Y + 2 * J + 1);
            C.LineTo(X + W - 8 + J, Y + 2 * J + 1);
        }
        DrawFrame3D(C, TRect{X + M.BHeight(), Y + 14, X + W, M.Height() - M.BHeight() - 1}, ScaleColor(M.Color(), 0.5),
                    ScaleColor(M.Color(), 1.5));
    }

private:
    CFxCanvas& C;
    CFxList& L;
    CFxListModel& M;
};

} // namespace

void CFxCanvas::TextRect(const RECT& R, const std::string& Text, int Offset)
{
    const SIZE S = TextExtent(Text);
    TCanvas::TextRect(R, (R.right - R.left - S.cx) / 2 + Offset, (R.bottom - R.top - S.cy) / 2 + Offset + 1, Text);
}

CFxList::CFxList(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 100;
    FHeight = 200;
    FModel.SetSize(FWidth, FHeight);
    Font().SetColor(clWhite);
    FScrollBar = new CFxScrollBar(this);
    FScrollBar->Name = "ScrollBar";
    FScrollBar->SetVisible(false);
    FScrollBar->SetMin(0);
    FScrollBar->SetPosition(0);
    FScrollBar->OnChange = [this](TObject*) { FModel.SetFirstShown(FScrollBar->Position()); };
    SetColor(FModel.Color());
    FModel.OnRepaint = [this] { ModelChanged(); };
}

CFxList::~CFxList()
{
    FModel.OnRepaint = nullptr;
    FModel.OnGroupClick = nullptr;
    FScrollBar->OnChange = nullptr;
}

void CFxList::SetParent(TWinControl* AParent)
{
    TCustomControl::SetParent(AParent);
    FScrollBar->SetParent(AParent);
    PlaceScrollBar();
}

void CFxList::SetUseScrollBar(bool Value)
{
    if (Value == FUseScrollBar)
        return;
    FUseScrollBar = Value;
    if (Value) {
        SetWidth(Width() - 18);
        PlaceScrollBar();
        FScrollBar->SetVisible(Visible());
    } else {
        FScrollBar->SetVisible(false);
        SetWidth(Width() + 18);
    }
}

void CFxList::PlaceScrollBar() { FScrollBar->SetBounds(Left() + Width() + 2, Top(), 16, Height()); }

void CFxList::VisibleChanged()
{
    TCustomControl::VisibleChanged();
    FScrollBar->SetVisible(FUseScrollBar && Visible());
}

void CFxList::BoundsChanged()
{
    TCustomControl::BoundsChanged();
    FModel.SetSize(Width(), Height());
    PlaceScrollBar();
}

void CFxList::ColorChanged()
{
    FModel.SetColor(Color());
    FScrollBar->SetColor(Color());
    Invalidate();
}

void CFxList::TextChanged()
{
    FModel.Items()->Caption = Caption();
    FModel.Changed();
}

void CFxList::SyncScrollBar()
{
    if (FSyncing)
        return;
    FSyncing = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } Done{FSyncing};
    // Lowering the maximum may move the position, and with it the first shown row.
    for (int Round = 0; Round < 4 && FScrollBar->Max() != FModel.HiddenCount(); ++Round)
        FScrollBar->SetMax(FModel.HiddenCount());
}

void CFxList::ModelChanged()
{
    SyncScrollBar();
    if (FInPaint)
        Invalidate();
    else
        Repaint();
}

void CFxList::Paint(TCanvas& Canvas)
{
    FInPaint = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } Done{FInPaint};
    CFxCanvas C(Canvas.Handle());
    C.PenColor = ScaleColor(Color(), 0.8);
    C.BrushColor = Color();
    C.Rectangle(0, 0, Width(), Height());
    FModel.SetSize(Width(), Height());
    const std::int32_t First = FModel.FirstShown();
    TListPainter Painter(C, *this);
    FModel.Layout(&Painter);
    DrawFrame3D(C, TRect{0, 0, Width() - 1, Height() - 1}, ScaleColor(Color(), 0.5), ScaleColor(Color(), 1.5));
    SyncScrollBar();
    if (FModel.FirstShown() != First)
        Invalidate();
}

void CFxList::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button == mbLeft)
        FModel.MouseDown(X, Y);
}

void CFxList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft || (Shift & ssLeft))
        return;
    // A row's handler may open a modal window: it must find the mouse free.
    if (HandleAllocated() && GetCapture() == Handle()) {
        FReleasing = true;
        ReleaseCapture();
        FReleasing = false;
    }
    FModel.MouseUp(X, Y);
}

void CFxList::MouseMove(TShiftState, int X, int Y) { FModel.MouseMove(X, Y); }

void CFxList::CaptureLost()
{
    if (!FReleasing && FModel.DownItem())
        FModel.CancelPress();
}

namespace {

void DescribeRows(TTextReport& Report, CFxList& List, const CFxListItem& Row, std::int32_t W)
{
    if (!Row.Listed())
        return;
    TTextItem Item;
    Item.Kind = "CFxListItem";
    Item.Name = Row.Key;
    Item.Enabled = Row.Enabled;
    Item.Left = Row.X;
    Item.Top = Row.Y;
    Item.Width = W;
    Item.Height = Row.Height;
    Item.Text = Row.Kind == ikBar ? "-" : Row.Caption;
    Report.AddItem(List, Item);
    for (std::int32_t I = 0; I < Row.Count(); ++I)
        DescribeRows(Report, List, *Row.Child(I), W);
}

} // namespace

void CFxList::DescribeTexts(TTextReport& Report)
{
    TCustomControl::DescribeTexts(Report);
    DescribeRows(Report, *this, *FModel.Items(), Width() - 2 * FModel.BHeight() - 1);
}
