#pragma once

#include "ui_control.h"

#include <functional>
#include <vector>

class TPageControl;

// One page of a page control: a container shown while its tab is the chosen one. Its
// caption is the tab's text.
class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    // Places the sheet on APageControl with the last tab; null takes it off its control.
    void SetPageControl(TPageControl* APageControl);
    // Its tab's index, -1 when on no control.
    int PageIndex() const;

protected:
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
};

// Called for each tab of an owner-drawn page control, with the control's Canvas bound
// to the tab's device context.
using TDrawTabEvent = std::function<void(TPageControl* Control, int TabIndex, const RECT& Rect, bool Active)>;

// The system tab control, one sheet per tab; only the chosen sheet is shown. With
// OwnerDraw the tabs are drawn by OnDrawTab. Choosing a tab by the mouse or the keys
// fires OnChange; SetActivePageIndex does not.
class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int Index) const;
    int ActivePageIndex() const { return FActive; }
    TTabSheet* ActivePage() const { return Pages(FActive); }
    // An index outside the pages changes nothing.
    void SetActivePageIndex(int Index);

    // Taken when the window is made.
    bool OwnerDraw = false;
    TDrawTabEvent OnDrawTab;
    TNotifyEvent OnChange;
    TCanvas& Canvas() { return FCanvas; }

    // A tab's bounds in the control's client coordinates (empty without a window).
    RECT TabRect(int Index);
    // Where the sheets lie, in the control's client coordinates.
    RECT DisplayRect();

    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;
    // The control, then one "Tab" item per tab with its caption.
    void DescribeTexts(TTextReport& Report) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;
    void Resize() override;

private:
    friend class TTabSheet;
    void AddSheet(TTabSheet* Sheet);
    void RemoveSheet(TTabSheet* Sheet);
    void UpdateTab(TTabSheet* Sheet);
    void ShowActive();
    void PlaceSheets();

    std::vector<TTabSheet*> FPages;
    int FActive = -1;
};
