#pragma once

#include "ui_control.h"

#include <string>
#include <vector>

// The system combo box as a choice-only drop-down list. Its drop height is fixed
// when the window is made, so DropHeight is taken then.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    const std::vector<std::string>& Items() const { return FItems; }
    void SetItems(const std::vector<std::string>& Items);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Index);
    int DropHeight = 200;
    TNotifyEvent OnChange;
    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void HandleCreated() override;

private:
    void Fill();
    std::vector<std::string> FItems;
    int FItemIndex = -1;
};
