#include "shortcut_editor.h"

#include <memory>

namespace {

template <class T>
T* Place(TForm* Form, TWinControl* Parent, int X, int Y, int W, int H)
{
    auto* C = new T(Form);
    C->SetBounds(X, Y, W, H);
    C->SetParent(Parent);
    return C;
}

TLabel* MakeLabel(TForm* Form, TWinControl* Parent, const std::string& Caption, int X, int Y)
{
    auto* L = new TLabel(Form);
    L->Transparent = true;
    L->SetCaption(Caption);
    L->SetLeft(X);
    L->SetTop(Y);
    L->SetParent(Parent);
    return L;
}

CFxButton* MakeButton(TForm* Form, TWinControl* Parent, const std::string& Caption, int X, int Y, int W, int H)
{
    auto* B = Place<CFxButton>(Form, Parent, X, Y, W, H);
    B->SetCaption(Caption);
    B->SetColor(15124680);
    B->SetColCor(-0.3);
    return B;
}

std::string ChosenItem(const TComboBox& Box) { return Box.ItemIndex() >= 0 ? Box.Items()[Box.ItemIndex()] : ""; }

int ExactIndex(const TComboBox& Box, const std::string& Text)
{
    for (std::size_t I = 0; I < Box.Items().size(); ++I)
        if (Box.Items()[I] == Text)
            return static_cast<int>(I);
    return -1;
}

// The name and program group take letters, the space and a few marks: never "|",
// which separates the fields.
void LetterField(CFxEdit& E)
{
    E.SetStyle(ES_String);
    E.SetAChars(EditAChar(EAC_LCLetters) | EditAChar(EAC_UCLetters) | EditAChar(EAC_Controls));
}

} // namespace

TFSCutEdit::TFSCutEdit(TComponent* AOwner) : TForm(AOwner)
{
    BorderStyle = bsDialog;
    Position = poScreenCenter;
    KeyPreview = true;
    SetCaption("Edit shortcut");
    SetClientSize(267, 246);
    SetColor(clBtnFace);

    GroupBox1 = Place<TGroupBox>(this, this, 0, 0, 266, 91);
    GroupBox1->SetCaption("Shortcut points to:");
    cbType = Place<TComboBox>(this, GroupBox1, 61, 16, 201, 21);
    Label1 = MakeLabel(this, GroupBox1, "Type: ", 8, 19);
    Panel1 = Place<TPanel>(this, GroupBox1, 4, 42, 258, 45);
    Panel1->BevelOuter = bvLowered;
    Label2 = MakeLabel(this, Panel1, "To file:", 4, 3);
    GroupBox2 = Place<TGroupBox>(this, this, 0, 92, 266, 126);
    GroupBox2->SetCaption("Shortcut placement:");
    eInFile = Place<CFxEdit>(this, Panel1, 4, 19, 201, 21);
    eInFile->SetStyle(ES_File);
    eInFile->SetEnabled(false);
    cbDir = Place<TComboBox>(this, GroupBox2, 61, 16, 201, 21);
    Panel2 = Place<TPanel>(this, GroupBox2, 4, 42, 258, 46);
    Panel2->BevelOuter = bvLowered;
    Label3 = MakeLabel(this, Panel2, "Program Files/ .... :", 4, 3);
    Label4 = MakeLabel(this, GroupBox2, "Directory:", 4, 19);
    ePGN = Place<CFxEdit>(this, Panel2, 5, 20, 246, 21);
    LetterField(*ePGN);
    Label5 = MakeLabel(this, GroupBox2, "Name:", 8, 99);
    eName = Place<CFxEdit>(this, GroupBox2, 61, 96, 201, 21);
    LetterField(*eName);
    butOk = MakeButton(this, this, "Ok", 8, 219, 75, 25);
    butCancel = MakeButton(this, this, "Cancel", 184, 219, 75, 25);
    butSelFile = MakeButton(this, Panel1, ". . .", 211, 5, 40, 35);
    for (TWinControl* C : std::vector<TWinControl*>{GroupBox1, GroupBox2})
        C->SetColor(Color());

    butOk->OnClick = [this](TObject* S) { Button2Click(S); };
    butCancel->OnClick = [this](TObject* S) { butCancelClick(S); };
    butSelFile->OnClick = [this](TObject* S) { butSelFileClick(S); };
    OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) { FormKeyDown(S, Key, Shift); };
    const TNotifyEvent Update = [this](TObject*) { UpdateFields(); };
    cbType->OnChange = Update;
    cbDir->OnChange = Update;
    eInFile->OnChange = Update;
    ePGN->OnChange = Update;
    eName->OnChange = Update;
}

void TFSCutEdit::ApplyScheme(const ColorScheme& Scheme)
{
    SetColor(Scheme[0]);
    GroupBox1->SetColor(Scheme[0]);
    GroupBox2->SetColor(Scheme[0]);
    butOk->SetColor(Scheme[3]);
    butSelFile->SetColor(Scheme[3]);
    butCancel->SetColor(Scheme[4]);
    Panel1->SetColor(Scheme[1]);
    Panel2->SetColor(Scheme[1]);
}

bool TFSCutEdit::Execute(std::string& Name, std::string& Type, std::string& File, std::string& Destination,
                         std::string& Group, const std::string& HKey, int Mode)
{
    OkPressed = false;
    DeviceMode = Mode;
    cbType->SetItems(ShortcutTypes(Mode));
    cbDir->SetItems(ShortcutDestinations(Mode));
    cbType->SetItemIndex(ExactIndex(*cbType, Type));
    cbDir->SetItemIndex(ExactIndex(*cbDir, Destination));
    eName->SetText(Name);
    eInFile->SetText(File);
    ePGN->SetText(Group);
    eInFile->HKey_DirFile = HKey;
    UpdateFields();
    ShowModal();
    if (!OkPressed)
        return false;
    bool Changed = false;
    auto Take = [&Changed](const std::string& Now, std::string& Arg) {
        if (Now != Arg) {
            Arg = Now;
            Changed = true;
        }
    };
    Take(ChosenItem(*cbType), Type);
    Take(eName->Text(), Name);
    Take(eInFile->Text(), File);
    Take(ChosenItem(*cbDir), Destination);
    Take(ePGN->Text(), Group);
    return Changed;
}

void TFSCutEdit::UpdateFields()
{
    const TShortcutMarks M =
        ShortcutMarks(ChosenItem(*cbType), eName->Text(), eInFile->Text(), ChosenItem(*cbDir), ePGN->Text());
    auto Mark = [](TControl* C, bool Marked) { C->SetColor(Marked ? InvalidFieldColor : clWhite); };
    Mark(cbType, M.Type);
    Mark(cbDir, M.Destination);
    Mark(eName, M.Name);
    Mark(eInFile, M.File);
    Mark(ePGN, M.Group);
    eInFile->SetEnabled(M.FileEnabled);
    butSelFile->SetEnabled(M.FileEnabled);
    ePGN->SetEnabled(M.GroupEnabled);
}

void TFSCutEdit::Button2Click(TObject*)
{
    const TShortcutMarks M =
        ShortcutMarks(ChosenItem(*cbType), eName->Text(), eInFile->Text(), ChosenItem(*cbDir), ePGN->Text());
    TWinControl* const Fields[] = {eName, cbType, eInFile, cbDir, ePGN};
    const int First = FirstMarkedField(M);
    if (First >= 0) {
        Fields[First]->SetFocus();
        return;
    }
    OkPressed = true;
    Close();
}

void TFSCutEdit::butCancelClick(TObject*) { Close(); }

void TFSCutEdit::butSelFileClick(TObject*) { eInFile->Browse(); }

void TFSCutEdit::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_RETURN) {
        Key = 0;
        OkPressed = true;
        Close();
    } else if (Key == VK_ESCAPE) {
        Key = 0;
        Close();
    }
}

bool EditShortcut(std::string& Name, std::string& Type, std::string& File, std::string& Destination,
                  std::string& Group, const std::string& HKey, int Mode, const ColorScheme* Scheme)
{
    auto Window = std::make_unique<TFSCutEdit>(nullptr);
    if (Scheme)
        Window->ApplyScheme(*Scheme);
    return Window->Execute(Name, Type, File, Destination, Group, HKey, Mode);
}
