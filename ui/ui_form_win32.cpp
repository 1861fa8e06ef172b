#include "ui_form.h"

#include "exceptions.h"
#include "ui_application.h"
#include "ui_button.h"
#include "ui_screen.h"
#include "ui_text_report.h"

#include <vector>

namespace {

const UINT WM_MODAL_SHOWN = WM_APP + 0x101;

BOOL CALLBACK CollectEnabled(HWND W, LPARAM P)
{
    if (IsWindowVisible(W) && IsWindowEnabled(W))
        reinterpret_cast<std::vector<HWND>*>(P)->push_back(W);
    return TRUE;
}

} // namespace

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner)
{
    SetVisible(false);
    FLeft = 0;
    FTop = 0;
    FWidth = 320;
    FHeight = 240;
}

TForm::~TForm()
{
    if (FModalAlive)
        *FModalAlive = false;
}

void TForm::CreateParams(TCreateParams& Params)
{
    Params.ClassName.clear();
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.ExStyle = 0;
    switch (BorderStyle) {
    case bsNoBorder:
        Params.Style |= WS_POPUP;
        break;
    case bsSingle:
        Params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER;
        break;
    case bsSizeable:
        Params.Style |= WS_OVERLAPPEDWINDOW;
        break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        Params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (FStayOnTop)
        Params.ExStyle |= WS_EX_TOPMOST;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    Params.Parent = Application().Handle();
}

void TForm::SetStayOnTop(bool Value)
{
    FStayOnTop = Value;
    if (HandleAllocated())
        SetWindowPos(Handle(), Value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetClientSize(int W, int H)
{
    TCreateParams Params;
    CreateParams(Params);
    RECT R = {0, 0, W, H};
    AdjustWindowRectEx(&R, Params.Style, FALSE, Params.ExStyle);
    SetBounds(FLeft, FTop, R.right - R.left, R.bottom - R.top);
}

int TForm::ClientWidth()
{
    RECT R;
    GetClientRect(Handle(), &R);
    return R.right;
}

int TForm::ClientHeight()
{
    RECT R;
    GetClientRect(Handle(), &R);
    return R.bottom;
}

void TForm::PlaceOnScreen()
{
    if (Position == poScreenCenter)
        SetBounds((Screen().Width() - Width()) / 2, (Screen().Height() - Height()) / 2, Width(), Height());
}

void TForm::VisibleChanged()
{
    if (!HandleAllocated())
        return;
    if (Visible() && FNoActivate) {
        SetWindowPos(Handle(), FStayOnTop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else if (Visible()) {
        ShowWindow(Handle(), StartMaximized && !FShown ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        SetForegroundWindow(Handle());
    } else {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TForm::Show()
{
    const bool First = !FShown;
    if (First)
        PlaceOnScreen();
    HandleNeeded();
    if (Visible())
        VisibleChanged();
    else
        SetVisible(true);
    // Without a window manager nothing brings a new window forward but ourselves.
    SetForegroundWindow(Handle());
    if (First) {
        FShown = true;
        if (OnShow)
            OnShow(this);
    }
}

void TForm::ShowNoActivate()
{
    if (!FShown)
        PlaceOnScreen();
    HandleNeeded();
    FNoActivate = true;
    if (Visible())
        VisibleChanged();
    else
        SetVisible(true);
    FNoActivate = false;
    FShown = true;
}

void TForm::Hide() { SetVisible(false); }

void TForm::Close()
{
    if (OnClose)
        OnClose(this);
    if (FModal) {
        if (FModalResult == mrNone)
            FModalResult = mrCancel;
    } else {
        Hide();
    }
}

TModalResult TForm::ShowModal()
{
    if (FModal)
        throw Exception("Cannot make a modal window modal again");
    HandleNeeded();
    std::vector<HWND> Disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&Disabled));
    const HWND Self = Handle();
    HWND PreviousActive = GetActiveWindow();
    for (HWND W : Disabled)
        if (W != Self)
            EnableWindow(W, FALSE);
    FModal = true;
    FModalResult = mrNone;
    ++Application().ModalDepth;
    UINT_PTR Watchdog = 0;
    if (Application().WatchdogMs)
        Watchdog = StartThreadTimer(Application().WatchdogMs, [Self] { Application().WatchdogFired(Self); });

    bool Alive = true;
    FModalAlive = &Alive;
    struct TRestore {
        TForm& Form;
        const bool& Alive;
        std::vector<HWND>& Disabled;
        HWND Self;
        HWND PreviousActive;
        UINT_PTR Watchdog;
        ~TRestore()
        {
            StopThreadTimer(Watchdog);
            // The others come back before this one hides, so activation has somewhere to go.
            for (HWND W : Disabled)
                if (W != Self && IsWindow(W))
                    EnableWindow(W, TRUE);
            if (Alive) {
                if (Form.HandleAllocated())
                    Form.Hide();
                Form.FModal = false;
                Form.FModalAlive = nullptr;
            }
            if (PreviousActive && IsWindow(PreviousActive))
                SetActiveWindow(PreviousActive);
            --Application().ModalDepth;
        }
    } Restore{*this, Alive, Disabled, Self, PreviousActive, Watchdog};

    Show();
    if (HWND First = GetNextDlgTabItem(Self, nullptr, FALSE); First && !IsChild(Self, GetFocus()))
        ::SetFocus(First);
    PostMessageA(Self, WM_MODAL_SHOWN, 0, 0);
    TModalResult Result = mrNone;
    while (Alive && (Result = FModalResult) == mrNone) {
        MSG M;
        const BOOL Got = GetMessageA(&M, nullptr, 0, 0);
        if (Got == 0 || Got == -1) {
            if (Got == 0)
                PostQuitMessage(static_cast<int>(M.wParam));
            Result = mrCancel;
            if (Alive) // a message sent from elsewhere may have destroyed it inside GetMessage
                FModalResult = Result;
            break;
        }
        if (!Application().PreProcessMessage(M)) {
            TranslateMessage(&M);
            DispatchMessageA(&M);
        }
    }
    // Destroyed inside its own loop: nothing of it may be read any more.
    return Alive ? Result : mrCancel;
}

TButton* TForm::FindButton(bool Default, bool Cancel, TWinControl* Within)
{
    for (TControl* C : Within->Controls()) {
        if (auto* B = dynamic_cast<TButton*>(C)) {
            if (B->Visible() && B->Enabled() && ((Default && B->Default) || (Cancel && B->Cancel)))
                return B;
        }
        if (auto* W = dynamic_cast<TWinControl*>(C))
            if (TButton* Found = FindButton(Default, Cancel, W))
                return Found;
    }
    return nullptr;
}

bool TForm::DialogKey(WORD Key, TShiftState Shift, TWinControl* Target)
{
    switch (Key) {
    case VK_TAB: {
        if (Shift & (ssCtrl | ssAlt))
            return false;
        HWND Next = GetNextDlgTabItem(Handle(), GetFocus(), (Shift & ssShift) ? TRUE : FALSE);
        if (Next)
            ::SetFocus(Next);
        return Next != nullptr;
    }
    case VK_RETURN:
        if (Shift & ssAlt)
            return false;
        if (auto* B = dynamic_cast<TButton*>(Target)) {
            B->Click();
            return true;
        }
        if (TButton* B = FindButton(true, false, this)) {
            B->Click();
            return true;
        }
        return false;
    case VK_ESCAPE:
        if (TButton* B = FindButton(false, true, this)) {
            B->Click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void TForm::Resize()
{
    if (OnResize)
        OnResize(this);
}

LRESULT TForm::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == TextReportMessage())
        return AnswerTextRequest(*this, WParam, LParam) ? 1 : 0;
    switch (Msg) {
    case WM_MODAL_SHOWN:
        Application().ModalShown(Handle());
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(WParam) != WA_INACTIVE && OnActivate)
            OnActivate(this);
        return TWinControl::WndProc(Msg, WParam, LParam);
    case WM_GETMINMAXINFO: {
        auto* Info = reinterpret_cast<MINMAXINFO*>(LParam);
        if (MinWidth > 0)
            Info->ptMinTrackSize.x = MinWidth;
        if (MinHeight > 0)
            Info->ptMinTrackSize.y = MinHeight;
        if (MaxWidth > 0)
            Info->ptMaxTrackSize.x = MaxWidth;
        if (MaxHeight > 0)
            Info->ptMaxTrackSize.y = MaxHeight;
        return 0;
    }
    default:
        return TWinControl::WndProc(Msg, WParam, LParam);
    }
}
