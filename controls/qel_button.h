#pragma once

#include "ui_bitmap.h"
#include "ui_button.h"

#include <memory>

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

// The glyph of a kind: two 18-pixel-wide images side by side (normal, disabled), 18
// high (bkAll 19), drawn in code on an olive ground, made on first request and kept
// for the run. Null for bkCustom.
const TBitmap* GetBitBtnGlyph(TBitBtnKind Kind);

// A push button whose face and glyph ground are painted in its own Color.
class TQelButton : public TButton {
public:
    explicit TQelButton(TComponent* AOwner);

    TBitBtnKind Kind() const;
    void SetKind(TBitBtnKind Value);
    const TBitmap& Glyph() const { return FGlyph; }
    void SetGlyph(const TBitmap& Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TButtonStyle Style = bsAutoDetect;

    // A close button closes its form and a help button shows the help topic of the
    // nearest parent with one (its own is not looked at); without them, and for every
    // other kind, a plain click.
    void Click() override;

    // The drawing of one state onto a DC of the button's size.
    void PaintButton(HDC DC, bool Pressed, bool Disabled, bool Focused);
    // The state image as last built (for tests), or null.
    const TBitmap* StateImage(int State) const;

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    bool OwnerDraw() const override { return true; }
    void DrawItem(const DRAWITEMSTRUCT& Item) override;
    void ColorChanged() override;
    void HandleCreated() override;

private:
    const TBitmap* BuildState(int State);
    void DropImages();
    bool ActiveLook(bool Focused) const;

    mutable TBitBtnKind FKind = bkCustom;
    TBitmap FGlyph;
    TColor FTransparent = clOlive;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FModifiedGlyph = false;
    std::unique_ptr<TBitmap> FImages[4];
};
