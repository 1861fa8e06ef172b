#include "set_rect_dialog.h"

#include "convert.h"
#include "string_helpers.h"

#include <memory>

namespace {

CFxEdit* MakeNumberEdit(CDialogSetRect* Form, int X, int Y)
{
    auto* E = new CFxEdit(Form);
    E->SetStyle(ES_Integer);
    // Digits only: "%" has its own box, and the minus of -1 its "Center" box.
    E->SetBlockedChars(CharSet(" '-.%"));
    E->SetBounds(X, Y, 40, 21);
    E->SetParent(Form);
    E->OnChange = [Form](TObject*) { Form->UpdatePreview(); };
    return E;
}

TCheckBox* MakeBox(CDialogSetRect* Form, const std::string& Caption, int X, int Y, int Width)
{
    auto* B = new TCheckBox(Form);
    B->SetCaption(Caption);
    B->SetBounds(X, Y + 2, Width, 17);
    B->SetParent(Form);
    return B;
}

CFxButton* MakeButton(CDialogSetRect* Form, const std::string& Caption, int X, int Width)
{
    auto* B = new CFxButton(Form);
    B->SetCaption(Caption);
    B->SetBounds(X, 313, Width, 25);
    B->Anchors = akLeft | akBottom;
    B->Font().SetColor(clWhite);
    B->SetColCor(-0.2);
    B->SetParent(Form);
    return B;
}

} // namespace

CDialogSetRect::CDialogSetRect(TComponent* AOwner) : TForm(AOwner)
{
    BorderStyle = bsDialog;
    Position = poScreenCenter;
    KeyPreview = true;
    SetCaption("Set size and position");
    SetClientSize(262, 345);

    AddLabel("Left :", 5, 8);
    AddLabel("Top :", 5, 38);
    AddLabel("Width:", 135, 8);
    AddLabel("Height:", 135, 38);
    LeftEdit = MakeNumberEdit(this, 35, 5);
    TopEdit = MakeNumberEdit(this, 35, 35);
    WidthEdit = MakeNumberEdit(this, 170, 5);
    HeightEdit = MakeNumberEdit(this, 170, 35);
    LeftCenterBox = MakeBox(this, "Center", 79, 5, 54);
    TopCenterBox = MakeBox(this, "Center", 79, 35, 54);
    HeightPercentBox = MakeBox(this, "%", 214, 35, 30);
    WidthPercentBox = MakeBox(this, "%", 214, 5, 30);
    HeightPercentBox->SetChecked(true);
    WidthPercentBox->SetChecked(true);
    LeftCenterBox->OnClick = [this](TObject* S) { LeftCenterClick(S); };
    TopCenterBox->OnClick = [this](TObject* S) { TopCenterClick(S); };
    WidthPercentBox->OnClick = [this](TObject*) { UpdatePreview(); };
    HeightPercentBox->OnClick = [this](TObject*) { UpdatePreview(); };

    CloseButton = MakeButton(this, "Close", 5, 40);
    ResetButton = MakeButton(this, "Reset", 50, 65);
    SetButton = MakeButton(this, "Set", 120, 65);
    SetButton->OnClick = [this](TObject* S) { SetClick(S); };
    ResetButton->OnClick = [this](TObject* S) { ResetClick(S); };
    CloseButton->OnClick = [this](TObject* S) { CloseClick(S); };

    AddLabel("Preview on", 5, 262);
    ScreenList = new TComboBox(this);
    ScreenList->SetBounds(5, 280, 86, 21);
    ScreenList->SetParent(this);
    ScreenList->SetItems({"1024x768", "800x600", "640x480"});
    ScreenList->SetItemIndex(0);
    ScreenList->OnChange = [this](TObject* S) { ScreenChange(S); };
    ScreenChange(ScreenList);

    OnKeyDown = [this](TObject* S, WORD& Key, TShiftState) {
        if (Key == VK_ESCAPE) {
            Key = 0;
            CloseClick(S);
        }
    };
    PreviewReady = true;
}

TLabel* CDialogSetRect::AddLabel(const std::string& Caption, int X, int Y)
{
    auto* L = new TLabel(this);
    L->Transparent = true;
    L->SetCaption(Caption);
    L->SetLeft(X);
    L->SetTop(Y);
    L->SetParent(this);
    FLabels.push_back(L);
    return L;
}

void CDialogSetRect::Execute(const std::string& RectText, TColor WindowColor, TColor TextColor,
                             TColor SetResetColor, TColor CloseColor, std::string& Result)
{
    OrigText = RectText;
    NewText = RectText;
    LoadRect();
    UpdatePreview();
    SetColor(WindowColor);
    Font().SetColor(TextColor);
    for (TLabel* L : FLabels)
        L->Font().SetColor(TextColor);
    for (TCheckBox* B : {LeftCenterBox, TopCenterBox, HeightPercentBox, WidthPercentBox}) {
        B->SetColor(WindowColor);
        B->Font().SetColor(TextColor);
    }
    SetButton->SetColor(SetResetColor);
    ResetButton->SetColor(SetResetColor);
    CloseButton->SetColor(CloseColor);
    for (CFxButton* B : {SetButton, ResetButton, CloseButton})
        B->Font().SetColor(TextColor);
    ShowModal();
    Result = NewText;
}

void CDialogSetRect::LoadRect()
{
    const TRectFields F = LoadRectFields(OrigText);
    LeftEdit->SetText(F.Left);
    TopEdit->SetText(F.Top);
    WidthEdit->SetText(F.Width);
    HeightEdit->SetText(F.Height);
    WidthPercentBox->SetChecked(F.WidthPercent);
    HeightPercentBox->SetChecked(F.HeightPercent);
    // Ticking runs the click handler; an unchanged box is brought in line by hand.
    const bool LeftWas = LeftCenterBox->Checked(), TopWas = TopCenterBox->Checked();
    LeftCenterBox->SetChecked(F.LeftCenter);
    TopCenterBox->SetChecked(F.TopCenter);
    if (LeftWas == F.LeftCenter)
        LeftCenterClick(LeftCenterBox);
    if (TopWas == F.TopCenter)
        TopCenterClick(TopCenterBox);
}

std::string CDialogSetRect::GetRectText() const
{
    TRectFields F;
    F.Left = LeftEdit->Text();
    F.Top = TopEdit->Text();
    F.Width = WidthEdit->Text();
    F.Height = HeightEdit->Text();
    F.LeftCenter = LeftCenterBox->Checked();
    F.TopCenter = TopCenterBox->Checked();
    F.WidthPercent = WidthPercentBox->Checked();
    F.HeightPercent = HeightPercentBox->Checked();
    return RectFieldsText(F);
}

void CDialogSetRect::UpdatePreview()
{
    if (PreviewReady)
        Repaint();
}

void CDialogSetRect::Paint(TCanvas& Canvas) { PaintPreview(Canvas); }

void CDialogSetRect::PaintPreview(TCanvas& Canvas)
{
    RECT Client;
    GetClientRect(Handle(), &Client);
    Canvas.BrushStyle = bsSolid;
    Canvas.PenColor = clBlack;
    Canvas.BrushColor = Color();
    Canvas.Rectangle(0, 0, Client.right, Client.bottom);
    if (ScreenWidth <= 0 || ScreenHeight <= 0)
        return;
    const TRectPreview P = ComputeRectPreview(GetRectText(), ScreenWidth, ScreenHeight);
    Canvas.PenColor = clBlack;
    Canvas.BrushColor = clWhite;
    Canvas.Rectangle(P.Screen.Left + 5, P.Screen.Top + 63, P.Screen.Right + 5, P.Screen.Bottom + 63);
    Canvas.PenColor = 0x8000;
    Canvas.BrushColor = P.Fill;
    Canvas.Rectangle(P.Window.Left + 5, P.Window.Top + 63, P.Window.Right + 5, P.Window.Bottom + 63);
    // The labels are windowless: the layer paints them over this afterwards.
}

void CDialogSetRect::LeftCenterClick(TObject*)
{
    LeftEdit->SetEnabled(!LeftCenterBox->Checked());
    UpdatePreview();
}

void CDialogSetRect::TopCenterClick(TObject*)
{
    TopEdit->SetEnabled(!TopCenterBox->Checked());
    UpdatePreview();
}

void CDialogSetRect::ScreenChange(TObject*)
{
    std::string Size = ScreenList->Text(), Width;
    CutToken(Size, "x", true, Width);
    ScreenWidth = LenientNumber(Width);
    ScreenHeight = LenientNumber(Size);
    UpdatePreview();
}

void CDialogSetRect::SetClick(TObject*)
{
    NewText = GetRectText();
    Close();
}

void CDialogSetRect::ResetClick(TObject*)
{
    LoadRect();
    UpdatePreview();
}

void CDialogSetRect::CloseClick(TObject*)
{
    NewText = OrigText;
    Close();
}

void DialogSetRect(const std::string& RectText, const ColorScheme* Scheme, std::string& Result)
{
    auto Window = std::make_unique<CDialogSetRect>(nullptr);
    if (Scheme)
        Window->Execute(RectText, (*Scheme)[0], (*Scheme)[11], (*Scheme)[1], (*Scheme)[2], Result);
    else
        Window->Execute(RectText, clSilver, clBlack, clSilver, clSilver, Result);
}
