#pragma once

#include "color_scheme.h"
#include "fx_button.h"
#include "fx_edit.h"
#include "set_rect_logic.h"
#include "ui_check_box.h"
#include "ui_combo_box.h"
#include "ui_form.h"
#include "ui_label.h"

#include <string>

// "Set size and position": the four fields of a rectangle text with their "Center"
// and "%" boxes, and a preview of the window on a chosen screen size, green while it
// fits and red when not. "Set" answers the new text; "Close", Escape and the title
// bar answer the text on entry.
class CDialogSetRect : public TForm {
public:
    explicit CDialogSetRect(TComponent* AOwner);

    CFxEdit* LeftEdit = nullptr;
    CFxEdit* TopEdit = nullptr;
    CFxEdit* WidthEdit = nullptr;
    CFxEdit* HeightEdit = nullptr;
    TCheckBox* LeftCenterBox = nullptr;
    TCheckBox* TopCenterBox = nullptr;
    TCheckBox* HeightPercentBox = nullptr;
    TCheckBox* WidthPercentBox = nullptr;
    CFxButton* SetButton = nullptr;
    CFxButton* ResetButton = nullptr;
    CFxButton* CloseButton = nullptr;
    std::string OrigText;
    TComboBox* ScreenList = nullptr;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    bool PreviewReady = false;
    std::string NewText;

    void Execute(const std::string& RectText, TColor WindowColor, TColor TextColor, TColor SetResetColor,
                 TColor CloseColor, std::string& Result);
    void LoadRect();
    std::string GetRectText() const;
    void UpdatePreview();
    void PaintPreview(TCanvas& Canvas);

    void LeftCenterClick(TObject* Sender);
    void TopCenterClick(TObject* Sender);
    void ScreenChange(TObject* Sender);
    void SetClick(TObject* Sender);
    void ResetClick(TObject* Sender);
    void CloseClick(TObject* Sender);

protected:
    void Paint(TCanvas& Canvas) override;

private:
    TLabel* AddLabel(const std::string& Caption, int X, int Y);
    std::vector<TLabel*> FLabels;
};

void DialogSetRect(const std::string& RectText, const ColorScheme* Scheme, std::string& Result);
