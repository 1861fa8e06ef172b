#pragma once

#include "ui_control.h"
#include "ui_ctl_color.h"

#include <string>
#include <vector>

// The platform's combo-box styles, in its order: 0 an editable drop-down, 1 an
// always-open list, 2 a choice-only drop-down list.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// The system combo box, choice-only unless Style says otherwise (changing the style
// makes the window again, keeping the items). Its drop height is fixed when the
// window is made, so DropHeight is taken then. OnChange follows a new selection and,
// in an editable box, every change of the typed text.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* AOwner);
    const std::vector<std::string>& Items() const { return FItems; }
    void SetItems(const std::vector<std::string>& Items);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Index);
    // The first item equal to Text, letters compared without case; -1 when none.
    int IndexOfText(const std::string& Text) const;
    // The edit's text (editable styles) or the chosen item's.
    std::string Text() const;
    void SetText(const std::string& Value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    bool DroppedDown() const;
    // The latest OnChange came from typing (an editable box), not from a new selection.
    bool ChangedByTyping() const { return FByTyping; }
    int DropHeight = 200;
    TNotifyEvent OnChange;
    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void HandleCreated() override;

private:
    void Fill();
    std::vector<std::string> FItems;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDownList;
    std::string FText;
    bool FByTyping = false;
    TCtlColorBrush FBrush;
};
