#include "input_memo.h"

#include "ui_text.h"

#include <memory>

int MemoWidth = 400;
int MemoHeight = 300;

CInputMemo::CInputMemo(TComponent* AOwner) : TForm(AOwner)
{
    BorderStyle = bsSizeable;
    Position = poScreenCenter;
    KeyPreview = true;
    SetClientSize(300, 230);

    Memo = new TMemo(this);
    Memo->SetBounds(5, 5, 290, 190);
    Memo->Anchors = akLeft | akTop | akRight | akBottom;
    Memo->SetParent(this);

    ButtonPanel = new TPanel(this);
    ButtonPanel->SetBounds(0, 200, 300, 30);
    ButtonPanel->Anchors = akLeft | akRight | akBottom;
    ButtonPanel->SetParent(this);

    OkButton = new CFxButton(this);
    OkButton->SetCaption("Ok");
    OkButton->SetBounds(245, 2, 50, 25);
    OkButton->Anchors = akTop | akRight;
    OkButton->SetColCor(-0.3);
    OkButton->SetParent(ButtonPanel);
    OkButton->OnClick = [this](TObject* S) { OkClick(S); };

    OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) { KeyDown(S, Key, Shift); };
    OnClose = [this](TObject* S) { RememberSize(S); };

    // Laid out for 300 x 230; the anchors carry it to the remembered size.
    HandleNeeded();
    SetBounds(Left(), Top(), MemoWidth, MemoHeight);
}

void CInputMemo::ApplyScheme(const ColorScheme* Scheme)
{
    if (!Scheme)
        return;
    const ColorScheme& S = *Scheme;
    SetColor(S[0]);
    Font().SetColor(S[10]);
    Memo->SetColor(S[0]);
    Memo->Font().SetColor(S[10]);
    ButtonPanel->SetColor(S[1]);
    OkButton->SetColor(S[4]);
}

void CInputMemo::Execute(const std::string& Text, std::string& Result)
{
    MemoText = Text;
    Memo->SetText(NormalizeLineBreaks(Text));
    Memo->SetFocus();
    ShowModal();
    Result = MemoText;
}

void CInputMemo::OkClick(TObject*)
{
    // The memo shows every line break as CR LF: a text left as shown keeps its own
    // breaks, so that its row does not count it as changed.
    const std::string Shown = Memo->Text();
    if (Shown != NormalizeLineBreaks(MemoText))
        MemoText = Shown;
    Close();
}

void CInputMemo::KeyDown(TObject*, WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN && (Shift & ssAlt)) {
        Key = 0;
        OkButton->Click();
    } else if (Key == VK_ESCAPE) {
        Key = 0;
        Close();
    }
}

void CInputMemo::RememberSize(TObject*)
{
    MemoWidth = Width();
    MemoHeight = Height();
}

void DialogInputMemo(const std::string& Caption, const std::string& Text, const ColorScheme* Scheme,
                     std::string& Result)
{
    auto Window = std::make_unique<CInputMemo>(nullptr);
    Window->SetCaption(Caption);
    Window->ApplyScheme(Scheme);
    Window->Execute(Text, Result);
}
