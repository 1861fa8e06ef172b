#include "msg_dlg.h"

#include "color_scheme.h"
#include "msg_dlg_layout.h"
#include "ui_application.h"
#include "ui_screen.h"

std::string ProgramTitle;
int DlgFormWidth = 0;
int DlgMarginX = 15;
int DlgMarginY = 15;
int DlgButtonRowWidth = 0;

TDlgText::TDlgText(TLabel& TextLabel) : FLabel(TextLabel)
{
    FFont.Assign(TextLabel.Font());
    FFont.OnChange = [this](TObject*) { FLabel.Font().Assign(FFont); };
}

void TDlgText::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    FLabel.SetAlignment(Value);
}

void TDlgText::SetText(const std::string& Value)
{
    if (Value == FText)
        return;
    FText = Value;
    FLabel.SetCaption(Value);
}

void TDlgImage::SetPicture(const TIcon& Value)
{
    if (Value.Handle() == FPicture.Handle())
        return;
    FPicture.Assign(Value);
    FImage.Picture().Assign(FPicture);
    FImage.PictureChanged();
}

void TDlgImage::SetVisible(bool Value)
{
    FVisible = Value;
    FImage.SetVisible(Value);
}

TQelMsgDlg::TQelMsgDlg(TComponent* AOwner) : TComponent(AOwner)
{
    DlgFormWidth = Screen().Width() / 2;
    DlgMarginX = 15;
    DlgMarginY = 15;
    FWindow = std::make_unique<TForm>(nullptr);
    FWindow->BorderStyle = bsDialog;
    // Names an outside reader of the texts finds the parts by.
    FWindow->Name = "MsgDlg";
    FWindow->SetWidth(DlgFormWidth);
    DlgForm = std::make_unique<TDlgForm>();
    DlgForm->Position = dpScreenCenter;
    ProgramTitle = Application().ExeTitle();
    SetCaption(ProgramTitle);
    FShadowLabel = new TLabel(FWindow.get());
    FShadowLabel->Name = "ShadowLabel";
    FShadowLabel->SetParent(FWindow.get());
    FShadowLabel->Transparent = true;
    FShadowLabel->SetBounds(15, 15, FShadowLabel->Width(), FShadowLabel->Height());
    FShadowLabel->SetVisible(false);
    FTextLabel = new TLabel(FWindow.get());
    FTextLabel->Name = "TextLabel";
    FTextLabel->SetParent(FWindow.get());
    FTextLabel->Transparent = true;
    FTextLabel->SetBounds(15, 15, FTextLabel->Width(), FTextLabel->Height());
    DlgText = std::make_unique<TDlgText>(*FTextLabel);
    FImage = new TImage(FWindow.get());
    FImage->Name = "IconImage";
    FImage->SetParent(FWindow.get());
    FImage->SetBounds(15, 15, FImage->Width(), FImage->Height());
    DlgImage = std::make_unique<TDlgImage>(*FImage);
    DlgImage->SetVisible(true);
    DlgButton = std::make_unique<TDlgButton>();
    DlgButton->Height = 25;
    DlgButton->Width = 75;
    DlgButton->DefTitle = ProgramTitle;
}

TQelMsgDlg::~TQelMsgDlg()
{
    FreeButtons();
    DlgText.reset();
    DlgImage.reset();
    FWindow.reset();
}

void TQelMsgDlg::SetCaption(const std::string& Value)
{
    FCaption = Value;
    FWindow->SetCaption(Value);
}

void TQelMsgDlg::SetDlgType(TMsgDlgType Value)
{
    if (Value == FDlgType)
        return;
    FDlgType = Value;
    if (Value == mtCustom || !DlgImage->Visible())
        return;
    static const LPCSTR Icons[] = {IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION};
    TIcon Icon;
    Icon.LoadSystem(Icons[Value]);
    DlgImage->SetPicture(Icon);
}

int TQelMsgDlg::Execute(const std::string& Msg, const std::string& ACaption, TMsgDlgType ADlgType,
                        const std::vector<std::string>& Buttons, const std::vector<TBitBtnKind>& Kinds)
{
    FAnswer = -1;
    DlgButtonRowWidth = static_cast<int>(Buttons.size()) * (DlgButton->Width + 4);
    // A text wrapped by an earlier run is measured on its own lines again.
    FTextLabel->SetWordWrap(false);
    DlgText->SetText(Msg);
    FTextLabel->AdjustBounds();
    SetCaption(ACaption);
    SetDlgType(ADlgType);
    Layout();
    CreateButtons(Buttons, Kinds);
    FWindow->SetStayOnTop(true);
    struct TFree {
        TQelMsgDlg& Dlg;
        ~TFree() { Dlg.FreeButtons(); }
    } Free{*this};
    FWindow->ShowModal();
    return FAnswer;
}

void TQelMsgDlg::Layout()
{
    const bool ImageVisible = DlgImage->Visible();
    const TMsgDlgHorizontal H = MsgDlgHorizontal(DlgFormWidth, DlgMarginX, FTextLabel->Width(), ImageVisible,
                                                 FImage->Width(), DlgButtonRowWidth);
    FTextLabel->SetLeft(H.TextLeft);
    if (H.Wrap) {
        FTextLabel->SetWidth(H.WrapWidth);
        FTextLabel->SetWordWrap(true);
        FTextLabel->AdjustBounds();
    }
    const TMsgDlgVertical V =
        MsgDlgVertical(DlgMarginY, FTextLabel->Height(), ImageVisible, FImage->Height(), DlgButton->Height);
    FContentHeight = V.ContentHeight;
    int Left = DlgForm->Left, Top = DlgForm->Top;
    if (DlgForm->Position == dpScreenCenter) {
        Top = CentredOrigin(Screen().Height(), V.WindowHeight);
        Left = CentredOrigin(Screen().Width(), H.WindowWidth);
    }
    FWindow->SetBounds(Left, Top, H.WindowWidth, V.WindowHeight);
    FWindow->SetColor(DlgForm->Color);
    if (DlgText->Shadow) {
        FShadowLabel->Font().Assign(FTextLabel->Font());
        FShadowLabel->Font().SetColor(DlgText->ShadowColor);
        FShadowLabel->SetCaption(DlgText->Text());
        FShadowLabel->SetLeft(FTextLabel->Left() + DlgText->ShadowHeight);
        FShadowLabel->SetTop(FTextLabel->Top() + DlgText->ShadowHeight);
        FShadowLabel->SetVisible(true);
    } else {
        FShadowLabel->SetCaption("");
        FShadowLabel->SetVisible(false);
    }
}

void TQelMsgDlg::CreateButtons(const std::vector<std::string>& Buttons, const std::vector<TBitBtnKind>& Kinds)
{
    const int RowLeft = (FWindow->Width() - DlgButtonRowWidth) / 2;
    const int ButtonTop = FContentHeight + 2 * DlgMarginY;
    for (std::size_t I = 0; I < Buttons.size(); ++I) {
        auto* B = new TQelButton(FWindow.get());
        B->SetBounds(RowLeft + static_cast<int>(I) * (DlgButton->Width + 4), ButtonTop, DlgButton->Width,
                     DlgButton->Height);
        B->Tag = static_cast<int>(I);
        B->Name = "Button" + std::to_string(I);
        B->SetColor(DlgButton->Color);
        B->Font().Assign(DlgButton->Font());
        B->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
        B->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { ButtonKeyDown(Sender, Key, Shift); };
        if (I < Kinds.size())
            SetButtonKind(*B, Kinds[I]);
        B->SetCaption(Buttons[I]);
        B->SetParent(FWindow.get());
        FButtons.push_back(B);
    }
}

void TQelMsgDlg::FreeButtons()
{
    for (TQelButton* B : FButtons)
        delete B;
    FButtons.clear();
}

void TQelMsgDlg::ButtonClick(TObject* Sender)
{
    if (auto* B = dynamic_cast<TQelButton*>(Sender))
        FAnswer = B->Tag;
    FWindow->Close();
}

void TQelMsgDlg::ButtonKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_ESCAPE)
        FWindow->Close();
}

bool TQelMsgDlg::SetButtonKind(TQelButton& Button, TBitBtnKind Kind)
{
    if (Kind == bkCustom)
        return false;
    const TBitmap* Loaded = GetBitBtnGlyph(Kind);
    TBitmap Glyph;
    if (Loaded && !Loaded->Empty()) {
        Glyph.SetSize(Loaded->Width(), Loaded->Height());
        const TColor Ground = Loaded->Pixel(0, 0);
        const COLORREF Face = ColorToRGB(clBtnFace);
        const TColor FaceColor = GetRValue(Face) | (GetGValue(Face) << 8) | (GetBValue(Face) << 16);
        for (int Y = 0; Y < Loaded->Height(); ++Y)
            for (int X = 0; X < Loaded->Width(); ++X) {
                const TColor P = Loaded->Pixel(X, Y);
                Glyph.SetPixel(X, Y, P == Ground ? FaceColor : P);
            }
    }
    const HWND Parent = FWindow->HandleAllocated() ? FWindow->Handle() : nullptr;
    if (Parent)
        LockWindowUpdate(Parent);
    Button.SetKind(Kind);
    Button.SetGlyph(Glyph);
    if (Parent)
        LockWindowUpdate(nullptr);
    return true;
}

int ShowMsgDlg(const std::string& Msg, TMsgDlgType DlgType, const std::vector<std::string>& Buttons,
               int ButtonWidth, const std::string& Caption)
{
    TQelMsgDlg Dlg(nullptr);
    Dlg.DlgButton->Width = ButtonWidth;
    Dlg.DlgForm->Color = PaletteColor1;
    Dlg.DlgButton->Color = PaletteColor5;
    Dlg.DlgText->Font().SetColor(PaletteTextColor);
    return Dlg.Execute(Msg, Caption, DlgType, Buttons, {});
}
