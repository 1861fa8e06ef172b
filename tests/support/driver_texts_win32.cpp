#include "driver_texts.h"

#include "driver_windows.h"

#include <map>

namespace {

// Answers arrive at a message-only window of the asking thread, keyed by the number
// each request carries, so a late answer to an earlier request is never taken.
std::map<ULONG_PTR, std::string>& Answers()
{
    static std::map<ULONG_PTR, std::string> Map;
    return Map;
}

LRESULT CALLBACK ReplyWndProc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_COPYDATA) {
        const auto* Data = reinterpret_cast<const COPYDATASTRUCT*>(LParam);
        auto It = Answers().find(Data->dwData);
        if (It == Answers().end())
            return FALSE;
        It->second.assign(static_cast<const char*>(Data->lpData), Data->cbData);
        return TRUE;
    }
    return DefWindowProcA(W, Msg, WParam, LParam);
}

HWND ReplyWindow()
{
    static HWND Window = nullptr;
    if (Window && IsWindow(Window))
        return Window;
    WNDCLASSA Class = {};
    Class.lpfnWndProc = ReplyWndProc;
    Class.hInstance = GetModuleHandleA(nullptr);
    Class.lpszClassName = "BrindloDriverReply";
    RegisterClassA(&Class);
    Window = CreateWindowExA(0, Class.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Class.hInstance, nullptr);
    if (!Window)
        throw EDriverError("Cannot make the window the texts are sent to: " + SystemErrorText(GetLastError()));
    return Window;
}

UINT RequestMessage()
{
    static const UINT Message = RegisterWindowMessageA(TextReportMessageName);
    return Message;
}

bool Matches(const TTextItem& I, const TItemQuery& Q)
{
    return (!Q.VisibleOnly || I.Visible) && (Q.Kind.empty() || I.Kind == Q.Kind) &&
           (Q.Name.empty() || I.Name == Q.Name) && (Q.Text.empty() || I.Text == Q.Text);
}

std::string Describe(const TItemQuery& Q)
{
    std::string S = "item";
    if (!Q.Kind.empty())
        S += " of kind " + Q.Kind;
    if (!Q.Name.empty())
        S += " named \"" + Q.Name + "\"";
    if (!Q.Text.empty())
        S += " saying \"" + Q.Text + "\"";
    if (Q.VisibleOnly)
        S += " (shown)";
    return S;
}

} // namespace

std::vector<TTextItem> ReadTexts(HWND Form, DWORD TimeoutMs)
{
    static ULONG_PTR LastNumber = 0;
    const ULONG_PTR Number = ++LastNumber;
    struct TPending {
        ULONG_PTR Number;
        ~TPending() { Answers().erase(Number); }
    } Pending{Number};
    std::string& Answer = Answers()[Number];
    const HWND Reply = ReplyWindow();
    if (!IsWindow(Form))
        throw EDriverError("No window " + HandleText(Form) + " to read the texts of");
    if (!PostMessageA(Form, RequestMessage(), reinterpret_cast<WPARAM>(Reply), static_cast<LPARAM>(Number)))
        throw EDriverError("Cannot ask window " + HandleText(Form) + " for its texts: " + SystemErrorText(GetLastError()));
    try {
        WaitFor([&] { return !Answer.empty(); }, TimeoutMs, "the texts of window " + HandleText(Form));
    } catch (const EDriverError& E) {
        std::string Caption;
        try {
            Caption = TextOf(Form);
        } catch (const EDriverError&) {
            Caption = "(no answer)";
        }
        throw EDriverError(E.Message() + " (\"" + Caption + "\"; is it one of our forms?)");
    }
    try {
        return DecodeTextReport(Answer);
    } catch (const Exception& E) {
        throw EDriverError("Window " + HandleText(Form) + " answered no text report: " + E.Message());
    }
}

const TTextItem* FindItem(const std::vector<TTextItem>& Items, const TItemQuery& Query)
{
    for (const TTextItem& I : Items)
        if (Matches(I, Query))
            return &I;
    return nullptr;
}

const TTextItem& ItemOf(const std::vector<TTextItem>& Items, const TItemQuery& Query)
{
    if (const TTextItem* I = FindItem(Items, Query))
        return *I;
    throw EDriverError("No " + Describe(Query) + " among:\n" + ListItems(Items));
}

TTextItem WaitItem(HWND Form, const TItemQuery& Query, DWORD TimeoutMs)
{
    std::vector<TTextItem> Items;
    const DWORD Start = GetTickCount();
    for (;;) {
        Items = ReadTexts(Form, TimeoutMs);
        if (const TTextItem* I = FindItem(Items, Query))
            return *I;
        if (GetTickCount() - Start >= TimeoutMs)
            break;
        PumpDriverMessages(20);
    }
    throw EDriverError("Timed out after " + std::to_string(TimeoutMs) + " ms waiting for an " + Describe(Query) +
                       " in window " + HandleText(Form) + "; its items:\n" + ListItems(Items));
}

void ClickItem(HWND Form, const TTextItem& Item)
{
    const HWND Own = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(Item.Window));
    if (Own && IsWindow(Own) && lstrcmpiA(ClassNameOf(Own).c_str(), "Button") == 0) {
        ClickButton(Own);
        return;
    }
    if (!Item.Visible || Item.Width <= 0 || Item.Height <= 0)
        throw EDriverError("Item \"" + Item.Text + "\" (" + Item.Kind + ") is not shown, so it cannot be clicked");
    ClickAt(Form, Item.Left + Item.Width / 2, Item.Top + Item.Height / 2);
}

std::string ListItems(const std::vector<TTextItem>& Items)
{
    std::string Out;
    for (const TTextItem& I : Items) {
        Out += "  " + I.Kind + (I.Name.empty() ? "" : " " + I.Name) + " [" + std::to_string(I.Left) + "," +
               std::to_string(I.Top) + " " + std::to_string(I.Width) + "x" + std::to_string(I.Height) + "]" +
               (I.Visible ? "" : " hidden") + (I.Enabled ? "" : " disabled") + (I.Focused ? " focused" : "") +
               " \"" + I.Text + "\"\n";
    }
    return Out;
}
