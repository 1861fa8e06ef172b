#pragma once

#include "hash.h"
#include "prop_rows.h"
#include "ui_timer.h"
#include "ui_types.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the page needs of its scroll bar: a range from Min to Max and a Position whose
// writers clamp and report a change (the page's ScrollBarChange) as the bar's own do.
class TPropScrollBar {
public:
    virtual ~TPropScrollBar() = default;
    virtual int Min() const = 0;
    virtual int Max() const = 0;
    virtual int Position() const = 0;
    virtual void SetMax(int Value) = 0;
    virtual void SetPosition(int Value) = 0;
};

// The page's view of a scroll bar that has these writers (the bar control, its model).
template <class Bar>
class TPropScrollBarOf : public TPropScrollBar {
public:
    explicit TPropScrollBarOf(Bar& B) : FBar(B) {}
    int Min() const override { return FBar.Min(); }
    int Max() const override { return FBar.Max(); }
    int Position() const override { return FBar.Position(); }
    void SetMax(int Value) override { FBar.SetMax(Value); }
    void SetPosition(int Value) override { FBar.SetPosition(Value); }

private:
    Bar& FBar;
};

// The four cells of one line of the page, in client pixels.
struct TPropLineRects {
    TRect Left, Icon, Caption, Value;
};

// The property page apart from its window: the row tree under the root, display
// order and the index arithmetic over it, the geometry of the lines, the mouse and
// wheel routing, activation bookkeeping, values in and out of tables. The window
// (CFxPropPage) supplies painting, focus, the scroll bar and the choosers through
// the virtual hooks at the end.
class CFxPropPageLogic {
public:
    CFxPropPageLogic();
    virtual ~CFxPropPageLogic();
    CFxPropPageLogic(const CFxPropPageLogic&) = delete;
    CFxPropPageLogic& operator=(const CFxPropPageLogic&) = delete;

    static constexpr int RowHeight = 21;

    // Settings; the writers repaint where the page's look changes.
    bool UseIcons() const { return FUseIcons; }
    void SetUseIcons(bool Value);
    bool UseHelpBox() const { return FUseHelpBox; }
    void SetUseHelpBox(bool Value);
    TColor PageColor() const { return FColor; }
    void SetPageColor(TColor Value);
    TColor ColorFrame() const { return FColorFrame; }
    void SetColorFrame(TColor Value);
    double PVwidth() const { return FPVwidth; }
    void SetPVwidth(double Value);
    TColor ColorSels = 0xFFFFFF;
    int Height_HB() const { return FHeight_HB; }
    void SetHeight_HB(int Value);
    bool UseProperty() const { return FUseProperty; }
    void SetUseProperty(bool Value);
    std::string PageCaption() const;
    void SetPageCaption(const std::string& Value);
    TColor ColorCaption() const;
    void SetColorCaption(TColor Value);
    std::int32_t IconIndex() const;
    void SetIconIndex(std::int32_t Value);
    std::int32_t IconOpenIndex() const;
    void SetIconOpenIndex(std::int32_t Value);
    bool AllowClose() const;
    void SetAllowClose(bool Value);
    TNotifyEvent OnPropChange;
    bool InDestroy = false;
    bool LockPaint = false;
    bool LineAsValue = false;
    bool AutoFocus = true;
    TBevelCut EEBC = bvNone;

    // State, read-only for callers.
    CFxProp_b* Root() const { return FRoot.get(); }
    CFxProp_b* TopItem() const { return FTopItem; }
    CFxProp_b* LastRow() const { return FLastRow; }
    std::int32_t TopIndex() const { return FTopIndex; }
    CFxProp_b* HotItem() const { return FHotItem; }
    bool MouseIsDown() const { return FMouseDown; }
    CFxProp_b* PressedItem() const { return FPressedItem; }
    CFxProp_b* ActiveItem() const { return FActiveItem; }
    std::int32_t WheelSteps() const { return FWheelSteps; }
    const TTimer& WheelTimer() const { return FWheelTimer; }
    const std::vector<std::unique_ptr<CFxProp_b>>& RemovedRows() const { return FRemovedRows; }
    std::size_t RetiredCount() const { return FRetired.size(); }
    int PageWidth() const { return FWidth; }
    int PageHeight() const { return FHeight; }
    void SetPageSize(int Width, int Height);

    // For callers.
    void LoadValues(const THash& Hash);
    void StoreValues(THash& Hash) const;
    CFxProp_b* FindItem(const std::string& Key) const;
    void ShowItem(CFxProp_b* Item, bool Edit);
    void Clear(bool DeleteItems);
    // Ends the open edit, then makes Item (when not null) the active row.
    void EndEdit(CFxProp_b* Item);
    // Ends the open edit and keeps what was typed (before saving, building, closing).
    void CommitEdit() { EndEdit(nullptr); }
    // True when Item became the active row. The old row's commit may run a change
    // handler: when that rebuilt the page, a row no longer in the tree is not opened;
    // when it opened another row, that one stays open instead.
    bool ActivateItem(CFxProp_b* Item, TPropColumn Mode);
    void DoPropChange(CFxProp_b* Row);

    // Display order and the arithmetic over it.
    int VisibleRows() const;
    int RowCount() const;
    int IndexOfItem(const CFxProp_b* Item) const;
    CFxProp_b* ItemAt(int Index) const;
    CFxProp_b* ItemFrom(CFxProp_b* Start, int Offset) const;
    CFxProp_b* ItemAtY(int Y) const;
    void SetHotItem(CFxProp_b* Row);
    void UpdateScrollBar(bool Range, bool Place);
    void ScrollBarChange();

    // Geometry: the cells of the k-th line and the column a click at X falls in.
    TPropLineRects LineRects(int Line) const;
    TPropColumn ClickColumn(int X) const;

    // Painting: walks the visible rows from the top, hands each one with its cells to
    // PaintRow, then stores its value and caption cells. False while LockPaint is set.
    bool PaintRows(const std::function<void(CFxProp_b& Row, const TPropLineRects& Cells)>& PaintRow);
    bool InPaint() const { return FInPaint; }

    // Input from the window.
    void MouseMoveAt(int X, int Y);
    void MouseLeftPage();
    void LeftButtonDown(int X, int Y);
    void LeftButtonUp(int X, int Y);
    void Wheel(int Delta);
    void WheelTick();
    void KeyPress(const TPropKeyMessage& Message);
    void Resized();

    // Rows the page keeps: removed ones for its life, retired ones until FreeRetired.
    void AddRemoved(std::unique_ptr<CFxProp_b> Row);
    void DeleteRow(CFxProp_b* Row);
    void FreeRetired();
    // A removed row back from the page's keeping; null when the page does not hold it.
    std::unique_ptr<CFxProp_b> TakeBack(CFxProp_b* Row);

    // Window services; the defaults do nothing.
    virtual void RepaintPage() {}
    virtual void InvalidatePage() {}
    virtual void TakeFocus() {}
    virtual bool PageFocused() const { return false; }
    virtual TColor FontColor() const { return 0; }
    virtual void SetHandCursor(bool) {}
    // The colour chooser: true with Color when the user chose one.
    virtual bool SelectColor(TColor&) { return false; }
    virtual void PlaceScrollBar() {}
    // The page colour or the frame colour changed (the scroll bar takes both).
    virtual void PageColorsChanged() {}
    // Asks for FreeRetired once no handler runs; the default never comes back.
    virtual void ScheduleFreeRetired() {}

protected:
    void SetScrollBar(TPropScrollBar* Bar) { FScrollBar = Bar; }
    TPropScrollBar* ScrollBar() const { return FScrollBar; }
    // The destruction in a safe order; the window calls it while it is still whole.
    void DestroyRows();
    // Repaints, or only invalidates while a paint runs.
    void Refresh();

private:
    bool CloseActive();
    bool Activate(CFxProp_b* Item, TPropColumn Mode);
    // Row lies in the tree under the root (removed and retired rows do not).
    bool InTree(const CFxProp_b* Row) const;
    void Retire(std::unique_ptr<CFxProp_b> Row);
    void ForgetRowsWithin(const CFxProp_b* Row);
    void RealignTop();

    bool FUseIcons = true;
    bool FUseHelpBox = false;
    TColor FColor = 0;
    TColor FColorFrame = 0xFFFFFF;
    std::unique_ptr<CFxProp_b> FRoot;
    CFxProp_b* FTopItem = nullptr;
    CFxProp_b* FLastRow = nullptr;
    std::int32_t FTopIndex = 0;
    double FPVwidth = 0.5;
    CFxProp_b* FHotItem = nullptr;
    bool FMouseDown = false;
    CFxProp_b* FPressedItem = nullptr;
    CFxProp_b* FActiveItem = nullptr;
    // Counts activations, so that a close can tell whether its handlers opened a row.
    unsigned FActivations = 0;
    int FHeight_HB = 100;
    TTimer FWheelTimer;
    std::int32_t FWheelSteps = 0;
    bool FUseProperty = true;
    std::vector<std::unique_ptr<CFxProp_b>> FRemovedRows;
    std::vector<std::unique_ptr<CFxProp_b>> FRetired;
    TPropScrollBar* FScrollBar = nullptr;
    int FWidth = 200, FHeight = 300;
    bool FInPaint = false;
    bool FRowsDestroyed = false;
};
