#include "platform_dialog.h"

#include "project.h"
#include "color_scheme.h"

std::int32_t LastPlatform = 2;

TFNew::TFNew(CCastamer& AProject) : TForm(nullptr), FProject(AProject)
{
    Name = "FNew";
    BorderStyle = bsSingle;
    Position = poScreenCenter;
    KeyPreview = true;
    SetCaption("Destination Platform");
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    SetClientSize(250, 156);

    list = new TRadioGroup(this);
    list->Name = "list";
    list->SetParent(this);
    list->SetBounds(0, 0, 250, 91);
    list->SetCaption("Select destination platform:");
    list->Font().Assign(Font());
    list->SetItems({"Handheld (Palm OS)", "Pocket PC 2000/2002 (Window CE)", "PC (Windows 95/98/Me/NT/2000/XP)"});
    list->SetItemIndex(2);
    list->OnClick = [this](TObject* S) { listClick(S); };

    cb1 = new TCheckBox(this);
    cb1->Name = "cb1";
    cb1->SetParent(this);
    cb1->SetBounds(8, 92, 234, 17);
    cb1->SetCaption("Always auto-select this platform");

    GroupBox1 = new TGroupBox(this);
    GroupBox1->Name = "GroupBox1";
    GroupBox1->SetParent(this);
    GroupBox1->SetBounds(0, 110, 250, 46);
    GroupBox1->SetCaption("Actions :");

    butOk = new CFxButton(GroupBox1);
    butOk->Name = "butOk";
    butOk->SetParent(GroupBox1);
    butOk->SetBounds(8, 15, 75, 25);
    butOk->SetCaption("Select");
    butOk->SetColCor(-0.2);
    butOk->OnClick = [this](TObject* S) { butOkClick(S); };

    butCancel = new CFxButton(GroupBox1);
    butCancel->Name = "butCancel";
    butCancel->SetParent(GroupBox1);
    butCancel->SetBounds(167, 15, 75, 25);
    butCancel->SetCaption("Cancel");
    butCancel->SetColCor(-0.2);
    butCancel->OnClick = [this](TObject* S) { butCancelClick(S); };

    OnKeyUp = [this](TObject* S, WORD& K, TShiftState Sh) { FormKeyUp(S, K, Sh); };

    // FormCreate: the palette's colours.
    SetColor(PaletteColor1);
    for (TControl* C : {static_cast<TControl*>(list), static_cast<TControl*>(cb1), static_cast<TControl*>(GroupBox1)})
        C->SetColor(PaletteColor1);
    butOk->SetColor(PaletteColor4);
    butCancel->SetColor(PaletteColor5);
}

std::int32_t TFNew::Execute()
{
    Answer = -1;
    if (LastPlatform >= 0)
        list->SetItemIndex(LastPlatform);
    ShowModal();
    return Answer;
}

void TFNew::listClick(TObject*) { Answer = list->ItemIndex(); }

void TFNew::butOkClick(TObject*)
{
    Answer = list->ItemIndex();
    LastPlatform = Answer;
    if (cb1->Checked())
        FProject.SetNewAppPlatform(Answer);
    SetModalResult(mrOk);
    Close();
}

void TFNew::butCancelClick(TObject*)
{
    Answer = -1;
    SetModalResult(mrCancel);
    Close();
}

void TFNew::FormKeyUp(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_ESCAPE)
        butCancel->Click();
}

std::int32_t SelectPlatform(CCastamer& Project)
{
    const std::int32_t Remembered = Project.GetNewAppPlatform();
    if (Remembered >= 0)
        return Remembered;
    TFNew Window(Project);
    return Window.Execute();
}
