// A small program of ours for the driver's own tests: a form with labels, an edit,
// buttons and a custom-painted control. Whatever happens to it, the "Status" label
// says, so a test that drives it from outside can read the effect back.
//
//     driven_form.exe [--exit-code N] [argument...]
//
// Arguments, the working directory and BRINDLO_DRIVEN from the environment are
// shown in labels; the program ends with exit code N (0 by default) when its window
// is closed or "Quit" is pressed.
#include "msg_dlg.h"
#include "ui_application.h"
#include "ui_button.h"
#include "ui_common_dialogs.h"
#include "ui_form.h"
#include "ui_label.h"
#include "ui_text_report.h"

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

int ExitCode = 0;

class TDrivenEdit : public TWinControl {
public:
    explicit TDrivenEdit(TComponent* AOwner) : TWinControl(AOwner)
    {
        TabStop = true;
        FWidth = 200;
        FHeight = 23;
    }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        Params.ClassName = "EDIT";
        Params.Style |= WS_BORDER | ES_AUTOHSCROLL;
    }
};

// Two halves that count their clicks; a half turns from red to green once clicked.
// Each half is an item of the text report of its own.
class TTile : public TCustomControl {
public:
    explicit TTile(TComponent* AOwner) : TCustomControl(AOwner) {}
    std::function<void(int Half)> OnHalfClick;

    void DescribeTexts(TTextReport& Report) override
    {
        TCustomControl::DescribeTexts(Report);
        for (int Half = 0; Half < 2; ++Half) {
            TTextItem I;
            I.Kind = "TTileHalf";
            I.Name = Half == 0 ? "Left" : "Right";
            const RECT R = HalfRect(Half);
            I.Left = R.left;
            I.Top = R.top;
            I.Width = R.right - R.left;
            I.Height = R.bottom - R.top;
            I.Text = HalfText(Half);
            Report.AddItem(*this, I);
        }
    }

protected:
    void Paint(TCanvas& Canvas) override
    {
        for (int Half = 0; Half < 2; ++Half) {
            RECT R = HalfRect(Half);
            Canvas.BrushStyle = bsSolid;
            Canvas.BrushColor = FClicks[Half] ? clGreen : clRed;
            Canvas.FillRect(R);
            Canvas.Font.SetColor(clWhite);
            Canvas.DrawTextIn(HalfText(Half), R, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }

    void MouseDown(TMouseButton Button, TShiftState, int X, int) override
    {
        if (Button != mbLeft)
            return;
        const int Half = X < Width() / 2 ? 0 : 1;
        ++FClicks[Half];
        Invalidate();
        if (OnHalfClick)
            OnHalfClick(Half);
    }

private:
    RECT HalfRect(int Half) const
    {
        const int Middle = Width() / 2;
        return Half == 0 ? RECT{0, 0, Middle, Height()} : RECT{Middle, 0, Width(), Height()};
    }
    std::string HalfText(int Half) const { return (Half == 0 ? "Left " : "Right ") + std::to_string(FClicks[Half]); }

    int FClicks[2] = {0, 0};
};

template <class T>
T* Place(TForm& Form, const char* Name, int Left, int Top)
{
    auto* C = new T(&Form);
    C->Name = Name;
    C->SetLeft(Left);
    C->SetTop(Top);
    C->SetParent(&Form);
    return C;
}

std::string CurrentDir()
{
    char Buffer[MAX_PATH * 2] = {};
    const DWORD N = GetCurrentDirectoryA(sizeof Buffer, Buffer);
    return std::string(Buffer, N < sizeof Buffer ? N : 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::vector<std::string> Args;
    for (int I = 1; I < __argc; ++I) {
        const std::string A = __argv[I];
        if (A == "--exit-code" && I + 1 < __argc)
            ExitCode = std::atoi(__argv[++I]);
        else
            Args.push_back(A);
    }

    TForm Form(nullptr);
    Form.Name = "DrivenForm";
    Form.SetCaption("Driven form");
    Form.SetBounds(60, 60, 100, 100);
    Form.SetClientSize(420, 260);
    Form.KeyPreview = true;

    auto* Status = Place<TLabel>(Form, "Status", 10, 10);
    Status->SetCaption("Ready");
    std::string Joined;
    for (const std::string& A : Args)
        Joined += (Joined.empty() ? "" : "|") + A;
    Place<TLabel>(Form, "Args", 10, 30)->SetCaption("Args: " + Joined);
    Place<TLabel>(Form, "Dir", 10, 48)->SetCaption("Dir: " + CurrentDir());
    const char* Env = std::getenv("BRINDLO_DRIVEN");
    Place<TLabel>(Form, "Env", 10, 66)->SetCaption(std::string("Env: ") + (Env ? Env : "(none)"));

    auto* Edit = Place<TDrivenEdit>(Form, "NameEdit", 10, 90);
    auto* Greet = Place<TButton>(Form, "GreetButton", 220, 89);
    Greet->SetCaption("Greet");
    Greet->OnClick = [&](TObject*) {
        char Text[256] = {};
        GetWindowTextA(Edit->Handle(), Text, sizeof Text);
        Status->SetCaption(std::string("Hello, ") + Text);
    };

    auto* Tile = Place<TTile>(Form, "Tile", 10, 125);
    Tile->SetCaption("Tile");
    Tile->SetWidth(200);
    Tile->SetHeight(60);
    Tile->OnHalfClick = [&](int Half) { Status->SetCaption(Half == 0 ? "Left clicked" : "Right clicked"); };

    auto* Ask = Place<TButton>(Form, "AskButton", 220, 125);
    Ask->SetCaption("Ask");
    Ask->OnClick = [&](TObject*) {
        const int Answer = ShowMsgDlg("Shall we go on?", mtConfirmation, {"Yes", "No"}, 75, "Question");
        Status->SetCaption("Answer " + std::to_string(Answer));
    };
    auto* Box = Place<TButton>(Form, "BoxButton", 300, 125);
    Box->SetCaption("System box");
    Box->OnClick = [&](TObject*) {
        const int Answer = MessageBoxA(Form.Handle(), "Plain system message", "System", MB_OKCANCEL);
        Status->SetCaption(Answer == IDOK ? "Box OK" : Answer == IDCANCEL ? "Box Cancel" : "Box other");
    };
    auto* Open = Place<TButton>(Form, "OpenButton", 220, 160);
    Open->SetCaption("Open");
    Open->OnClick = [&](TObject*) {
        TFileDialogRequest Request;
        Request.Filter = "Text files|*.txt|All files|*.*";
        Request.InitialDir = CurrentDir();
        const TFileDialogAnswer Answer = SystemFileDialog(Request);
        Status->SetCaption(Answer.Confirmed ? "Opened " + Answer.FileName : "Open cancelled");
    };
    auto* Quit = Place<TButton>(Form, "QuitButton", 300, 160);
    Quit->SetCaption("Quit");
    Quit->OnClick = [&](TObject*) { Form.Close(); };
    auto* Off = Place<TButton>(Form, "DisabledButton", 300, 200);
    Off->SetCaption("Never");
    Off->SetEnabled(false);

    Form.OnKeyDown = [&](TObject*, WORD& Key, TShiftState Shift) {
        if (Key == VK_F5) {
            Status->SetCaption("F5 pressed");
            Key = 0;
        } else if (Key == 'S' && (Shift & ssCtrl)) {
            Status->SetCaption("Ctrl+S pressed");
            Key = 0;
        }
    };
    Form.OnClose = [](TObject*) { Application().Terminate(); };
    Form.Show();
    Application().Run();
    return ExitCode;
}
