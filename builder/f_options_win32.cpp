#include "f_options.h"

#include "project.h"
#include "color_scheme.h"
#include "data_bag.h"
#include "msg_dlg.h"

namespace F_Options {

TTabSheet::TTabSheet(TComponent* AOwner) : ::TTabSheet(AOwner) {}

void TTabSheet::Paint(TCanvas& Canvas)
{
    // The layer has already erased the page in its own colour.
    if (BackgroundColor == clBtnFace)
        return;
    Canvas.BrushStyle = bsSolid;
    Canvas.BrushColor = BackgroundColor;
    Canvas.FillRect(ClientRect());
}

} // namespace F_Options

namespace {

template <class T>
T* Place(TFOptions* Form, TWinControl* Parent, const std::string& Name, const std::string& Caption, int X, int Y,
         int W, int H)
{
    auto* C = new T(Form);
    C->Name = Name;
    C->SetCaption(Caption);
    C->SetBounds(X, Y, W, H);
    C->SetParent(Parent);
    return C;
}

F_Options::TTabSheet* AddSheet(TFOptions* Form, const std::string& Name, const std::string& Caption)
{
    auto* S = new F_Options::TTabSheet(Form);
    S->Name = Name;
    S->SetCaption(Caption);
    S->SetPageControl(Form->pc);
    return S;
}

} // namespace

TFOptions::TFOptions(TComponent* AOwner) : TForm(AOwner)
{
    Name = "FOptions";
    BorderStyle = bsSingle;
    Position = poScreenCenter;
    KeyPreview = true;
    SetCaption("Options");
    SetClientSize(466, 236);

    pc = Place<TPageControl>(this, this, "pc", "", 0, 0, 466, 201);
    pc->OwnerDraw = true;
    pc->OnDrawTab = [this](TPageControl* C, int I, const RECT& R, bool A) { pcDrawTab(C, I, R, A); };
    TabSheet1 = AddSheet(this, "TabSheet1", "General :");
    TabSheet2 = AddSheet(this, "TabSheet2", "External Archivers");
    TabSheet3 = AddSheet(this, "TabSheet3", "Cab Maker :");
    pc->HandleNeeded();
    const RECT Page = pc->DisplayRect();
    const int PW = Page.right - Page.left, PH = Page.bottom - Page.top;

    GroupBox1 = Place<TGroupBox>(this, TabSheet1, "GroupBox1", "", 4, 0, PW - 8, PH - 4);
    GroupBox3 = Place<TGroupBox>(this, GroupBox1, "GroupBox3", "", 8, 10, PW - 24, 92);
    cb1 = Place<TCheckBox>(this, GroupBox3, "cb1", "Preview after build", 12, 16, 300, 17);
    cb5 = Place<TCheckBox>(this, GroupBox3, "cb5", "View error logs after build", 12, 40, 300, 17);
    cb2 = Place<TCheckBox>(this, GroupBox3, "cb2", "Auto-select last destination platform", 12, 64, 300, 17);

    AddLabel(TabSheet2, "Archivers found :", 8, 8);
    eaList = Place<TComboBox>(this, TabSheet2, "eaList", "", 8, 24, 200, 21);
    eaList->SetStyle(csDropDownList);
    cb11 = Place<TCheckBox>(this, TabSheet2, "cb11", "Use Archivator ?", 8, 58, 200, 17);
    cb12 = Place<TCheckBox>(this, TabSheet2, "cb12", "Auto pack after Build ?", 8, 80, 200, 17);
    GroupBox2 = Place<TGroupBox>(this, TabSheet2, "GroupBox2", "Custom        ", 220, 4, PW - 228, PH - 12);
    CheckBox2 = Place<TCheckBox>(this, GroupBox2, "CheckBox2", "", 60, 0, 17, 17);
    CheckBox2->SetEnabled(false);
    AddLabel(GroupBox2, "Archiver path :", 10, 24);
    Edit1 = Place<TEdit>(this, GroupBox2, "Edit1", "", 10, 40, PW - 300, 21);
    Edit1->SetEnabled(false);
    Button1 = Place<TButton>(this, GroupBox2, "Button1", ". . .", PW - 284, 38, 45, 25);
    Button1->SetEnabled(false);
    AddLabel(GroupBox2, "Command Line :", 10, 72);
    Edit2 = Place<TEdit>(this, GroupBox2, "Edit2", "", 10, 88, PW - 250, 21);
    Edit2->SetEnabled(false);
    Panel2 = Place<TPanel>(this, TabSheet2, "Panel2", "Reserved for future versions", 0, 0, PW, PH);
    Panel2->Align = alClient;
    // Made last, so it lies over the page's other controls.
    SetWindowPos(Panel2->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TabSheet2->SetEnabled(false);

    GroupBox4 = Place<TGroupBox>(this, TabSheet3, "GroupBox4", "External applications", 4, 0, PW - 8, PH - 4);
    const auto FileLine = [this](const std::string& Caption, const std::string& EditName,
                                 const std::string& ButtonName, int Y, CFxEdit*& Edit, CFxButton*& Button) {
        AddLabel(GroupBox4, Caption, 12, Y + 4);
        Edit = Place<CFxEdit>(this, GroupBox4, EditName, "", 96, Y + 2, GroupBox4->Width() - 160, 21);
        Edit->SetStyle(ES_File);
        Button = Place<CFxButton>(this, GroupBox4, ButtonName, ". . .", GroupBox4->Width() - 57, Y, 45, 25);
    };
    FileLine("Cabwiz.exe", "eCabwizexe", "butSelCab", 24, eCabwizexe, butSelCab);
    FileLine("cabwiz.ddf", "ecabwizddf", "butSelWiz", 60, ecabwizddf, butSelWiz);
    FileLine("Makecab.exe", "eMakecab", "butSelMake", 96, eMakecab, butSelMake);
    butSelCab->OnClick = [this](TObject* S) { Button2Click(S); };
    butSelWiz->OnClick = [this](TObject* S) { Button3Click(S); };
    butSelMake->OnClick = [this](TObject* S) { Button4Click(S); };

    Panel1 = Place<TPanel>(this, this, "Panel1", "", 0, 205, 466, 31);
    Panel1->Align = alBottom;
    butOk = Place<CFxButton>(this, Panel1, "butOk", "Ok", 4, 3, 75, 25);
    butCancel = Place<CFxButton>(this, Panel1, "butCancel", "Cancel", 466 - 79, 3, 75, 25);
    butCancel->Anchors = akRight | akTop;
    butOk->OnClick = [this](TObject* S) { butOkClick(S); };
    butCancel->OnClick = [this](TObject* S) { butCancelClick(S); };
    OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) { FormKeyDown(S, Key, Shift); };
    pc->SetActivePageIndex(0);

    // FormCreate.
    ExtArchs = std::make_unique<CExternalArchs>();
    std::vector<std::string> Names;
    for (const auto& A : ExtArchs->Archivers())
        Names.push_back(A->Name());
    eaList->SetItems(Names);
    SetColor(PaletteColor2);
    for (TControl* C : {static_cast<TControl*>(Panel1), static_cast<TControl*>(Panel2),
                        static_cast<TControl*>(butCancel), static_cast<TControl*>(butSelCab),
                        static_cast<TControl*>(butSelWiz), static_cast<TControl*>(butSelMake)})
        C->SetColor(PaletteColor3);
    butOk->SetColor(PaletteColor4);
}

TFOptions::~TFOptions() = default;

TLabel* TFOptions::AddLabel(TWinControl* Parent, const std::string& Caption, int X, int Y)
{
    auto* L = new TLabel(this);
    L->Transparent = true;
    L->SetCaption(Caption);
    L->SetLeft(X);
    L->SetTop(Y);
    L->SetParent(Parent);
    return L;
}

void TFOptions::Execute(CCastamer& AProject)
{
    LoadOptions(AProject);
    ShowModal();
}

void TFOptions::LoadOptions(CCastamer& AProject)
{
    Project = &AProject;
    FOpened = LoadOptionsValues(AProject);
    cb1->SetChecked(FOpened.RunAfterBuild);
    cb5->SetChecked(FOpened.ViewErrorLog);
    cb2->SetChecked(FOpened.AutoSelectPlatform);
    eCabwizexe->SetText(FOpened.CabwizPath);
    ecabwizddf->SetText(FOpened.CabwizDdfPath);
    eMakecab->SetText(FOpened.MakecabPath);
}

TOptionsValues TFOptions::ShownValues() const
{
    TOptionsValues V;
    V.RunAfterBuild = cb1->Checked();
    V.ViewErrorLog = cb5->Checked();
    V.AutoSelectPlatform = cb2->Checked();
    V.CabwizPath = eCabwizexe->Text();
    V.CabwizDdfPath = ecabwizddf->Text();
    V.MakecabPath = eMakecab->Text();
    return V;
}

void TFOptions::butOkClick(TObject*)
{
    if (Project)
        StoreOptionsValues(*Project, FOpened, ShownValues(), LastPlatform);
    SetModalResult(mrOk);
}

void TFOptions::butCancelClick(TObject*) { SetModalResult(mrCancel); }

void TFOptions::FormKeyDown(TObject* Sender, WORD& Key, TShiftState)
{
    if (Key != VK_ESCAPE)
        return;
    Key = 0;
    butCancelClick(Sender);
}

void TFOptions::Button2Click(TObject*) { eCabwizexe->Browse(); }

void TFOptions::Button3Click(TObject*) { ecabwizddf->Browse(); }

void TFOptions::Button4Click(TObject*) { eMakecab->Browse(); }

void TFOptions::pcDrawTab(TPageControl* Control, int TabIndex, const RECT& Rect, bool)
{
    TTabSheet* Sheet = Control->Pages(TabIndex);
    if (!Sheet)
        return;
    TCanvas& C = Control->Canvas();
    C.BrushStyle = bsSolid;
    C.BrushColor = PaletteColor2;
    C.FillRect(Rect);
    const std::string& Text = Sheet->Caption();
    const SIZE S = C.TextExtent(Text);
    const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
    C.BrushStyle = bsClear;
    C.TextRect(Rect, Rect.left + (W / 2 - S.cx / 2), Rect.top + (H / 2 - S.cy / 2), Text);
}

void ShowOptionsDialog(CCastamer& Project, const std::string& Arg, std::int32_t LastPlatform)
{
    TFOptions Form(nullptr);
    Form.LastPlatform = LastPlatform;
    const TOptionsArg A = ParseOptionsArg(Arg);
    if (!A.Message.empty())
        ShowMsgDlg(A.Message, mtWarning, {"Ok"}, 50, AppTitle);
    if (A.Page >= 0)
        Form.pc->SetActivePageIndex(A.Page);
    Form.Execute(Project);
}
