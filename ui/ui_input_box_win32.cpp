#include "ui_input_box.h"

#include "ui_button.h"
#include "ui_edit.h"
#include "ui_form.h"
#include "ui_label.h"

#include <memory>

bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value)
{
    auto Form = std::make_unique<TForm>(nullptr);
    Form->BorderStyle = bsDialog;
    Form->Position = poScreenCenter;
    Form->SetCaption(Caption);
    Form->SetClientSize(300, 90);
    auto* PromptLabel = new TLabel(Form.get());
    PromptLabel->SetParent(Form.get());
    PromptLabel->SetBounds(8, 8, 284, 16);
    PromptLabel->SetCaption(Prompt);
    PromptLabel->Transparent = true;
    auto* Edit = new TEdit(Form.get());
    Edit->SetParent(Form.get());
    Edit->SetBounds(8, 26, 284, 22);
    Edit->SetText(Value);
    auto* Ok = new TButton(Form.get());
    Ok->SetParent(Form.get());
    Ok->SetCaption("OK");
    Ok->SetBounds(136, 58, 75, 25);
    Ok->Default = true;
    Ok->ModalResult = mrOk;
    auto* Cancel = new TButton(Form.get());
    Cancel->SetParent(Form.get());
    Cancel->SetCaption("Cancel");
    Cancel->SetBounds(217, 58, 75, 25);
    Cancel->Cancel = true;
    Cancel->ModalResult = mrCancel;
    Form->HandleNeeded();
    Edit->SetFocus();
    if (Form->ShowModal() != mrOk)
        return false;
    Value = Edit->Text();
    return true;
}
