// The main window's licence panel and the progress window of the install command.
#include "install_form.h"


void TForm1::CreateLicencePanel()
{
    GroupBox1 = new TGroupBox(lic);
    GroupBox1->Name = "GroupBox1";
    GroupBox1->SetParent(lic);
    GroupBox1->SetCaption("License Agreement:");
    GroupBox1->SetBounds(20, 10, 356, 345);
    GroupBox1->Anchors = akLeft | akTop | akRight | akBottom;
    mLec = new TMemo(GroupBox1);
    mLec->Name = "mLec";
    mLec->SetParent(GroupBox1);
    mLec->SetReadOnly(true);
    rbNext = new TRadioButton(Panel2);
    rbNext->Name = "rbNext";
    rbNext->SetParent(Panel2);
    rbNext->SetBounds(10, 10, 78, 17);
    rbNext->SetCaption("I Agree");
    RadioButton2 = new TRadioButton(Panel2);
    RadioButton2->Name = "RadioButton2";
    RadioButton2->SetParent(Panel2);
    RadioButton2->SetBounds(10, 35, 78, 17);
    RadioButton2->SetCaption("I Don't Agree");
    RadioButton2->SetChecked(true);
    rbNext->OnClick = [this](TObject* Sender) { rbNextClick(Sender); };
    RadioButton2->OnClick = [this](TObject* Sender) { RadioButton2Click(Sender); };
    butNext->OnClick = [this](TObject* Sender) { butNextClick(Sender); };
    butClose->OnClick = [this](TObject* Sender) { butCloseClick(Sender); };
    eList->Model().OnGroupClick = [this](TObject* Sender) { eListGroupClick(Sender); };
}

void TForm1::ShowLicence(const std::string& Text)
{
    // The panel took its size and colours from the package's window: its parts follow.
    GroupBox1->SetBounds(20, 10, lic->Width() - 40, Panel2->Top() - 15);
    GroupBox1->SetColor(lic->Color());
    GroupBox1->Font().SetColor(lic->Font().Color());
    // Inside the frame, below the caption.
    mLec->SetBounds(8, 18, GroupBox1->Width() - 16, GroupBox1->Height() - 26);
    butClose->SetBounds(Panel2->Width() - 81, 30, 75, 25);
    butNext->SetBounds(Panel2->Width() - 161, 30, 75, 25);
    for (TRadioButton* R : {rbNext, RadioButton2}) {
        R->SetColor(Panel2->Color());
        R->Font().SetColor(lic->Font().Color());
    }
    mLec->SetText(Text);
    lic->SetVisible(true);
    butNext->SetEnabled(false);
    butClose->SetEnabled(true);
    RadioButton2->SetChecked(true);
}

void TForm1::rbNextClick(TObject*) { butNext->SetEnabled(rbNext->Checked()); }

void TForm1::RadioButton2Click(TObject*) { butNext->SetEnabled(rbNext->Checked()); }

void TForm1::butNextClick(TObject*)
{
    if (FAppList)
        FAppList->LicenceAccepted = true;
    lic->SetVisible(false);
    // The install row that showed the panel runs its command again, now accepted.
    if (CFxListItem* Row = eList->Model().LastCItem())
        Row->Click();
}

void TForm1::butCloseClick(TObject*) { lic->SetVisible(false); }

void TForm1::eListGroupClick(TObject*) { lic->SetVisible(false); }

void TForm1::StartProgress(const std::string& Text)
{
    if (FProgress)
        FProgress->Start(Text);
}

void TForm1::FinishProgress()
{
    if (FProgress)
        FProgress->Finish();
}
