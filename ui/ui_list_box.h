#pragma once

#include "ui_control.h"
#include "ui_ctl_color.h"

#include <string>
#include <vector>

// The system list box; OnClick follows every change of the selection by the user.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    const std::vector<std::string>& Items() const { return FItems; }
    void SetItems(const std::vector<std::string>& Items);
    int ItemIndex() const;
    void SetItemIndex(int Index);
    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;

private:
    void Fill();
    std::vector<std::string> FItems;
    int FItemIndex = -1;
    TCtlColorBrush FBrush;
};
