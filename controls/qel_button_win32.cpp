#include "qel_button.h"

#include "ui_application.h"
#include "ui_form.h"

#include <algorithm>

namespace {

struct TKindRow {
    bool Default;
    bool Cancel;
    TModalResult Result;
};

const TKindRow KindRows[11] = {
    {false, false, mrNone},  {true, false, mrOk},      {false, true, mrCancel}, {false, false, mrNone},
    {true, false, mrYes},    {false, true, mrNo},      {false, false, mrNone},  {false, false, mrAbort},
    {false, false, mrRetry}, {false, false, mrIgnore}, {false, false, mrAll},
};

// One picture of a kind in an 18 x 18 cell at X0, in Ink.
void DrawKindPicture(TCanvas& C, int X0, TBitBtnKind Kind, TColor Ink)
{
    C.PenColor = Ink;
    C.BrushColor = Ink;
    C.BrushStyle = bsSolid;
    auto Line = [&](int X1, int Y1, int X2, int Y2) {
        for (int D = 0; D < 2; ++D) { // two pixels thick
            C.MoveTo(X0 + X1 + D, Y1);
            C.LineTo(X0 + X2 + D, Y2);
        }
    };
    switch (Kind) {
    case bkOK:
    case bkYes:
        Line(3, 9, 7, 13);
        Line(7, 13, 14, 4);
        break;
    case bkAll:
        Line(1, 9, 4, 12);
        Line(4, 12, 9, 5);
        Line(7, 11, 9, 13);
        Line(9, 13, 16, 5);
        break;
    case bkCancel:
    case bkAbort:
        Line(4, 4, 13, 14);
        Line(13, 4, 4, 14);
        break;
    case bkNo:
        C.BrushStyle = bsClear;
        C.Rectangle(X0 + 3, 3, X0 + 15, 15);
        Line(4, 13, 13, 4);
        break;
    case bkHelp:
        Line(5, 5, 8, 3);
        Line(8, 3, 12, 5);
        Line(12, 5, 9, 10);
        C.Rectangle(X0 + 8, 13, X0 + 11, 16);
        break;
    case bkClose:
        C.BrushStyle = bsClear;
        C.Rectangle(X0 + 4, 2, X0 + 14, 16);
        C.Rectangle(X0 + 10, 8, X0 + 12, 10);
        break;
    case bkRetry:
        Line(4, 12, 4, 6);
        Line(4, 6, 12, 6);
        C.Polygon({{X0 + 11, 2}, {X0 + 15, 6}, {X0 + 11, 10}});
        break;
    case bkIgnore:
        Line(8, 3, 8, 11);
        C.Rectangle(X0 + 8, 13, X0 + 11, 16);
        break;
    default:
        break;
    }
}

TColor KindInk(TBitBtnKind Kind)
{
    switch (Kind) {
    case bkOK:
    case bkYes:
    case bkAll:
        return 0x008000;
    case bkCancel:
    case bkAbort:
    case bkNo:
        return 0x0000C0;
    default:
        return 0x800000;
    }
}

bool SameImage(const TBitmap& A, const TBitmap& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height())
        return false;
    for (int Y = 0; Y < A.Height(); ++Y)
        for (int X = 0; X < A.Width(); ++X)
            if (A.Pixel(X, Y) != B.Pixel(X, Y))
                return false;
    return true;
}

} // namespace

const TBitmap* GetBitBtnGlyph(TBitBtnKind Kind)
{
    static std::unique_ptr<TBitmap> Cache[11];
    if (Kind <= bkCustom || Kind > bkAll)
        return nullptr;
    std::unique_ptr<TBitmap>& Slot = Cache[Kind];
    if (!Slot) {
        const int Height = Kind == bkAll ? 19 : 18;
        Slot = std::make_unique<TBitmap>(36, Height);
        TCanvas& C = Slot->Canvas();
        C.BrushStyle = bsSolid;
        C.BrushColor = clOlive;
        C.FillRect(RECT{0, 0, 36, Height});
        DrawKindPicture(C, 0, Kind, KindInk(Kind));
        DrawKindPicture(C, 19, Kind, clWhite);
        DrawKindPicture(C, 18, Kind, clGray);
    }
    return Slot.get();
}

TQelButton::TQelButton(TComponent* AOwner) : TButton(AOwner) { SetColor(clBtnFace); }

void TQelButton::Click()
{
    const TBitBtnKind K = Kind();
    if (K == bkClose) {
        for (TWinControl* P = Parent(); P; P = P->Parent())
            if (auto* F = dynamic_cast<TForm*>(P)) {
                F->Close();
                return;
            }
    } else if (K == bkHelp) {
        for (TControl* C = Parent(); C; C = C->Parent())
            if (C->HelpContext != 0) {
                Application().HelpContext(C->HelpContext);
                return;
            }
    }
    TButton::Click();
}

TBitBtnKind TQelButton::Kind() const
{
    if (FKind != bkCustom) {
        const TKindRow& Row = KindRows[FKind];
        const TBitmap* Own = GetBitBtnGlyph(FKind);
        if (Default != Row.Default || Cancel != Row.Cancel || ModalResult != Row.Result || FModifiedGlyph ||
            !Own || !SameImage(*Own, FGlyph))
            FKind = bkCustom;
    }
    return FKind;
}

void TQelButton::SetKind(TBitBtnKind Value)
{
    if (Value != FKind && Value != bkCustom) {
        const TKindRow& Row = KindRows[Value];
        Default = Row.Default;
        Cancel = Row.Cancel;
        ModalResult = Row.Result;
        SetCaption("");
        if (const TBitmap* G = GetBitBtnGlyph(Value))
            FGlyph.Assign(*G);
        FTransparent = FGlyph.TransparentColor();
        FNumGlyphs = 2;
        DropImages();
        FModifiedGlyph = false;
    }
    FKind = Value;
    Invalidate();
}

void TQelButton::SetGlyph(const TBitmap& Value)
{
    FGlyph.Assign(Value);
    FTransparent = FGlyph.TransparentColor();
    if (!FGlyph.Empty() && FGlyph.Width() % FGlyph.Height() == 0) {
        const int N = FGlyph.Width() / FGlyph.Height();
        FNumGlyphs = N < 5 ? N : 1;
    }
    FModifiedGlyph = true;
    DropImages();
    Invalidate();
}

void TQelButton::SetNumGlyphs(int Value)
{
    if (Value > 4)
        Value = 4;
    if (Value < 1)
        Value = 1;
    if (Value != FNumGlyphs) {
        FNumGlyphs = Value;
        DropImages();
    }
    Invalidate();
}

void TQelButton::SetLayout(TButtonLayout Value)
{
    if (Value != FLayout) {
        FLayout = Value;
        Invalidate();
    }
}

void TQelButton::SetMargin(int Value)
{
    if (Value != FMargin && Value >= -1) {
        FMargin = Value;
        Invalidate();
    }
}

void TQelButton::SetSpacing(int Value)
{
    if (Value != FSpacing) {
        FSpacing = Value;
        Invalidate();
    }
}

void TQelButton::ColorChanged()
{
    // Every state image is rebuilt on the new colour.
    DropImages();
    Invalidate();
}

void TQelButton::HandleCreated() { BuildState(Enabled() ? 0 : 1); }

void TQelButton::DropImages()
{
    for (auto& I : FImages)
        I.reset();
}

const TBitmap* TQelButton::StateImage(int State) const
{
    return State >= 0 && State < 4 ? FImages[State].get() : nullptr;
}

// 0 up, 1 disabled, 2 down, 3 exclusive.
const TBitmap* TQelButton::BuildState(int State)
{
    if (FGlyph.Empty() || State < 0 || State > 3)
        return nullptr;
    if (FImages[State])
        return FImages[State].get();
    const int W = FGlyph.Width() / FNumGlyphs, H = FGlyph.Height();
    int Source = 0;
    bool Emboss = false;
    if (State == 1) {
        if (FNumGlyphs >= 2)
            Source = 1;
        else
            Emboss = true;
    } else if (State == 2) {
        Source = FNumGlyphs >= 3 ? 2 : 0;
    } else if (State == 3) {
        Source = FNumGlyphs == 4 ? 3 : 0;
    }
    auto Image = std::make_unique<TBitmap>(W, H);
    Image->Canvas().BrushStyle = bsSolid;
    Image->Canvas().BrushColor = Color();
    Image->Canvas().FillRect(RECT{0, 0, W, H});
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const TColor P = FGlyph.Pixel(Source * W + X, Y);
            if (P == (FTransparent & 0xFFFFFF))
                continue;
            if (Emboss) {
                Image->SetPixel(X + 1, Y + 1, clBtnHighlight);
            } else {
                Image->SetPixel(X, Y, P);
            }
        }
    if (Emboss)
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X)
                if (FGlyph.Pixel(X, Y) != (FTransparent & 0xFFFFFF))
                    Image->SetPixel(X, Y, clBtnShadow);
    FImages[State] = std::move(Image);
    return FImages[State].get();
}

bool TQelButton::ActiveLook(bool Focused) const
{
    if (Focused)
        return true;
    // Another push button with the focus takes the look from the default one.
    if (dynamic_cast<TButton*>(FindControl(GetFocus())))
        return false;
    return Default;
}

void TQelButton::PaintButton(HDC DC, bool Pressed, bool Disabled, bool Focused)
{
    TCanvas C(DC);
    const RECT Client = {0, 0, Width(), Height()};
    RECT R = Client;
    const bool Active = ActiveLook(Focused);
    if (Active) {
        C.BrushColor = clWindowFrame;
        C.FrameRect(R);
        InflateRect(&R, -1, -1);
    }
    C.BrushStyle = bsSolid;
    C.BrushColor = Color();
    if (Pressed) {
        C.PenColor = clBtnShadow;
        C.Rectangle(R.left, R.top, R.right, R.bottom);
    } else {
        C.DrawEdge(R, EDGE_RAISED, BF_RECT | BF_ADJUST);
        C.PenColor = Color();
        C.Rectangle(R.left, R.top, R.right, R.bottom);
    }
    InflateRect(&R, -1, -1);
    if (Active) {
        R = Client;
        InflateRect(&R, -1, -1);
    }
    C.Font.Assign(Font());
    if (Pressed)
        OffsetRect(&R, 1, 1);

    const int State = Disabled ? 1 : (Pressed ? 2 : 0);
    const TBitmap* Image = BuildState(State);
    const int Gw = Image ? Image->Width() : 0, Gh = Image ? Image->Height() : 0;
    const SIZE Text = Caption().empty() ? SIZE{0, 0} : C.TextExtent(Caption());
    const int Gap = (Image && !Caption().empty()) ? FSpacing : 0;
    const bool Horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    const int RW = R.right - R.left, RH = R.bottom - R.top;
    int GX, GY, TX, TY;
    if (Horizontal) {
        const int Total = Gw + Gap + Text.cx;
        const int Start = FMargin == -1 ? (RW - Total) / 2 : FMargin;
        GY = (RH - Gh) / 2;
        TY = (RH - Text.cy) / 2;
        if (FLayout == blGlyphLeft) {
            GX = Start;
            TX = Start + Gw + Gap;
        } else {
            GX = FMargin == -1 ? Start + Text.cx + Gap : RW - FMargin - Gw;
            TX = FMargin == -1 ? Start : GX - Gap - Text.cx;
        }
    } else {
        const int Total = Gh + Gap + Text.cy;
        const int Start = FMargin == -1 ? (RH - Total) / 2 : FMargin;
        GX = (RW - Gw) / 2;
        TX = (RW - Text.cx) / 2;
        if (FLayout == blGlyphTop) {
            GY = Start;
            TY = Start + Gh + Gap;
        } else {
            GY = FMargin == -1 ? Start + Text.cy + Gap : RH - FMargin - Gh;
            TY = FMargin == -1 ? Start : GY - Gap - Text.cy;
        }
    }
    if (Image)
        BitBlt(DC, R.left + GX, R.top + GY, Gw, Gh, Image->DC(), 0, 0, SRCCOPY);
    if (!Caption().empty()) {
        C.BrushStyle = bsClear;
        if (Disabled) {
            C.Font.SetColor(clWhite);
            C.TextOutAt(R.left + TX + 1, R.top + TY + 1, Caption());
            C.Font.SetColor(clGray);
        }
        C.TextOutAt(R.left + TX, R.top + TY, Caption());
    }
    if (Active) {
        RECT F = Client;
        InflateRect(&F, -4, -4);
        C.DrawFocusRect(F);
    }
}

void TQelButton::DrawItem(const DRAWITEMSTRUCT& Item)
{
    PaintButton(Item.hDC, (Item.itemState & ODS_SELECTED) != 0, (Item.itemState & ODS_DISABLED) != 0,
                (Item.itemState & ODS_FOCUS) != 0);
}

LRESULT TQelButton::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    // A double click is a second press.
    if (Msg == WM_LBUTTONDBLCLK)
        Msg = WM_LBUTTONDOWN;
    return TButton::WndProc(Msg, WParam, LParam);
}
