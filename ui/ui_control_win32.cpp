#include "ui_control.h"

#include "exceptions.h"
#include "ui_application.h"
#include "ui_screen.h"
#include "ui_text_report.h"
#include "system_error.h"
#include "win32_handles.h"

#include <windowsx.h>

#include <algorithm>

namespace {

const char* const ObjectProperty = "BrindloControl";
const char* const OwnClassName = "BrindloControl";

void RegisterOwnClass()
{
    static bool Done = false;
    if (Done)
        return;
    WNDCLASSA Class = {};
    // No CS_DBLCLKS: a quick second press is a press like any other.
    Class.style = CS_HREDRAW | CS_VREDRAW;
    Class.lpfnWndProc = BaseWndProc;
    Class.hInstance = GetModuleHandleA(nullptr);
    Class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    Class.lpszClassName = OwnClassName;
    RegisterClassA(&Class);
    Done = true;
}

// A memory DC and bitmap of one size; the bitmap leaves the DC before either goes.
class TOffscreen {
public:
    TOffscreen(HDC Compatible, int W, int H)
        : FDC(CreateCompatibleDC(Compatible)), FBitmap(CreateCompatibleBitmap(Compatible, W, H))
    {
        if (!FDC || !FBitmap)
            throw Exception("Cannot make an off-screen bitmap");
        FSelection = SelectInto(FDC.Get(), FBitmap.Get());
    }
    HDC DC() const { return FDC.Get(); }

private:
    TMemoryDC FDC;
    TGdiObject<HBITMAP> FBitmap;
    TSelection FSelection;
};

} // namespace

TShiftState MouseShift(WPARAM WParam)
{
    TShiftState S = 0;
    if (WParam & MK_SHIFT)
        S |= ssShift;
    if (WParam & MK_CONTROL)
        S |= ssCtrl;
    if (WParam & MK_LBUTTON)
        S |= ssLeft;
    if (WParam & MK_RBUTTON)
        S |= ssRight;
    if (WParam & MK_MBUTTON)
        S |= ssMiddle;
    return S;
}

// --- TComponent -------------------------------------------------------------

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner)
{
    if (FOwner)
        FOwner->FComponents.push_back(this);
}

TComponent::~TComponent()
{
    while (!FComponents.empty()) {
        TComponent* C = FComponents.back();
        FComponents.pop_back();
        C->FOwner = nullptr;
        delete C;
    }
    if (FOwner) {
        auto& List = FOwner->FComponents;
        List.erase(std::remove(List.begin(), List.end(), this), List.end());
    }
}

// --- TControl ---------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    FFont.OnChange = nullptr;
    if (FParent)
        FParent->RemoveControl(this);
    FParent = nullptr;
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == FParent)
        return;
    if (FParent)
        FParent->RemoveControl(this);
    FParent = AParent;
    if (FParent)
        FParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth < 0 ? 0 : AWidth;
    FHeight = AHeight < 0 ? 0 : AHeight;
    BoundsChanged();
}

void TControl::SetVisible(bool Value)
{
    if (Value == FVisible)
        return;
    FVisible = Value;
    VisibleChanged();
}

void TControl::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    EnabledChanged();
}

void TControl::SetCaption(const std::string& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    TextChanged();
}

void TControl::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    ColorChanged();
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DescribeTexts(TTextReport& Report) { Report.AddControl(*this, Caption()); }

// --- TGraphicControl --------------------------------------------------------

void TGraphicControl::Invalidate()
{
    if (Parent() && Parent()->HandleAllocated()) {
        const RECT R = BoundsRect();
        InvalidateRect(Parent()->Handle(), &R, FALSE);
    }
}

void TGraphicControl::Repaint()
{
    if (Parent() && Parent()->HandleAllocated()) {
        const RECT R = BoundsRect();
        RedrawWindow(Parent()->Handle(), &R, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

void TGraphicControl::VisibleChanged()
{
    if (Parent() && Parent()->HandleAllocated()) {
        const RECT R = BoundsRect();
        InvalidateRect(Parent()->Handle(), &R, FALSE);
    }
}

// --- TWinControl ------------------------------------------------------------

std::string WindowTextOf(HWND Window)
{
    const int N = GetWindowTextLengthA(Window);
    if (N <= 0)
        return std::string();
    std::string S(static_cast<std::size_t>(N) + 1, '\0');
    const int Got = GetWindowTextA(Window, &S[0], N + 1);
    S.resize(static_cast<std::size_t>(Got < 0 ? 0 : Got));
    return S;
}

TWinControl* FindControl(HWND Window)
{
    if (!Window)
        return nullptr;
    return static_cast<TWinControl*>(GetPropA(Window, ObjectProperty));
}

LRESULT CALLBACK BaseWndProc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TWinControl* C = nullptr;
    if (Msg == WM_NCCREATE) {
        C = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(LParam)->lpCreateParams);
        if (C) {
            C->FHandle = W;
            SetPropA(W, ObjectProperty, C);
        }
    } else {
        C = FindControl(W);
    }
    if (!C)
        return DefWindowProcA(W, Msg, WParam, LParam);
    LRESULT Result = 0;
    Application().EnterDispatch();
    try {
        Result = C->WndProc(Msg, WParam, LParam);
    } catch (...) {
        Application().HandleException();
        Result = Msg == WM_NCCREATE ? TRUE : 0;
    }
    if (Msg == WM_NCDESTROY) {
        RemovePropA(W, ObjectProperty);
        if (C->FHandle == W)
            C->FHandle = nullptr;
    }
    // What was freed later goes now, once no window procedure is on the stack.
    Application().LeaveDispatch();
    return Result;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl()
{
    // The parent only lets its children go: their owners delete them.
    while (!FControls.empty()) {
        TControl* C = FControls.back();
        FControls.pop_back();
        C->FParent = nullptr;
        if (auto* W = dynamic_cast<TWinControl*>(C))
            W->DestroyHandle();
    }
    DestroyHandle();
}

void TWinControl::DestroyHandle()
{
    if (!FHandle)
        return;
    HWND H = FHandle;
    FHandle = nullptr;
    RemovePropA(H, ObjectProperty);
    if (FDefWndProc)
        SetWindowLongPtrA(H, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWndProc));
    if (GetCapture() == H)
        ReleaseCapture();
    DestroyWindow(H);
}

void TWinControl::InsertControl(TControl* C)
{
    FControls.push_back(C);
    if (auto* W = dynamic_cast<TWinControl*>(C)) {
        if (FHandle)
            W->HandleNeeded();
    } else {
        C->Invalidate();
    }
}

void TWinControl::RemoveControl(TControl* C)
{
    auto It = std::find(FControls.begin(), FControls.end(), C);
    if (It == FControls.end())
        return;
    FControls.erase(It);
    if (FHandle && !dynamic_cast<TWinControl*>(C)) {
        const RECT R = C->BoundsRect();
        InvalidateRect(FHandle, &R, FALSE);
    }
}

void TWinControl::SetParent(TWinControl* AParent)
{
    TControl::SetParent(AParent);
    if (FHandle && AParent && AParent->HandleAllocated())
        ::SetParent(FHandle, AParent->Handle());
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible())
        Params.Style |= WS_VISIBLE;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    if (TabStop)
        Params.Style |= WS_TABSTOP;
    if (Parent())
        Params.Parent = Parent()->Handle();
}

HWND TWinControl::Handle()
{
    if (!FHandle)
        CreateWnd();
    return FHandle;
}

void TWinControl::CreateWnd()
{
    // The parent's window makes the windows of its children, this one among them; made
    // here as well, a second window would be left that nothing paints or validates.
    if (Parent() && !Parent()->HandleAllocated()) {
        Parent()->HandleNeeded();
        if (FHandle)
            return;
    }
    TCreateParams Params;
    CreateParams(Params);
    if (Params.Style & WS_CHILD) {
        if (!Params.Parent)
            throw Exception("A child control needs a parent window");
    }
    FOwnClass = Params.ClassName.empty();
    if (FOwnClass)
        RegisterOwnClass();
    const HINSTANCE Instance = GetModuleHandleA(nullptr);
    FClientWidth = -1;
    HWND H = CreateWindowExA(Params.ExStyle, FOwnClass ? OwnClassName : Params.ClassName.c_str(), Caption().c_str(),
                             Params.Style, FLeft, FTop, FWidth, FHeight, Params.Parent, nullptr, Instance,
                             FOwnClass ? this : nullptr);
    if (!H) {
        const std::string Why = LastSystemError();
        throw Exception("Cannot create a window of class " + (FOwnClass ? std::string(OwnClassName) : Params.ClassName) +
                        ": " + Why);
    }
    if (!FOwnClass) {
        FHandle = H;
        SetPropA(H, ObjectProperty, this);
        FDefWndProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(H, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BaseWndProc)));
        SendMessageA(H, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    }
    RECT Client;
    GetClientRect(H, &Client);
    FClientWidth = Client.right;
    FClientHeight = Client.bottom;
    for (TControl* C : std::vector<TControl*>(FControls))
        if (auto* W = dynamic_cast<TWinControl*>(C))
            W->HandleNeeded();
    AlignControls(0, 0);
    HandleCreated();
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FHandle)
        SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::Invalidate()
{
    if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Repaint()
{
    if (FHandle)
        RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus()
{
    if (FHandle)
        ::SetFocus(FHandle);
}

void TWinControl::RecreateWnd()
{
    if (!FHandle)
        return;
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::UpdateStyle(DWORD Bit, bool On)
{
    if (!FHandle)
        return;
    LONG_PTR Style = GetWindowLongPtrA(FHandle, GWL_STYLE);
    Style = On ? (Style | static_cast<LONG_PTR>(Bit)) : (Style & ~static_cast<LONG_PTR>(Bit));
    SetWindowLongPtrA(FHandle, GWL_STYLE, Style);
}

void TWinControl::FillList(const std::vector<std::string>& Items, int Index, UINT ResetMsg, UINT AddMsg, UINT SelectMsg)
{
    if (!FHandle)
        return;
    SendMessageA(FHandle, ResetMsg, 0, 0);
    for (const std::string& S : Items)
        SendMessageA(FHandle, AddMsg, 0, reinterpret_cast<LPARAM>(S.c_str()));
    SendMessageA(FHandle, SelectMsg, static_cast<WPARAM>(Index), 0);
}

void TWinControl::VisibleChanged()
{
    if (FHandle)
        ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
    else if (Visible() && Parent() && Parent()->HandleAllocated())
        HandleNeeded();
}

void TWinControl::EnabledChanged()
{
    if (FHandle)
        EnableWindow(FHandle, Enabled() ? TRUE : FALSE);
    Invalidate();
}

void TWinControl::TextChanged()
{
    if (FHandle)
        SetWindowTextA(FHandle, Caption().c_str());
    Invalidate();
}

void TWinControl::FontChanged()
{
    if (FHandle && !FOwnClass)
        SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    Invalidate();
}

LRESULT TWinControl::DefaultHandler(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (FDefWndProc)
        return CallWindowProcA(FDefWndProc, FHandle, Msg, WParam, LParam);
    return DefWindowProcA(FHandle, Msg, WParam, LParam);
}

bool TWinControl::HandleReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void TWinControl::DescribeTexts(TTextReport& Report)
{
    if (!FHandle || !FDefWndProc) {
        TControl::DescribeTexts(Report);
        return;
    }
    std::string Text(static_cast<std::size_t>(GetWindowTextLengthA(FHandle)) + 1, '\0');
    Text.resize(static_cast<std::size_t>(GetWindowTextA(FHandle, &Text[0], static_cast<int>(Text.size()))));
    Report.AddControl(*this, Text);
}

void TWinControl::PaintTo(HDC DC)
{
    if (FInPaint)
        return;
    FInPaint = true;
    struct TGuard {
        bool& Flag;
        ~TGuard() { Flag = false; }
    } Guard{FInPaint};
    RECT Client;
    if (FHandle)
        GetClientRect(FHandle, &Client);
    else
        Client = ClientRect();
    if (Client.right <= 0 || Client.bottom <= 0)
        return;
    TOffscreen Off(DC, Client.right, Client.bottom);
    {
        // The canvas lets the DC go before it is deleted, also when Paint raises.
        struct TLend {
            TCanvas& Canvas;
            ~TLend() { Canvas.SetHandle(nullptr); }
        } Lend{FCanvas};
        FCanvas.SetHandle(Off.DC());
        FCanvas.BrushStyle = bsSolid;
        FCanvas.BrushColor = Color();
        FCanvas.FillRect(Client);
        Paint(FCanvas);
    }
    for (TControl* C : FControls) {
        auto* G = dynamic_cast<TGraphicControl*>(C);
        if (!G || !G->Visible())
            continue;
        const int Saved = SaveDC(Off.DC());
        IntersectClipRect(Off.DC(), G->Left(), G->Top(), G->Left() + G->Width(), G->Top() + G->Height());
        SetViewportOrgEx(Off.DC(), G->Left(), G->Top(), nullptr);
        {
            TCanvas ChildCanvas(Off.DC());
            G->Paint(ChildCanvas);
        }
        RestoreDC(Off.DC(), Saved);
    }
    BitBlt(DC, 0, 0, Client.right, Client.bottom, Off.DC(), 0, 0, SRCCOPY);
}

void TWinControl::AlignControls(int DeltaWidth, int DeltaHeight)
{
    RECT Rest = {0, 0, FClientWidth, FClientHeight};
    for (TAlign Pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* C : std::vector<TControl*>(FControls)) {
            if (C->Align != Pass || !C->Visible())
                continue;
            switch (Pass) {
            case alTop:
                C->SetBounds(Rest.left, Rest.top, Rest.right - Rest.left, C->Height());
                Rest.top += C->Height();
                break;
            case alBottom:
                C->SetBounds(Rest.left, Rest.bottom - C->Height(), Rest.right - Rest.left, C->Height());
                Rest.bottom -= C->Height();
                break;
            case alLeft:
                C->SetBounds(Rest.left, Rest.top, C->Width(), Rest.bottom - Rest.top);
                Rest.left += C->Width();
                break;
            case alRight:
                C->SetBounds(Rest.right - C->Width(), Rest.top, C->Width(), Rest.bottom - Rest.top);
                Rest.right -= C->Width();
                break;
            default:
                C->SetBounds(Rest.left, Rest.top, Rest.right - Rest.left, Rest.bottom - Rest.top);
                break;
            }
        }
    }
    if (DeltaWidth == 0 && DeltaHeight == 0)
        return;
    for (TControl* C : std::vector<TControl*>(FControls)) {
        if (C->Align != alNone)
            continue;
        int L = C->Left(), T = C->Top(), W = C->Width(), H = C->Height();
        if (C->Anchors & akRight) {
            if (C->Anchors & akLeft)
                W += DeltaWidth;
            else
                L += DeltaWidth;
        }
        if (C->Anchors & akBottom) {
            if (C->Anchors & akTop)
                H += DeltaHeight;
            else
                T += DeltaHeight;
        }
        C->SetBounds(L, T, W, H);
    }
}

void TWinControl::Realign()
{
    RECT Client;
    GetClientRect(FHandle, &Client);
    if (FClientWidth < 0) // still inside CreateWindowEx: the design size is not known yet
        return;
    const int DW = Client.right - FClientWidth, DH = Client.bottom - FClientHeight;
    FClientWidth = Client.right;
    FClientHeight = Client.bottom;
    AlignControls(DW, DH);
}

LRESULT TWinControl::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    LRESULT Result = 0;
    TWinControl* Child = nullptr;
    switch (Msg) {
    case WM_COMMAND:
        Child = FindControl(reinterpret_cast<HWND>(LParam));
        break;
    case WM_NOTIFY:
        Child = FindControl(reinterpret_cast<NMHDR*>(LParam)->hwndFrom);
        break;
    case WM_DRAWITEM:
        if (reinterpret_cast<DRAWITEMSTRUCT*>(LParam)->CtlType != ODT_MENU)
            Child = FindControl(reinterpret_cast<DRAWITEMSTRUCT*>(LParam)->hwndItem);
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        Child = FindControl(reinterpret_cast<HWND>(LParam));
        break;
    case WM_ERASEBKGND:
        if (FOwnClass)
            return 1;
        break;
    case WM_PAINT:
        if (FOwnClass) {
            PAINTSTRUCT Ps;
            HDC DC = BeginPaint(FHandle, &Ps);
            struct TEnd {
                HWND W;
                PAINTSTRUCT& P;
                ~TEnd() { EndPaint(W, &P); }
            } End{FHandle, Ps};
            PaintTo(DC);
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (FOwnClass) {
            PaintTo(reinterpret_cast<HDC>(WParam));
            return 0;
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* Pos = reinterpret_cast<const WINDOWPOS*>(LParam);
        if (!(Pos->flags & SWP_NOMOVE) || !(Pos->flags & SWP_NOSIZE)) {
            if (!IsIconic(FHandle)) {
                RECT R;
                GetWindowRect(FHandle, &R);
                POINT P = {R.left, R.top};
                if (HWND ParentWindow = GetParent(FHandle); ParentWindow && (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD))
                    ScreenToClient(ParentWindow, &P);
                FLeft = P.x;
                FTop = P.y;
                FWidth = R.right - R.left;
                FHeight = R.bottom - R.top;
            }
        }
        break;
    }
    case WM_SETCURSOR:
        if (Screen().Cursor() != crDefault && LOWORD(LParam) == HTCLIENT) {
            Screen().ShowCursor();
            return TRUE;
        }
        break;
    case WM_SIZE:
        if (FHandle && WParam != SIZE_MINIMIZED) {
            Realign();
            Resize();
        }
        break;
    default:
        break;
    }
    if (Child && Child != this && Child->HandleReflected(Msg, WParam, LParam, Result))
        return Result;
    return DefaultHandler(Msg, WParam, LParam);
}

// --- TCustomControl ---------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

LRESULT TCustomControl::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    const int X = GET_X_LPARAM(LParam), Y = GET_Y_LPARAM(LParam);
    switch (Msg) {
    case WM_LBUTTONDOWN:
        SetCapture(Handle());
        MouseDown(mbLeft, MouseShift(WParam), X, Y);
        return 0;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, MouseShift(WParam), X, Y);
        return 0;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, MouseShift(WParam), X, Y);
        return 0;
    case WM_LBUTTONUP: {
        const bool Captured = GetCapture() == Handle();
        const bool Inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
        MouseUp(mbLeft, MouseShift(WParam), X, Y);
        if (Captured)
            ReleaseCapture();
        // The click comes last, so a handler that opens a modal window finds the press over.
        if (Captured && Inside)
            Click();
        return 0;
    }
    case WM_RBUTTONUP:
        MouseUp(mbRight, MouseShift(WParam), X, Y);
        return 0;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, MouseShift(WParam), X, Y);
        return 0;
    case WM_MOUSEMOVE:
        if (!FMouseInside) {
            FMouseInside = true;
            TRACKMOUSEEVENT Track = {sizeof Track, TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&Track);
            MouseEnter();
        }
        MouseMove(MouseShift(WParam), X, Y);
        return 0;
    case WM_MOUSELEAVE:
        FMouseInside = false;
        MouseLeave();
        return 0;
    case WM_MOUSEWHEEL:
        if (MouseWheel(GET_WHEEL_DELTA_WPARAM(WParam), MouseShift(GET_KEYSTATE_WPARAM(WParam))))
            return 0;
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(LParam) != Handle())
            CaptureLost();
        break;
    case WM_CANCELMODE:
        if (GetCapture() == Handle())
            ReleaseCapture();
        CaptureLost();
        break;
    default:
        break;
    }
    return TWinControl::WndProc(Msg, WParam, LParam);
}
