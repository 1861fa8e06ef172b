#include "driver_windows.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameWithoutCase(const std::string& A, const std::string& B)
{
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
               return std::tolower(static_cast<unsigned char>(X)) == std::tolower(static_cast<unsigned char>(Y));
           });
}

// "&Yes" and "Yes" are one text; "&&" stands for "&".
std::string WithoutMnemonics(const std::string& S)
{
    std::string Out;
    for (std::size_t I = 0; I < S.size(); ++I) {
        if (S[I] == '&' && I + 1 < S.size())
            ++I;
        else if (S[I] == '&')
            continue;
        Out += S[I];
    }
    return Out;
}

struct TTopSearch {
    DWORD ProcessId;
    const TWindowQuery* Query;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectTop(HWND W, LPARAM P)
{
    auto& S = *reinterpret_cast<TTopSearch*>(P);
    DWORD Owner = 0;
    GetWindowThreadProcessId(W, &Owner);
    if (Owner != S.ProcessId)
        return TRUE;
    const TWindowQuery& Q = *S.Query;
    if (Q.VisibleOnly && !IsWindowVisible(W))
        return TRUE;
    if (!Q.ClassName.empty() && !SameWithoutCase(ClassNameOf(W), Q.ClassName))
        return TRUE;
    if (!Q.Caption.empty()) {
        // A window that goes while it is asked does not match; no exception may
        // unwind through the system's enumeration either.
        try {
            if (TextOf(W) != Q.Caption)
                return TRUE;
        } catch (const EDriverError&) {
            return TRUE;
        }
    }
    if (std::find(Q.Except.begin(), Q.Except.end(), W) != Q.Except.end())
        return TRUE;
    S.Found.push_back(W);
    return TRUE;
}

struct TChildSearch {
    const TChildQuery* Query;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectChild(HWND W, LPARAM P)
{
    auto& S = *reinterpret_cast<TChildSearch*>(P);
    const TChildQuery& Q = *S.Query;
    if (Q.VisibleOnly && !IsWindowVisible(W))
        return TRUE;
    if (!Q.ClassName.empty() && !SameWithoutCase(ClassNameOf(W), Q.ClassName))
        return TRUE;
    if (Q.ControlId >= 0 && GetDlgCtrlID(W) != Q.ControlId)
        return TRUE;
    if (!Q.Text.empty() && WithoutMnemonics(TextOf(W)) != WithoutMnemonics(Q.Text))
        return TRUE;
    S.Found.push_back(W);
    return TRUE;
}

std::string Describe(const TWindowQuery& Q)
{
    std::string S = "a window";
    if (!Q.ClassName.empty())
        S += " of class \"" + Q.ClassName + "\"";
    if (!Q.Caption.empty())
        S += " captioned \"" + Q.Caption + "\"";
    if (!Q.Except.empty())
        S += " (a new one)";
    return S;
}

std::string Describe(const TChildQuery& Q)
{
    std::string S = "a child window";
    if (!Q.ClassName.empty())
        S += " of class \"" + Q.ClassName + "\"";
    if (!Q.Text.empty())
        S += " with text \"" + Q.Text + "\"";
    if (Q.ControlId >= 0)
        S += " with id " + std::to_string(Q.ControlId);
    return S;
}

HWND First(const std::vector<HWND>& Found) { return Found.empty() ? nullptr : Found.front(); }

HWND WaitFound(const std::function<HWND()>& Find, DWORD TimeoutMs, const std::string& What)
{
    HWND Found = nullptr;
    WaitFor([&] { return (Found = Find()) != nullptr; }, TimeoutMs, What);
    return Found;
}

LPARAM PointParam(int X, int Y)
{
    return static_cast<LPARAM>(static_cast<DWORD>(static_cast<WORD>(X)) | (static_cast<DWORD>(static_cast<WORD>(Y)) << 16));
}

void Post(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (!PostMessageA(Window, Msg, WParam, LParam))
        throw EDriverError("Cannot post to window " + HandleText(Window) + ": " + SystemErrorText(GetLastError()));
}

bool ExtendedKey(WORD Key)
{
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
        return true;
    default:
        return false;
    }
}

void BringToFront(HWND TopWindow)
{
    if (!IsWindow(TopWindow))
        throw EDriverError("No window " + HandleText(TopWindow) + " to bring to the front");
    SetForegroundWindow(TopWindow);
    WaitFor([TopWindow] { return GetForegroundWindow() == TopWindow; }, 3000,
            "window " + HandleText(TopWindow) + " to come to the front");
}

void SendKeyInputs(const std::vector<INPUT>& Inputs)
{
    if (Inputs.empty())
        return;
    std::vector<INPUT> Copy(Inputs);
    if (SendInput(static_cast<UINT>(Copy.size()), Copy.data(), sizeof(INPUT)) != Copy.size())
        throw EDriverError("The keyboard input was refused: " + SystemErrorText(GetLastError()));
}

INPUT KeyInput(WORD Key, bool Up)
{
    INPUT I = {};
    I.type = INPUT_KEYBOARD;
    I.ki.wVk = Key;
    I.ki.wScan = static_cast<WORD>(MapVirtualKeyA(Key, 0));
    I.ki.dwFlags = (Up ? KEYEVENTF_KEYUP : 0) | (ExtendedKey(Key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return I;
}

} // namespace

std::string ClassNameOf(HWND Window)
{
    char Buffer[256] = {};
    const int N = GetClassNameA(Window, Buffer, sizeof Buffer);
    return std::string(Buffer, N > 0 ? static_cast<std::size_t>(N) : 0);
}

std::string TextOf(HWND Window)
{
    DWORD_PTR Length = 0;
    if (!SendMessageTimeoutA(Window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 3000, &Length))
        throw EDriverError("Window " + HandleText(Window) + " does not give its text: " + SystemErrorText(GetLastError()));
    std::string Text(static_cast<std::size_t>(Length) + 1, '\0');
    DWORD_PTR Copied = 0;
    if (!SendMessageTimeoutA(Window, WM_GETTEXT, Text.size(), reinterpret_cast<LPARAM>(&Text[0]), SMTO_ABORTIFHUNG,
                             3000, &Copied))
        throw EDriverError("Window " + HandleText(Window) + " does not give its text: " + SystemErrorText(GetLastError()));
    Text.resize(std::min<std::size_t>(static_cast<std::size_t>(Copied), Text.size() - 1));
    return Text;
}

std::vector<HWND> TopWindows(DWORD ProcessId, const TWindowQuery& Query)
{
    TTopSearch S{ProcessId, &Query, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&S));
    return S.Found;
}

HWND FindTopWindow(DWORD ProcessId, const TWindowQuery& Query) { return First(TopWindows(ProcessId, Query)); }

HWND WaitTopWindow(DWORD ProcessId, const TWindowQuery& Query, DWORD TimeoutMs)
{
    return WaitFound([&] { return FindTopWindow(ProcessId, Query); }, TimeoutMs,
                     Describe(Query) + " of process " + std::to_string(ProcessId));
}

void WaitWindowGone(HWND Window, DWORD TimeoutMs)
{
    WaitFor([Window] { return !IsWindow(Window) || !IsWindowVisible(Window); }, TimeoutMs,
            "window " + HandleText(Window) + " to go");
}

std::vector<HWND> ChildWindows(HWND Parent, const TChildQuery& Query)
{
    TChildSearch S{&Query, {}};
    EnumChildWindows(Parent, CollectChild, reinterpret_cast<LPARAM>(&S));
    return S.Found;
}

HWND FindChild(HWND Parent, const TChildQuery& Query) { return First(ChildWindows(Parent, Query)); }

HWND WaitChild(HWND Parent, const TChildQuery& Query, DWORD TimeoutMs)
{
    return WaitFound([&] { return FindChild(Parent, Query); }, TimeoutMs,
                     Describe(Query) + " in window " + HandleText(Parent));
}

std::vector<std::string> DialogTexts(HWND Dialog)
{
    std::vector<std::string> Texts;
    for (HWND W : ChildWindows(Dialog))
        Texts.push_back(TextOf(W));
    return Texts;
}

void ClickButton(HWND Button)
{
    if (!IsWindowEnabled(Button))
        throw EDriverError("Button " + HandleText(Button) + " (\"" + TextOf(Button) + "\") is disabled");
    Post(Button, BM_CLICK, 0, 0);
}

void ClickDialogButton(HWND Dialog, const std::string& Text)
{
    TChildQuery Q;
    Q.ClassName = "Button";
    Q.Text = Text;
    HWND B = FindChild(Dialog, Q);
    if (!B) {
        std::string Seen;
        for (const std::string& T : DialogTexts(Dialog))
            Seen += " \"" + T + "\"";
        throw EDriverError("No button \"" + Text + "\" in window " + HandleText(Dialog) + "; its texts:" + Seen);
    }
    ClickButton(B);
}

void ClickClient(HWND Window, int X, int Y)
{
    // The pointer goes where the click is, as a user's does: a control that follows the
    // mouse itself while the button is down (a tree view telling a click from a drag)
    // also reads the moves the system makes from the real pointer, which elsewhere
    // would turn the click into a drag.
    POINT Screen = {X, Y};
    if (ClientToScreen(Window, &Screen))
        SetCursorPos(Screen.x, Screen.y);
    const LPARAM At = PointParam(X, Y);
    Post(Window, WM_MOUSEMOVE, 0, At);
    Post(Window, WM_LBUTTONDOWN, MK_LBUTTON, At);
    Post(Window, WM_LBUTTONUP, 0, At);
}

void ClickAt(HWND TopWindow, int X, int Y)
{
    // The program may remake the window under the point (a page rebuilt) between its
    // finding and the posting: the click then goes to what is under the point by now,
    // as a user's would.
    const DWORD Start = GetTickCount();
    for (;;) {
        HWND W = TopWindow;
        POINT P = {X, Y};
        for (;;) {
            HWND Child = ChildWindowFromPointEx(W, P, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
            if (!Child || Child == W)
                break;
            MapWindowPoints(W, Child, &P, 1);
            W = Child;
        }
        const std::string Class = ClassNameOf(W);
        try {
            ClickClient(W, P.x, P.y);
            return;
        } catch (const EDriverError& E) {
            if (W == TopWindow || IsWindow(W) || !IsWindow(TopWindow))
                throw;
            if (GetTickCount() - Start >= DriverWaitMs)
                throw EDriverError(E.Message() + " (a window of class \"" + Class + "\" at " + std::to_string(X) +
                                   "," + std::to_string(Y) + " of window " + HandleText(TopWindow) +
                                   ", gone again and again for " + std::to_string(DriverWaitMs) + " ms)");
        }
        PumpDriverMessages(10);
    }
}

void PostKey(HWND Window, WORD VirtualKey)
{
    const LPARAM Scan = static_cast<LPARAM>(MapVirtualKeyA(VirtualKey, 0)) << 16;
    const LPARAM Extended = ExtendedKey(VirtualKey) ? (1 << 24) : 0;
    Post(Window, WM_KEYDOWN, VirtualKey, 1 | Scan | Extended);
    Post(Window, WM_KEYUP, VirtualKey, static_cast<LPARAM>(1 | Scan | Extended | (1u << 30) | (1u << 31)));
}

void PostChars(HWND Window, const std::string& Text)
{
    for (const char C : Text)
        Post(Window, WM_CHAR, static_cast<unsigned char>(C), 1);
}

void PressKeys(HWND TopWindow, const std::vector<WORD>& Keys)
{
    BringToFront(TopWindow);
    std::vector<INPUT> Inputs;
    for (const WORD K : Keys)
        Inputs.push_back(KeyInput(K, false));
    for (auto It = Keys.rbegin(); It != Keys.rend(); ++It)
        Inputs.push_back(KeyInput(*It, true));
    SendKeyInputs(Inputs);
}

void TypeOnKeyboard(HWND TopWindow, const std::string& Text)
{
    BringToFront(TopWindow);
    std::vector<INPUT> Inputs;
    for (const char C : Text) {
        const SHORT Scan = VkKeyScanA(C);
        if (Scan == -1)
            throw EDriverError(std::string("No key types \"") + C + "\"");
        const WORD Key = LOBYTE(Scan);
        const bool Shift = (HIBYTE(Scan) & 1) != 0;
        if (Shift)
            Inputs.push_back(KeyInput(VK_SHIFT, false));
        Inputs.push_back(KeyInput(Key, false));
        Inputs.push_back(KeyInput(Key, true));
        if (Shift)
            Inputs.push_back(KeyInput(VK_SHIFT, true));
    }
    SendKeyInputs(Inputs);
}

void SetEditText(HWND Edit, const std::string& Text)
{
    DWORD_PTR Result = 0;
    if (!SendMessageTimeoutA(Edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text.c_str()), SMTO_ABORTIFHUNG, 5000,
                             &Result))
        throw EDriverError("Cannot set the text of window " + HandleText(Edit) + ": " + SystemErrorText(GetLastError()));
}

void AnswerFileDialog(HWND Dialog, const std::string& FileName)
{
    // The name box: a combo box in the explorer style, an edit in the old one.
    HWND Name = GetDlgItem(Dialog, 0x47c);
    if (!Name)
        Name = GetDlgItem(Dialog, 0x480);
    if (!Name)
        throw EDriverError("Window " + HandleText(Dialog) + " (\"" + TextOf(Dialog) + "\") has no file name box");
    SetEditText(Name, FileName);
    HWND Ok = GetDlgItem(Dialog, IDOK);
    if (!Ok)
        throw EDriverError("Window " + HandleText(Dialog) + " has no OK button");
    ClickButton(Ok);
}

void PostClose(HWND Window) { Post(Window, WM_CLOSE, 0, 0); }

namespace {

BOOL CALLBACK FindUnpainted(HWND W, LPARAM P)
{
    if (IsWindowVisible(W) && GetUpdateRect(W, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(P) = true;
        return FALSE;
    }
    return TRUE;
}

// Returns once the window's thread has taken the message from its loop.
void Sync(HWND Window)
{
    DWORD_PTR Result = 0;
    if (!SendMessageTimeoutA(Window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &Result))
        throw EDriverError("Window " + HandleText(Window) + " does not answer: " + SystemErrorText(GetLastError()));
}

} // namespace

void WaitPainted(HWND Window, DWORD TimeoutMs)
{
    WaitFor(
        [Window] {
            Sync(Window);
            bool Unpainted = GetUpdateRect(Window, nullptr, FALSE) != FALSE;
            if (!Unpainted)
                EnumChildWindows(Window, FindUnpainted, reinterpret_cast<LPARAM>(&Unpainted));
            return !Unpainted;
        },
        TimeoutMs, "window " + HandleText(Window) + " to paint");
    // The program hands its drawing to the display when it next waits for messages.
    Sleep(30);
    Sync(Window);
}

TScreenshot PhotographWindow(HWND Window, const std::string& PngPath)
{
    WaitPainted(Window);
    TScreenshot Shot = CaptureWindow(Window);
    SavePng(Shot, PngPath);
    return Shot;
}

TScreenshot PhotographWindow(HWND Window, const std::string& PngPath,
                             const std::function<bool(const TScreenshot&)>& Shows, const std::string& What,
                             DWORD TimeoutMs)
{
    WaitPainted(Window, TimeoutMs);
    TScreenshot Shot;
    try {
        WaitFor(
            [&] {
                Sync(Window);
                Shot = CaptureWindow(Window);
                return Shows(Shot);
            },
            TimeoutMs, "the photograph of window " + HandleText(Window) + " to show " + What);
    } catch (const EDriverError&) {
        SavePng(Shot, PngPath); // what it showed instead
        throw;
    }
    SavePng(Shot, PngPath);
    return Shot;
}
