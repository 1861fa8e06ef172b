#pragma once

#include "qel_button.h"
#include "ui_font.h"
#include "ui_form.h"
#include "ui_image.h"
#include "ui_label.h"

#include <memory>
#include <string>
#include <vector>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TDlgPosition { dpNone, dpScreenCenter };

// Shared by every message dialog; the modal showing keeps them to one at a time.
extern std::string ProgramTitle;
extern int DlgFormWidth;
extern int DlgMarginX;
extern int DlgMarginY;
extern int DlgButtonRowWidth;

class TDlgForm {
public:
    TColor Color = 0;
    TDlgPosition Position = dpNone;
    int Left = 0;
    int Top = 0;
};

class TDlgText {
public:
    explicit TDlgText(TLabel& TextLabel);
    TFont& Font() { return FFont; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool Shadow = false;
    TColor ShadowColor = clBlack;
    int ShadowHeight = 1;
    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);

private:
    TLabel& FLabel;
    TFont FFont;
    TAlignment FAlignment = taLeftJustify;
    std::string FText;
};

class TDlgImage {
public:
    explicit TDlgImage(TImage& Image) : FImage(Image) {}
    TIcon& Picture() { return FPicture; }
    void SetPicture(const TIcon& Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

private:
    TImage& FImage;
    TIcon FPicture;
    bool FVisible = false;
};

class TDlgButton {
public:
    TColor Color = clBtnFace;
    TFont& Font() { return FFont; }
    int Width = 75;
    int Height = 25;
    std::string DefCaption = "OK";
    std::string DefTitle;
    TBitBtnKind DefKind = bkOK;

private:
    TFont FFont;
};

// The colour message dialog: text, an icon by the message type and a centred row of
// buttons, shown modally on top; Execute answers the pressed button's index or -1.
class TQelMsgDlg : public TComponent {
public:
    explicit TQelMsgDlg(TComponent* AOwner);
    ~TQelMsgDlg() override;

    std::unique_ptr<TDlgButton> DlgButton;
    std::unique_ptr<TDlgForm> DlgForm;
    std::unique_ptr<TDlgText> DlgText;
    std::unique_ptr<TDlgImage> DlgImage;
    std::vector<std::string> MsgList;

    TMsgDlgType DlgType() const { return FDlgType; }
    void SetDlgType(TMsgDlgType Value);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);

    int Execute(const std::string& Msg, const std::string& ACaption, TMsgDlgType ADlgType,
                const std::vector<std::string>& Buttons, const std::vector<TBitBtnKind>& Kinds);

    // The parts, for the hook of a test.
    TForm& Window() { return *FWindow; }
    TLabel& TextLabel() { return *FTextLabel; }
    TLabel& ShadowLabel() { return *FShadowLabel; }
    TImage& IconImage() { return *FImage; }
    const std::vector<TQelButton*>& ButtonList() const { return FButtons; }
    int ContentHeight() const { return FContentHeight; }

private:
    void Layout();
    void CreateButtons(const std::vector<std::string>& Buttons, const std::vector<TBitBtnKind>& Kinds);
    void FreeButtons();
    void ButtonClick(TObject* Sender);
    void ButtonKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    bool SetButtonKind(TQelButton& Button, TBitBtnKind Kind);

    std::unique_ptr<TForm> FWindow;
    TLabel* FShadowLabel = nullptr;
    TLabel* FTextLabel = nullptr;
    TImage* FImage = nullptr;
    std::vector<TQelButton*> FButtons;
    TMsgDlgType FDlgType = mtCustom;
    std::string FCaption;
    int FAnswer = -1;
    int FContentHeight = 0;
};

// The programs' message box: the palette's colours, Caption as the title, one button
// of ButtonWidth per entry. Answers the pressed button's index, or -1 for Escape and
// the close box.
int ShowMsgDlg(const std::string& Msg, TMsgDlgType DlgType, const std::vector<std::string>& Buttons,
               int ButtonWidth, const std::string& Caption);
