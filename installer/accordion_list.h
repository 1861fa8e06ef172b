#pragma once

#include "accordion_list_model.h"
#include "fx_scroll_bar.h"
#include "ui_canvas.h"
#include "ui_control.h"
#include "ui_image_list.h"

// The canvas the list paints through.
class CFxCanvas : public TCanvas {
public:
    using TCanvas::TCanvas;
    // Text clipped to R, centred in R's size and moved by Offset (R's corner not added).
    void TextRect(const RECT& R, const std::string& Text, int Offset);
};

// The accordion list on the left of the installer's window: it paints the rows of
// its model, passes it the mouse, and shows a scroll bar beside itself, on its parent
// window, that scrolls the listed level row by row.
class CFxList : public TCustomControl {
public:
    explicit CFxList(TComponent* AOwner);
    ~CFxList() override;

    CFxListModel& Model() { return FModel; }
    CFxListItem* Items() { return FModel.Items(); }
    CFxListItem* FindItem(const std::string& Key, TFxItemKind Kind) { return FModel.FindItem(Key, Kind); }

    TImageList* LImageList = nullptr; // group rows
    TImageList* SImageList = nullptr; // action rows

    bool UseScrollBar() const { return FUseScrollBar; }
    void SetUseScrollBar(bool Value);
    CFxScrollBar& ScrollBar() { return *FScrollBar; }
    // The root row's image and key.
    void SetImageIndex(std::int32_t Value) { FModel.Items()->ImageIndex = Value; }
    void SetHashKey(const std::string& Value) { FModel.Items()->Key = Value; }

    void SetParent(TWinControl* AParent) override;
    // The list itself, then every row of the last layout (Kind "CFxListItem", Name its
    // Key, Text its caption, "-" for a bar), in the list's coordinates.
    void DescribeTexts(TTextReport& Report) override;

protected:
    void Paint(TCanvas& Canvas) override;
    void BoundsChanged() override;
    void ColorChanged() override;
    void TextChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CaptureLost() override;
    void VisibleChanged() override;

private:
    void PlaceScrollBar();
    void SyncScrollBar();
    void ModelChanged();

    CFxListModel FModel;
    CFxScrollBar* FScrollBar;
    bool FUseScrollBar = false;
    bool FInPaint = false;
    bool FSyncing = false;
    bool FReleasing = false;
};
