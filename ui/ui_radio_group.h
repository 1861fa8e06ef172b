#pragma once

#include "ui_control.h"
#include "ui_ctl_color.h"

#include <string>
#include <vector>

// A framed caption over one column of radio buttons. Setting ItemIndex in code
// fires no click; a click by the user fires OnClick after the index changed.
class TRadioGroup : public TCustomControl {
public:
    explicit TRadioGroup(TComponent* AOwner);
    ~TRadioGroup() override;

    void SetItems(const std::vector<std::string>& Items);
    int ItemCount() const { return static_cast<int>(FButtons.size()); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    // The radio button window of item Index.
    HWND ButtonHandle(int Index);

    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    void Paint(TCanvas& Canvas) override;
    void Resize() override;
    void ColorChanged() override;

private:
    class TRadioItem;
    void PlaceButtons();

    std::vector<TRadioItem*> FButtons;
    int FItemIndex = -1;
};
