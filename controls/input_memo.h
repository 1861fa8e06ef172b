#pragma once

#include "color_scheme.h"
#include "fx_button.h"
#include "ui_edit.h"
#include "ui_form.h"
#include "ui_panel.h"

#include <string>

// The outer size of every memo window: 400 x 300 at start, then what the last one
// was left at, for the rest of the run.
extern int MemoWidth;
extern int MemoHeight;

// A sizable window with a multi-line text and "Ok". Alt+Enter takes the text, Escape
// closes without it, a plain Enter is a new line.
class CInputMemo : public TForm {
public:
    explicit CInputMemo(TComponent* AOwner);

    TMemo* Memo = nullptr;
    std::string MemoText;
    TPanel* ButtonPanel = nullptr;
    CFxButton* OkButton = nullptr;

    // Result is the edited text after "Ok", else Text. A text left as it was shown
    // comes back as Text, byte for byte.
    void Execute(const std::string& Text, std::string& Result);
    void ApplyScheme(const ColorScheme* Scheme);
    void OkClick(TObject* Sender);
    void KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void RememberSize(TObject* Sender);
};

void DialogInputMemo(const std::string& Caption, const std::string& Text, const ColorScheme* Scheme,
                     std::string& Result);
