#include "dialog_select_dir.h"

#include "file_system.h"
#include "remembered_paths.h"
#include "path_and_dir_helpers.h"
#include "ui_common_dialogs.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <memory>

namespace {

CFxButton* MakeButton(TDialogSelDir* Form, TWinControl* Parent, const std::string& Caption, int Width)
{
    auto* B = new CFxButton(Form);
    B->SetParent(Parent);
    B->SetCaption(Caption);
    B->SetBounds(0, 2, Width, 25);
    B->SetColor(clSilver);
    B->SetColCor(-0.3);
    B->Anchors = akTop | akRight;
    return B;
}

} // namespace

TDialogSelDir::TDialogSelDir(TComponent* AOwner) : TForm(AOwner)
{
    BorderStyle = bsSizeable;
    Position = poScreenCenter;
    MinWidth = 400;
    MinHeight = 100;
    SetBounds(0, 0, 463, 393);
    const int CW = ClientWidth(), CH = ClientHeight();

    DL = new TListBox(this);
    DL->SetParent(this);
    DL->SetBounds(0, 26, CW, CH - 56);
    DL->Anchors = akLeft | akTop | akRight | akBottom;
    DL->OnClick = [this](TObject* S) { DLClick(S); };

    upPanel = new TPanel(this);
    upPanel->Align = alTop;
    upPanel->SetBounds(0, 0, CW, 26);
    upPanel->SetParent(this);

    Label1 = new TLabel(this);
    Label1->SetAutoSize(false);
    Label1->Transparent = true;
    Label1->SetParent(upPanel);
    Label1->SetBounds(8, 6, CW - 16, 16);
    Label1->Anchors = akLeft | akTop | akRight;

    downPanel = new TPanel(this);
    downPanel->Align = alBottom;
    downPanel->SetBounds(0, CH - 30, CW, 30);
    downPanel->SetParent(this);

    DriveComboBox1 = new TComboBox(this);
    DriveComboBox1->SetParent(downPanel);
    DriveComboBox1->SetBounds(6, 4, 145, 21);
    DriveComboBox1->OnChange = [this](TObject* S) { DriveChange(S); };

    butSel = MakeButton(this, downPanel, "Select", 75);
    butNew = MakeButton(this, downPanel, "New", 41);
    butCancel = MakeButton(this, downPanel, "Close", 57);
    butCancel->SetLeft(CW - 6 - 57);
    butSel->SetLeft(butCancel->Left() - 4 - 75);
    butNew->SetLeft(butSel->Left() - 4 - 41);
    butSel->OnClick = [this](TObject* S) { Button2Click(S); };
    butNew->OnClick = [this](TObject* S) { Button3Click(S); };
    butCancel->OnClick = [this](TObject* S) { Button1Click(S); };

    char Drives[512] = {};
    const DWORD N = GetLogicalDriveStringsA(sizeof Drives, Drives);
    if (N > 0 && N < sizeof Drives)
        for (const char* P = Drives; *P; P += std::strlen(P) + 1)
            FDrives.emplace_back(P);
    DriveComboBox1->SetItems(FDrives);
}

void TDialogSelDir::SetDirectory(const std::string& Dir)
{
    FDirectory = Dir;
    FItems = DirListItems(Dir, LocalFileSystem());
    std::vector<std::string> Lines;
    int CurrentIndex = -1;
    for (std::size_t I = 0; I < FItems.size(); ++I) {
        Lines.push_back(std::string(static_cast<std::size_t>(FItems[I].Level) * 3, ' ') + FItems[I].Caption);
        if (FItems[I].Current)
            CurrentIndex = static_cast<int>(I);
    }
    DL->SetItems(Lines);
    DL->SetItemIndex(CurrentIndex);
    Label1->SetCaption(FDirectory);
    for (std::size_t I = 0; I < FDrives.size(); ++I)
        if (!FDirectory.empty() && FDrives[I].size() >= 2 && FDirectory.size() >= 2 &&
            std::toupper(static_cast<unsigned char>(FDrives[I][0])) ==
                std::toupper(static_cast<unsigned char>(FDirectory[0])))
            DriveComboBox1->SetItemIndex(static_cast<int>(I));
}

void TDialogSelDir::ApplyScheme(const ColorScheme& Scheme)
{
    TControl::SetColor(Scheme[0]);
    Font().SetColor(Scheme[10]);
    DL->SetColor(Scheme[0]);
    DL->Font().SetColor(Scheme[10]);
    upPanel->SetColor(Scheme[1]);
    downPanel->SetColor(Scheme[1]);
    Label1->Font().SetColor(Scheme[11]);
    butSel->SetColor(Scheme[3]);
    butSel->Font().SetColor(Scheme[13]);
    butNew->SetColor(Scheme[3]);
    butNew->Font().SetColor(Scheme[13]);
    butCancel->SetColor(Scheme[4]);
    butCancel->Font().SetColor(Scheme[14]);
}

void TDialogSelDir::DLClick(TObject*)
{
    const int I = DL->ItemIndex();
    if (I >= 0 && I < static_cast<int>(FItems.size()))
        SetDirectory(FItems[static_cast<std::size_t>(I)].Path);
}

void TDialogSelDir::DriveChange(TObject*)
{
    const int I = DriveComboBox1->ItemIndex();
    if (I < 0 || I >= static_cast<int>(FDrives.size()))
        return;
    // The drive's own current directory, as the system keeps it.
    char Buffer[MAX_PATH * 2] = {};
    const std::string Drive = FDrives[static_cast<std::size_t>(I)].substr(0, 2);
    const DWORD N = GetFullPathNameA(Drive.c_str(), sizeof Buffer, Buffer, nullptr);
    const std::string Dir = N > 0 && N < sizeof Buffer ? std::string(Buffer, N) : FDrives[static_cast<std::size_t>(I)];
    if (LocalFileSystem().DirectoryExists(Dir))
        SetDirectory(Dir);
}

void TDialogSelDir::Button2Click(TObject*)
{
    Selected = true;
    Close();
}

void TDialogSelDir::Button1Click(TObject*)
{
    Selected = false;
    Close();
}

void TDialogSelDir::Button3Click(TObject*)
{
    std::string Name;
    if (!Choosers().InputQuery("Enter New Directory Name", "", Name) || Name.empty())
        return;
    const std::string Path = JoinPath(FDirectory, Name);
    if (CreateDirectoryA(Path.c_str(), nullptr))
        SetDirectory(Path);
}

bool DialogSelectDir(std::string& Dir, const std::string& Caption, bool AllowNew, const std::string& Key,
                     const ColorScheme* Scheme)
{
    auto Form = std::make_unique<TDialogSelDir>(nullptr);
    Form->SetCaption(Caption);
    if (Scheme)
        Form->ApplyScheme(*Scheme);
    Form->Selected = false;
    Form->SavedDir = Dir;
    std::string Start = Dir;
    if (!Key.empty())
        Start = StartDirectoryOf(RememberedPath(Key), LocalFileSystem());
    if (Start.empty() || !LocalFileSystem().DirectoryExists(Start))
        Start = CurrentDirectory();
    if (LocalFileSystem().DirectoryExists(Start)) {
        Form->SetDirectory(Start);
        Form->butNew->SetEnabled(AllowNew);
        Form->ShowModal();
    }
    if (Form->Selected) {
        Dir = Form->Directory();
        RememberPath(Key, Dir);
    } else {
        Dir = Form->SavedDir;
    }
    return Form->Selected;
}
