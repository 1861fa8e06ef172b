#include "ui_timer.h"

#include <windows.h>

namespace {

// Timers on a message-only window: they tick through whichever message loop runs.
class TWin32TimerService : public TTimerService {
public:
    std::uint32_t Start(std::uint32_t IntervalMs, std::function<void()> Tick) override
    {
        const std::uint32_t Id = FNextId++;
        FTicks[Id] = std::move(Tick);
        SetTimer(Window(), Id, IntervalMs, nullptr);
        return Id;
    }

    void Stop(std::uint32_t Id) override
    {
        if (FWindow)
            KillTimer(FWindow, Id);
        FTicks.erase(Id);
    }

private:
    static LRESULT CALLBACK Proc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam)
    {
        if (Msg == WM_TIMER) {
            auto* Self = reinterpret_cast<TWin32TimerService*>(GetWindowLongPtrA(W, GWLP_USERDATA));
            if (Self) {
                auto It = Self->FTicks.find(static_cast<std::uint32_t>(WParam));
                if (It != Self->FTicks.end()) {
                    const std::function<void()> Tick = It->second;
                    GuardTimerTick(Tick);
                }
            }
            return 0;
        }
        return DefWindowProcA(W, Msg, WParam, LParam);
    }

    HWND Window()
    {
        if (!FWindow) {
            WNDCLASSA Class = {};
            Class.lpfnWndProc = Proc;
            Class.hInstance = GetModuleHandleA(nullptr);
            Class.lpszClassName = "BrindloTimers";
            RegisterClassA(&Class);
            FWindow = CreateWindowExA(0, Class.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      Class.hInstance, nullptr);
            SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        }
        return FWindow;
    }

    HWND FWindow = nullptr;
    std::uint32_t FNextId = 1;
    std::map<std::uint32_t, std::function<void()>> FTicks;
};

} // namespace

TTimerService& SystemTimerService()
{
    static TWin32TimerService Service;
    return Service;
}
