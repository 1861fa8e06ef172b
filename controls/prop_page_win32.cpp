#include "prop_page.h"

#include "ui_common_controls.h"
#include "ui_text_report.h"

#include <typeinfo>

#include "choosers.h"
#include "draw_helpers.h"
#include "ui_application.h"
#include "ui_screen.h"

CFxPropPage::CFxPropPage(TComponent* AOwner) : TCustomControl(AOwner)
{
    TabStop = true;
    TControl::FWidth = 200;
    TControl::FHeight = 300;
    SetPageSize(200, 300);
    TControl::SetColor(0);
    SetPageColor(0);
    Root()->SetTextColor(Font().Color());
    // Beside the page on the page's owner; owned by the page, so it goes with it.
    FBarControl = new CFxScrollBar(this);
    FBarControl->SetColor(0);
    FBarControl->SetKind(sbH);
    FBarControl->SetMin(1);
    FBarControl->SetMax(1);
    FBarControl->OnChange = [this](TObject*) { ScrollBarChange(); };
    FBar = std::make_unique<TPropScrollBarOf<CFxScrollBar>>(*FBarControl);
    SetScrollBar(FBar.get());
    if (auto* Host = dynamic_cast<TWinControl*>(AOwner))
        FBarControl->SetParent(Host);
    UpdateScrollBar(true, true);
}

CFxPropPage::~CFxPropPage()
{
    Application().CancelWhenIdle(this);
    if (FBarControl)
        FBarControl->OnChange = nullptr;
    // While the window is whole: the open edit ends (no change event), then the rows go.
    DestroyRows();
    if (GetCapture() == (HandleAllocated() ? Handle() : nullptr))
        ReleaseCapture();
    Screen().SetCursor(crDefault);
}

void CFxPropPage::SetImageList(HIMAGELIST List)
{
    FImageList = List;
    RepaintPage();
}

void CFxPropPage::RepaintPage()
{
    // A paint that asks for another one (the range shrank under it) only invalidates.
    if (InPaint())
        Invalidate();
    else
        Repaint();
}

void CFxPropPage::InvalidatePage() { Invalidate(); }

void CFxPropPage::TakeFocus()
{
    if (HandleAllocated() && IsWindowVisible(Handle()) && IsWindowEnabled(Handle()))
        SetFocus();
}

bool CFxPropPage::PageFocused() const { return Focused(); }

TColor CFxPropPage::FontColor() const { return const_cast<CFxPropPage*>(this)->Font().Color(); }

void CFxPropPage::SetHandCursor(bool Hand) { Screen().SetCursor(Hand ? crHandPoint : crDefault); }

bool CFxPropPage::SelectColor(TColor& Color) { return DialogSelectColor(Color); }

void CFxPropPage::PlaceScrollBar()
{
    if (FBarControl)
        FBarControl->SetBounds(Left() + Width() + 3, Top(), FBarControl->Width() > 0 ? FBarControl->Width() : 16,
                               Height());
}

void CFxPropPage::ScheduleFreeRetired()
{
    Application().CancelWhenIdle(this);
    Application().WhenIdle(this, [this] { FreeRetired(); });
}

void CFxPropPage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool Sized = AWidth != Width() || AHeight != Height();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    SetPageSize(Width(), Height());
    PlaceScrollBar();
    if (Sized && !HandleAllocated())
        Resized();
}

void CFxPropPage::Resize()
{
    SetPageSize(Width(), Height());
    Resized();
}

void CFxPropPage::PageColorsChanged()
{
    TControl::SetColor(PageColor());
    if (FBarControl) {
        FBarControl->SetColor(PageColor());
        FBarControl->SetColorFrame(ColorFrame());
    }
}

void CFxPropPage::ColorChanged()
{
    SetPageColor(Color());
    TCustomControl::ColorChanged();
}

void CFxPropPage::FontChanged()
{
    if (Root())
        Root()->SetTextColor(Font().Color());
    RepaintPage();
}

void CFxPropPage::VisibleChanged()
{
    TCustomControl::VisibleChanged();
    if (FBarControl)
        FBarControl->SetVisible(Visible());
}

void CFxPropPage::MouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button == mbLeft)
        LeftButtonDown(X, Y);
}

void CFxPropPage::MouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button == mbLeft && MouseIsDown())
        LeftButtonUp(static_cast<std::int16_t>(X), static_cast<std::int16_t>(Y));
}

void CFxPropPage::MouseMove(TShiftState, int X, int Y) { MouseMoveAt(X, Y); }

void CFxPropPage::MouseLeave() { MouseLeftPage(); }

bool CFxPropPage::MouseWheel(int Delta, TShiftState)
{
    Wheel(Delta);
    return true;
}

void CFxPropPage::CaptureLost()
{
    // Someone else took the mouse: the press is over without a click.
    if (MouseIsDown())
        LeftButtonUp(-10000, -10000);
}

LRESULT CFxPropPage::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_CHAR:
        KeyPress(TPropKeyMessage{static_cast<unsigned>(WParam), static_cast<std::int32_t>(LParam)});
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS;
    case WM_MOVE: {
        const LRESULT R = TCustomControl::WndProc(Msg, WParam, LParam);
        PlaceScrollBar();
        return R;
    }
    default:
        return TCustomControl::WndProc(Msg, WParam, LParam);
    }
}

void CFxPropPage::Paint(TCanvas& Canvas)
{
    SetPageSize(Width(), Height());
    if (LockPaint)
        return;
    const int W = Width(), H = Height();
    Canvas.Font.Assign(Font());
    Canvas.BrushStyle = bsSolid;
    Canvas.BrushColor = PageColor();
    Canvas.PenColor = PageColor();
    Canvas.Rectangle(0, 0, W - 1, H - 1);
    HDC DC = Canvas.Handle();
    TCanvasPainter Painter(Canvas);
    PaintRows([&](CFxProp_b& Row, const TPropLineRects& Cells) {
        Canvas.Font.Assign(Font());
        if (Row.IsGroup) {
            const int T = Cells.Left.Top;
            Canvas.PenColor = ColorFrame();
            Canvas.MoveTo(7, T + 10);
            Canvas.LineTo(18, T + 10);
            if (!Row.Expanded) {
                Canvas.MoveTo(12, T + 5);
                Canvas.LineTo(12, T + 16);
            }
        }
        if (UseIcons() && FImageList) {
            int Index = Row.IconIndex;
            if (Row.Expanded && Row.OpenIconIndex != -1)
                Index = Row.OpenIconIndex;
            if (Index >= 0)
                CommonImageListDraw(FImageList, Index, DC, Cells.Icon.Left, Cells.Icon.Top, ILD_NORMAL);
        }
        Row.Paint(Painter, Cells.Caption, Cells.Value, Cells.Left);
        if (Row.Hot) {
            const int A = Cells.Value.Top - 1, B = Cells.Value.Bottom;
            Canvas.PenColor = ColorSels;
            Canvas.MoveTo(0, A);
            Canvas.LineTo(W, A);
            Canvas.MoveTo(0, B);
            Canvas.LineTo(W, B);
            for (int X : {3, 5, W - 3, W - 5}) {
                Canvas.MoveTo(X, A);
                Canvas.LineTo(X, B);
            }
        }
    });
    DrawFrame3D(Canvas, TRect{0, 0, W - 1, H - 1}, ColorFrame(), ColorFrame());
    PaintScrollMarks(Canvas);
    if (UseHelpBox()) {
        const TRect Help{4, H - Height_HB(), W - 5, H - 5};
        Canvas.Font.Assign(Font());
        Canvas.BrushStyle = bsSolid;
        Canvas.BrushColor = PageColor();
        if (HotItem())
            HotItem()->PaintHelp(Painter, Help);
        DrawFrame3D(Canvas, Help, ColorFrame(), ColorFrame());
        DrawFrame3D(Canvas, Help, ColorFrame(), ColorFrame());
    }
}

void CFxPropPage::PaintScrollMarks(TCanvas& Canvas)
{
    TPropScrollBar* Bar = ScrollBar();
    if (!Bar)
        return;
    const int W = Width();
    auto Mark = [&](int Base, int Dir) {
        // Five lines, two boxes and two triangles, pointing away from the rows.
        Canvas.PenColor = clBlack;
        for (int I = 0; I < 5; ++I) {
            Canvas.MoveTo(0, Base + Dir * 2 * I);
            Canvas.LineTo(W, Base + Dir * 2 * I);
        }
        Canvas.BrushStyle = bsSolid;
        Canvas.BrushColor = PageColor();
        const int Y1 = Dir > 0 ? Base : Base - 8, Y2 = Dir > 0 ? Base + 9 : Base + 1;
        Canvas.Rectangle(4, Y1, 13, Y2);
        Canvas.Rectangle(W - 13, Y1, W - 4, Y2);
        Canvas.PenColor = ColorFrame();
        const int Tip = Dir > 0 ? Base + 1 : Base - 1, Foot = Dir > 0 ? Base + 7 : Base - 7;
        Canvas.Polygon({{8, Tip}, {5, Foot}, {11, Foot}});
        Canvas.Polygon({{W - 9, Tip}, {W - 12, Foot}, {W - 6, Foot}});
    };
    if (Bar->Position() != Bar->Min())
        Mark(1, 1);
    if (Bar->Position() != Bar->Max())
        Mark((UseHelpBox() ? Height() - Height_HB() : Height()) - 4, -1);
}

namespace {

// The class name of a row's kind, as the compiler spells it without its length prefix.
std::string RowKindName(const CFxProp_b& Row)
{
    std::string Name = typeid(Row).name();
    std::size_t I = 0;
    while (I < Name.size() && Name[I] >= '0' && Name[I] <= '9')
        ++I;
    return Name.substr(I);
}

} // namespace

void CFxPropPage::DescribeTexts(TTextReport& Report)
{
    TCustomControl::DescribeTexts(Report);
    if (!Root() || LockPaint)
        return;
    TPropLineRects Cells = LineRects(0);
    const int N = VisibleRows();
    int Count = 0;
    for (CFxProp_b* Row = TopItem() ? TopItem() : Root(); Row && Count < N; Row = Row->NextRow(), ++Count) {
        TTextItem Item;
        Item.Kind = RowKindName(*Row);
        Item.Name = Row->Key;
        Item.Left = Cells.Left.Left;
        Item.Top = Cells.Left.Top;
        Item.Width = Cells.Value.Right - Cells.Left.Left;
        Item.Height = RowHeight;
        Item.Text = Row->Caption + "\t" + Row->Value;
        Report.AddItem(*this, Item);
        Cells.Left.Top += RowHeight;
    }
}
