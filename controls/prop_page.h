#pragma once

#include "fx_scroll_bar.h"
#include "prop_page_logic.h"
#include "ui_control.h"

#include <commctrl.h>

#include <memory>

// The property page on screen: a custom-drawn list of rows, one 21-pixel line each,
// with an expander, an icon, a caption and a value column, a scroll bar beside it on
// the page's owner and an optional help box at the bottom describing the row under
// the mouse. The rules live in CFxPropPageLogic; this window paints, takes the mouse,
// wheel and keys, and frees rows retired during their own events once it is idle.
class CFxPropPage : public TCustomControl, public CFxPropPageLogic {
public:
    explicit CFxPropPage(TComponent* AOwner);
    ~CFxPropPage() override;

    // The icons of the rows, 20 x 20 pixels each; the caller keeps the list.
    HIMAGELIST ImageList() const { return FImageList; }
    void SetImageList(HIMAGELIST List);
    TPropScrollBar* PageScrollBar() const { return ScrollBar(); }
    CFxScrollBar* ScrollBarControl() const { return FBarControl; }

    void RepaintPage() override;
    void InvalidatePage() override;
    void TakeFocus() override;
    bool PageFocused() const override;
    TColor FontColor() const override;
    void SetHandCursor(bool Hand) override;
    bool SelectColor(TColor& Color) override;
    void PlaceScrollBar() override;
    void PageColorsChanged() override;
    void ScheduleFreeRetired() override;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Each row on a visible line as an item: its kind, its key as the name, caption
    // and value joined by a TAB as the text.
    void DescribeTexts(TTextReport& Report) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    void Paint(TCanvas& Canvas) override;
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    bool MouseWheel(int Delta, TShiftState Shift) override;
    void CaptureLost() override;
    void ColorChanged() override;
    void FontChanged() override;
    void VisibleChanged() override;

private:
    void PaintScrollMarks(TCanvas& Canvas);

    HIMAGELIST FImageList = nullptr;
    CFxScrollBar* FBarControl = nullptr;
    std::unique_ptr<TPropScrollBar> FBar;
};
