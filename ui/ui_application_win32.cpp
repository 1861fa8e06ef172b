#include "ui_application.h"

#include "ui_control.h"
#include "ui_form.h"
#include "ui_timer.h"

#include <map>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

std::map<UINT_PTR, std::function<void()>>& ThreadTimers()
{
    static std::map<UINT_PTR, std::function<void()>> Timers;
    return Timers;
}

void CALLBACK ThreadTimerProc(HWND, UINT, UINT_PTR Id, DWORD)
{
    auto It = ThreadTimers().find(Id);
    if (It == ThreadTimers().end())
        return;
    const std::function<void()> Tick = It->second;
    GuardCall(Tick);
}

LRESULT CALLBACK HiddenWndProc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    return DefWindowProcA(W, Msg, WParam, LParam);
}

BOOL CALLBACK CollectDialog(HWND W, LPARAM P)
{
    char Class[16] = {};
    GetClassNameA(W, Class, sizeof Class);
    if (std::string(Class) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(P)->push_back(W);
    return TRUE;
}

std::vector<HWND> ThreadDialogs()
{
    std::vector<HWND> Found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&Found));
    return Found;
}

} // namespace

UINT_PTR StartThreadTimer(UINT Ms, std::function<void()> Tick)
{
    const UINT_PTR Id = SetTimer(nullptr, 0, Ms, ThreadTimerProc);
    if (Id != 0)
        ThreadTimers()[Id] = std::move(Tick);
    return Id;
}

void StopThreadTimer(UINT_PTR Id)
{
    if (Id == 0)
        return;
    KillTimer(nullptr, Id);
    ThreadTimers().erase(Id);
}

TApplication& Application()
{
    static TApplication App;
    return App;
}

TApplication::TApplication() : Title(ExeTitle())
{
    // Timer ticks come through our message loops: what they raise goes to the error box.
    SetTimerTickGuard([](const std::function<void()>& Tick) { GuardCall(Tick); });
}

TApplication::~TApplication()
{
    SetTimerTickGuard(nullptr);
    if (FHandle)
        DestroyWindow(FHandle);
}

HWND TApplication::Handle()
{
    if (!FHandle) {
        WNDCLASSA Class = {};
        Class.lpfnWndProc = HiddenWndProc;
        Class.hInstance = GetModuleHandleA(nullptr);
        Class.lpszClassName = "BrindloApplication";
        RegisterClassA(&Class);
        FHandle = CreateWindowExA(WS_EX_TOOLWINDOW, Class.lpszClassName, Title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, Class.hInstance, nullptr);
    }
    return FHandle;
}

std::string TApplication::ExeName() const
{
    char Buffer[MAX_PATH * 2] = {};
    const DWORD N = GetModuleFileNameA(nullptr, Buffer, sizeof Buffer);
    return std::string(Buffer, N < sizeof Buffer ? N : 0);
}

std::string TApplication::ExeTitle() const
{
    const std::string Exe = ExeName();
    const std::size_t Cut = Exe.find_last_of("\\/:");
    const std::string Name = Cut == std::string::npos ? Exe : Exe.substr(Cut + 1);
    const std::size_t Dot = Name.find_last_of('.');
    return Dot == std::string::npos ? Name : Name.substr(0, Dot);
}

void TApplication::Run()
{
    while (HandleMessage()) {
    }
}

bool TApplication::HandleMessage()
{
    MSG M;
    const BOOL Got = GetMessageA(&M, nullptr, 0, 0);
    if (Got == 0 || Got == -1) {
        if (Got == 0)
            PostQuitMessage(static_cast<int>(M.wParam));
        return false;
    }
    if (!PreProcessMessage(M)) {
        TranslateMessage(&M);
        DispatchMessageA(&M);
    }
    return true;
}

void TApplication::ProcessMessages()
{
    MSG M;
    while (PeekMessageA(&M, nullptr, 0, 0, PM_REMOVE)) {
        if (M.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(M.wParam));
            return;
        }
        if (!PreProcessMessage(M)) {
            TranslateMessage(&M);
            DispatchMessageA(&M);
        }
    }
}

bool TApplication::PreProcessMessage(MSG& M)
{
    if (M.message == WM_KEYUP || M.message == WM_SYSKEYUP)
        return PreProcessKeyUp(M);
    if (M.message != WM_KEYDOWN && M.message != WM_SYSKEYDOWN)
        return false;
    TWinControl* Target = FindControl(M.hwnd);
    for (HWND W = M.hwnd; !Target && W; W = GetParent(W))
        Target = FindControl(W);
    TForm* Form = nullptr;
    for (TWinControl* C = Target; C; C = C->Parent())
        if (auto* F = dynamic_cast<TForm*>(C))
            Form = F;
    WORD Key = static_cast<WORD>(M.wParam);
    TShiftState Shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        Shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        Shift |= ssCtrl;
    if (M.message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0)
        Shift |= ssAlt;
    bool Consumed = false;
    GuardCall([&] {
        if (Form && Form->KeyPreview && Form->OnKeyDown) {
            Form->OnKeyDown(Form, Key, Shift);
            if (Key == 0) {
                Consumed = true;
                return;
            }
        }
        if (Target && Target != Form && Target->OnKeyDown) {
            Target->OnKeyDown(Target, Key, Shift);
            if (Key == 0) {
                Consumed = true;
                return;
            }
        }
        if (Form && Form->DialogKey(Key, Shift, Target))
            Consumed = true;
    });
    return Consumed;
}

bool TApplication::PreProcessKeyUp(MSG& M)
{
    TForm* Form = nullptr;
    for (HWND W = M.hwnd; W && !Form; W = GetParent(W))
        Form = dynamic_cast<TForm*>(FindControl(W));
    if (!Form || !Form->KeyPreview || !Form->OnKeyUp)
        return false;
    WORD Key = static_cast<WORD>(M.wParam);
    TShiftState Shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        Shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        Shift |= ssCtrl;
    if (M.message == WM_SYSKEYUP || GetKeyState(VK_MENU) < 0)
        Shift |= ssAlt;
    bool Consumed = false;
    GuardCall([&] {
        Form->OnKeyUp(Form, Key, Shift);
        Consumed = Key == 0;
    });
    return Consumed;
}

void TApplication::HelpContext(int Context)
{
    if (OnHelp)
        OnHelp(Context);
}

void TApplication::DestroyLater(TObject* Object)
{
    if (!Object)
        return;
    if (auto* C = dynamic_cast<TControl*>(Object)) {
        C->SetVisible(false);
        C->SetParent(nullptr);
    }
    WhenIdle(Object, [Object] { delete Object; });
}

void TApplication::WhenIdle(const void* Key, std::function<void()> Call)
{
    FIdleCalls.emplace_back(Key, std::move(Call));
    if (FDispatchDepth == 0)
        RunIdleCalls();
}

void TApplication::CancelWhenIdle(const void* Key)
{
    for (auto& Entry : FIdleCalls)
        if (Entry.first == Key)
            Entry.second = nullptr;
}

void TApplication::LeaveDispatch()
{
    if (--FDispatchDepth == 0 && !FIdleCalls.empty())
        RunIdleCalls();
}

void TApplication::RunIdleCalls()
{
    // A call may queue more (a row freeing its editor): they run in this same round.
    // One at a time from the front, so a cancel reaches the calls still waiting.
    ++FDispatchDepth;
    while (!FIdleCalls.empty()) {
        const std::function<void()> Call = std::move(FIdleCalls.front().second);
        FIdleCalls.erase(FIdleCalls.begin());
        if (Call)
            GuardCall(Call);
    }
    --FDispatchDepth;
}

void TApplication::HandleException()
{
    try {
        throw;
    } catch (const std::exception& E) {
        ShowException(E.what());
    } catch (...) {
        ShowException("Unknown exception");
    }
}

void TApplication::ShowException(const std::string& Message)
{
    try {
        if (OnException)
            OnException(Message);
        else
            MessageBoxA(nullptr, Message.c_str(), Title.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
    } catch (...) {
        // The error box itself failed: nothing is left to report it with.
    }
}

void TApplication::ModalShown(HWND Window)
{
    if (ModalHook) {
        const std::function<void(HWND)> Hook = ModalHook;
        GuardCall([&] { Hook(Window); });
    }
}

void TApplication::WatchdogFired(HWND Window)
{
    if (OnWatchdog) {
        const std::function<void(HWND)> Notice = OnWatchdog;
        GuardCall([&] { Notice(Window); });
    }
    PostMessageA(Window, WM_CLOSE, 0, 0);
}

void TApplication::RunSystemModal(const std::function<void()>& Call)
{
    const std::vector<HWND> Before = ThreadDialogs();
    const std::set<HWND> Old(Before.begin(), Before.end());
    auto FindNew = [Old]() -> HWND {
        for (HWND W : ThreadDialogs())
            if (!Old.count(W) && IsWindowVisible(W) && IsWindowEnabled(W))
                return W;
        return nullptr;
    };
    UINT_PTR Hook = 0, Watchdog = 0;
    if (ModalHook) {
        Hook = StartThreadTimer(50, [&Hook, FindNew, this] {
            if (HWND W = FindNew()) {
                StopThreadTimer(Hook);
                Hook = 0;
                ModalShown(W);
            }
        });
    }
    if (WatchdogMs) {
        Watchdog = StartThreadTimer(WatchdogMs, [&Watchdog, FindNew, this] {
            if (HWND W = FindNew())
                WatchdogFired(W);
        });
    }
    ++ModalDepth;
    try {
        Call();
    } catch (...) {
        --ModalDepth;
        StopThreadTimer(Hook);
        StopThreadTimer(Watchdog);
        throw;
    }
    --ModalDepth;
    StopThreadTimer(Hook);
    StopThreadTimer(Watchdog);
}
