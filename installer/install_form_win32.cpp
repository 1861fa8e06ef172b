#include "install_form.h"

#include "action_images.h"
#include "color_helpers.h"
#include "color_scheme.h"
#include "convert.h"
#include "dialog_select_dir.h"
#include "memory_stream.h"
#include "msg_dlg.h"
#include "package_picture.h"
#include "path_and_dir_helpers.h"
#include "install_system.h"
#include "shell_links.h"
#include "ui_application.h"
#include "ui_screen.h"

#include <shellapi.h>

#include <exception>

namespace {

// Posted at the first showing: a window that did not load closes itself also where
// no window manager activates it.
const UINT WM_CLOSE_UNLOADED = WM_APP + 0x201;

std::string FailureText(std::exception_ptr Failure)
{
    try {
        std::rethrow_exception(Failure);
    } catch (const std::exception& E) {
        return E.what();
    } catch (...) {
        return "a failure that carries no text";
    }
}

TMsgDlgType DialogType(TInstallerMessage Type)
{
    switch (Type) {
    case imWarning:
        return mtWarning;
    case imInformation:
        return mtInformation;
    default:
        return mtError;
    }
}

} // namespace

TForm1::TForm1(const std::string& ARuntimeDir, std::function<void()> AOnEnd)
    : TForm(nullptr), OnEnd(std::move(AOnEnd)), FRuntimeDir(ARuntimeDir)
{
    if (!OnEnd)
        OnEnd = [] { Application().Terminate(); };
    OpenAddress = [this](const std::string& Address) {
        ShellExecuteA(Handle(), "Open", Address.c_str(), "", "", SW_MINIMIZE);
    };
    Name = "Form1";
    SetBounds(0, 0, 561, 430);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);

    eList = new CFxList(this);
    eList->Name = "eList";
    eList->SetParent(this);
    eList->SetBounds(0, 0, 164, 430);
    eList->Anchors = akLeft | akTop | akBottom;
    eList->SetColor(clBlack);
    eList->Font().SetName("MS Sans Serif");
    eList->Font().SetColor(clWhite);
    eList->Model().SetBHeight(2);
    eList->Model().SetGHeight(40);
    eList->Model().SetAHeight(25);
    eList->LImageList = &gIList;
    eList->SImageList = &aiList;
    eList->Model().SetActionCC(1.5);
    eList->Model().SetGroupCC(1.7);
    eList->Model().SetColorC(1.6);
    eList->SetImageIndex(-1);
    AddActionImages(aiList);

    lDesc = new TLabel(this);
    lDesc->Name = "lDesc";
    lDesc->SetParent(this);
    lDesc->Transparent = true;
    lDesc->SetAutoSize(false);
    lDesc->SetWordWrap(true);
    lDesc->SetBounds(180, 10, 370, 400);

    lic = new TPanel(this);
    lic->Name = "lic";
    lic->SetParent(this);
    lic->SetVisible(false);
    lic->SetBounds(165, 0, 396, 430);
    Panel2 = new TPanel(lic);
    Panel2->Name = "Panel2";
    Panel2->SetParent(lic);
    Panel2->SetBounds(20, 360, 356, 61);
    Panel2->Anchors = akLeft | akRight | akBottom;
    butNext = new CFxButton(Panel2);
    butNext->Name = "butNext";
    butNext->SetParent(Panel2);
    butNext->SetBounds(195, 30, 75, 25);
    butNext->SetCaption("Next");
    butNext->Anchors = akRight | akBottom;
    butClose = new CFxButton(Panel2);
    butClose->Name = "butClose";
    butClose->SetParent(Panel2);
    butClose->SetBounds(275, 30, 75, 25);
    butClose->SetCaption("Close");
    butClose->Anchors = akRight | akBottom;
    CreateLicencePanel();

    OnActivate = [this](TObject*) { FormActivate(); };
    OnShow = [this](TObject*) { PostMessageA(Handle(), WM_CLOSE_UNLOADED, 0, 0); };
    OnClose = [this](TObject*) {
        if (OnEnd)
            OnEnd();
    };
    FormCreate();
}

TForm1::~TForm1()
{
    // The plug-in libraries stay loaded until the process ends.
    FPlugins.reset();
    FProgress.reset();
}

int TForm1::ContentEdge() const { return eList->Width() + (eList->UseScrollBar() ? 16 : 0); }

void TForm1::FormCreate()
{
    try {
        FProgress = std::make_unique<CDialogProgress>(nullptr);
        FProgress->SetColor(PaletteColor2);
        FProgress->Start("Loading...");
        FBackground.reset();
        FShot.reset();
        eList->SetHashKey("RootGID");
        FLoaded = false;
        FPluginDir = JoinPath(FRuntimeDir, "plugins");
        FPackageFile = JoinPath(FRuntimeDir, "view.inst");
        if (!LocalFileSystem().FileExists(FPackageFile)) {
            ShowMsgDlg("File not found\n\r" + FPackageFile, mtError, {"Ok"}, 50, "Brindlo");
            return;
        }
        FProgress->SetPosition(20);
        FBag = std::make_unique<CDataBag>();
        FBag->LoadFromFile(FPackageFile);
        FProgress->SetPosition(70);
        FBag->GetHash(FSettings, bag_Settings);
        FProgress->SetPosition(80);
        FProgress->SetPosition(90);
        LoadApps();
        FProgress->SetPosition(100);
        ApplySettings();
        FBag.reset();
        FLoaded = true;
        FPlugins = std::make_unique<CPlugLoader>();
        FAppList->Plugins = FPlugins.get();
        FPlugins->LoadAll(FPluginDir);
        FProgress->Finish();
    } catch (...) {
        FLoaded = false;
        FStartFailure = FailureText(std::current_exception());
        OutputDebugStringA(("Install cannot start: " + FStartFailure + "\n").c_str());
        if (FProgress)
            FProgress->Finish();
        ShowMsgDlg(" Critical error cannot start", mtError, {"Ok"}, 50, "Error");
        if (OnEnd)
            OnEnd();
    }
}

void TForm1::LoadApps()
{
    FAppList = ::LoadApps(*FBag, FSettings, eList->Model(), *this,
                          [this](std::int32_t Percent) { FProgress->SetPosition(Percent); });
    FAppList->DataDir = JoinPath(FRuntimeDir, "Data");
    FAppList->Folders = GetSpecialFolder;
    FAppList->Shell = InstallerShortcutShell();
    FAppList->WriteRegistry = WriteRegistryString;
    FAppList->RegistryUndo = InstallerRegistryUndo();
    FAppList->Outside = &SystemOutsidePrograms();
}

void TForm1::ApplySettings()
{
    FAppList->ShowExitRows = FSettings.Lookup("eList_CloseA") == "true";
    FAppList->ShowHomeRows = FSettings.Lookup("eList_HomeA") == "true";
    SetupWindow();
    FAppList->BuildList();
    FinishList();
}

void TForm1::SetupWindow()
{
    const bool HasBackground = FBag->IndexOfKey(bag_Background) != -1;
    const TWindowSetup W = ReadWindowSetup(FSettings, Screen().Width(), Screen().Height(), HasBackground);
    if (W.MaxHeight.Set)
        MaxHeight = W.MaxHeight.Value;
    if (W.MinHeight.Set)
        MinHeight = W.MinHeight.Value;
    if (W.MaxWidth.Set)
        MaxWidth = W.MaxWidth.Value;
    if (W.MinWidth.Set)
        MinWidth = W.MinWidth.Value;
    BorderStyle = W.Border == wbSizeable ? bsSizeable : W.Border == wbSingle ? bsSingle : bsNoBorder;
    const int ClientW = W.Bounds.Right - W.Bounds.Left, ClientH = W.Bounds.Bottom - W.Bounds.Top;
    SetBounds(W.Bounds.Left, W.Bounds.Top, Width(), Height());
    SetClientSize(ClientW, ClientH);
    StartMaximized = W.Maximized;
    SetCaption(W.Caption);
    SetColor(W.Color);
    if (HasBackground) {
        TMemoryStream Scratch;
        FBag->GetStreamAt(Scratch, FBag->IndexOfKey(bag_Background), true);
        FBackground = DecodePackageBitmap(ReadPackageBitmap(Scratch, false));
        FBgLeft = W.BgLeft;
        FBgTop = W.BgTop;
    }
    eList->SetCaption(W.RootCaption);
    eList->Model().SetColorC(W.ColorC);
    eList->Model().SetGroupCC(W.GroupCC);
    eList->Model().SetActionCC(W.ActionCC);
    eList->Font().SetColor(static_cast<TColor>(W.FontColor));
    eList->SetColor(W.Color);
    eList->SetWidth(W.ListWidth);
    eList->Model().SetGHeight(W.GHeight);
    eList->Model().SetAHeight(W.AHeight);
    gIList.SetSize(W.IconWidth, W.IconHeight);
    FAppList->IconWidth = W.IconWidth;
    FAppList->IconHeight = W.IconHeight;
    if (W.ScrollBar)
        eList->SetUseScrollBar(true);
    eList->SetHeight(ClientH);

    const int E = ContentEdge();
    lDesc->Anchors = akLeft | akTop | akRight | akBottom;
    lDesc->SetCaption("");
    lDesc->SetBounds(E + 10, lDesc->Top(), Width() - (E + 10), lDesc->Height());

    lic->SetBounds(E + 1, 0, ClientW - (E + 1), ClientH);
    lic->SetColor(W.Color);
    Panel2->SetColor(W.Color);
    Panel2->SetBounds(Panel2->Left(), ClientH - Panel2->Height(), lic->Width() - 2 * Panel2->Left(), Panel2->Height());
    lic->Font().SetColor(eList->Font().Color());
    mLec->SetColor(ScaleColor(W.Color, W.ActionCC));
    butNext->SetColor(ScaleColor(W.Color, W.GroupCC));
    butNext->Font().SetColor(eList->Font().Color());
    butClose->SetColor(butNext->Color());
    butClose->Font().SetColor(eList->Font().Color());
}

void TForm1::FinishList()
{
    CFxListItem* Root = eList->Items();
    if (Root->Count() == 1) {
        CFxListItem* Child = Root->Child(0);
        Child->Click();
        Root->Enabled = false;
        if (Child->Count() == 1) {
            Child->Child(0)->Click();
            Child->Enabled = false;
        }
    }
    if (FAppList->ShowExitRows) {
        CAppList* Apps = FAppList.get();
        const auto Exit = [Apps](CFxListItem* Row) { Apps->ExitClick(Row); };
        Root->AddAction("Exit", 7, Exit);
        for (std::int32_t I = 0; I < Root->Count(); ++I) {
            CFxListItem* Group = Root->Child(I);
            if (Group->Kind != ikGroup || Group->Key.empty())
                continue;
            if (FAppList->ShowHomeRows)
                Group->AddAction("Home", 4, [Apps](CFxListItem* Row) { Apps->GroupHomeClick(Row); });
            Group->AddAction("Exit", 7, Exit);
        }
    }
}

void TForm1::FormActivate()
{
    if (!FLoaded)
        CloseUnloaded();
}

void TForm1::CloseUnloaded()
{
    // Once, however often the window is activated.
    if (FClosing || FLoaded)
        return;
    FClosing = true;
    Close();
}

LRESULT TForm1::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_CLOSE_UNLOADED) {
        CloseUnloaded();
        return 0;
    }
    return TForm::WndProc(Msg, WParam, LParam);
}

void TForm1::Paint(TCanvas& Canvas)
{
    const int E = ContentEdge();
    if (FBackground)
        BitBlt(Canvas.Handle(), E + FBgLeft, FBgTop, FBackground->Width(), FBackground->Height(), FBackground->DC(), 0,
               0, SRCCOPY);
    if (const auto* Shot = dynamic_cast<const TPackagePicture*>(FShot.get()))
        BitBlt(Canvas.Handle(), FShotLeft + (eList->UseScrollBar() ? 16 : 0), FShotTop, Shot->Bitmap->Width(),
               Shot->Bitmap->Height(), Shot->Bitmap->DC(), 0, 0, SRCCOPY);
}

std::int32_t TForm1::AddListIcon(const TPackageBitmap& Bitmap)
{
    const std::unique_ptr<TBitmap> Decoded = DecodePackageBitmap(Bitmap);
    return gIList.Add(*Decoded);
}

std::shared_ptr<TObject> TForm1::MakePicture(const TPackageBitmap& Bitmap)
{
    return std::make_shared<TPackagePicture>(DecodePackageBitmap(Bitmap));
}

void TForm1::ClearDescription() { lDesc->SetCaption(""); }

void TForm1::PlaceDescription(const std::string& Text, std::int32_t FontColor, std::int32_t Left, std::int32_t Top,
                              std::int32_t AHeight)
{
    lDesc->SetCaption(Text);
    lDesc->Font().SetColor(static_cast<TColor>(FontColor));
    lDesc->SetBounds(Left, Top, lDesc->Width(), AHeight);
}

void TForm1::SetSelection(const std::string& DescText, std::shared_ptr<TObject> Shot, std::int32_t ShotLeft,
                          std::int32_t ShotTop)
{
    FDescText = DescText;
    FShot = std::move(Shot);
    FShotLeft = ShotLeft;
    FShotTop = ShotTop;
}

void TForm1::HideLicence() { lic->SetVisible(false); }

void TForm1::OpenWebAddress(const std::string& Address)
{
    if (OpenAddress)
        OpenAddress(Address);
}

void TForm1::SetProgress(std::int32_t Percent)
{
    if (FProgress)
        FProgress->SetPosition(Percent);
}

void TForm1::ShowMessage(const std::string& Text, TInstallerMessage Type)
{
    ShowMsgDlg(Text, DialogType(Type), {"Ok"}, 50, "Brindlo");
}

bool TForm1::SelectDirectory(std::string& Dir, const std::string& Caption, bool AllowNew)
{
    return DialogSelectDir(Dir, Caption, AllowNew, std::string(), &DefaultColorScheme());
}
