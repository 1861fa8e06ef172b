#include "uninstall_form.h"

#include "convert.h"
#include "string_helpers.h"
#include "ui_application.h"

namespace castremove {

namespace {

const UINT WM_REPLAY = WM_APP + 0x201;

} // namespace

TForm1::TForm1(TComponent* AOwner, const std::string& CommandLine, TUninstallSystem* System)
    : TForm(AOwner), FWindows(nullptr, "Uninstall"), FSystem(System ? System : &FWindows)
{
    Name = "Form1";
    BorderStyle = bsNoBorder;
    Position = poScreenCenter;
    SetCaption("Uninstall");
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    SetClientSize(290, 49);

    Edit1 = new TEdit(this);
    Edit1->Name = "Edit1";
    Edit1->SetParent(this);
    Edit1->SetBounds(5, 5, 281, 21);
    Edit1->SetReadOnly(true);
    Edit1->TabStop = false;
    PB = new TProgressBar(this);
    PB->Name = "PB";
    PB->SetParent(this);
    PB->SetBounds(5, 30, 281, 16);
    PB->SetRange(0, 100);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    FormCreate(CommandLine);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate(const std::string& CommandLine)
{
    const std::string Path = LogPathFromCommandLine(CommandLine);
    // Without "#uninstall" there is no log; a path that opens nothing gives a closed one.
    if (LowerAscii(CommandLine).find("#uninstall") != std::string::npos)
        Log = std::make_unique<TUInstLog>(2, Path);
}

void TForm1::FormShow(TObject*)
{
    // Not from the activation: activation comes back each time a message box closes.
    PostMessageA(Handle(), WM_REPLAY, 0, 0);
}

void TForm1::Replay()
{
    if (FStarted)
        return;
    FStarted = true;
    FWindows.SetOwner(Handle());
    try {
        if (Log && Log->Opened()) {
            const TUninstallResult R =
                Log->Uninstall([this](const std::string& Item, double Fraction) { ShowProgress(Item, Fraction); }, *FSystem);
            if (!R.Stayed.empty())
                FExitCode = 1;
        }
    } catch (...) {
        // Nobody can tell what the replay removed; the window must not outlive it.
        FExitCode = 1;
        Application().HandleException();
    }
    Close();
}

void TForm1::ShowProgress(const std::string& Item, double Fraction)
{
    Edit1->SetCaption(Item);
    // A long path shows its end, where the name is.
    const LPARAM End = static_cast<LPARAM>(Item.size());
    SendMessageA(Edit1->Handle(), EM_SETSEL, static_cast<WPARAM>(End), End);
    SendMessageA(Edit1->Handle(), EM_SCROLLCARET, 0, 0);
    Edit1->Repaint();
    PB->SetPosition(static_cast<int>(RoundHalfEven(Fraction * 100)));
    PB->Repaint();
}

LRESULT TForm1::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_REPLAY) {
        GuardCall([this] { Replay(); });
        return 0;
    }
    return TForm::WndProc(Msg, WParam, LParam);
}

} // namespace castremove
