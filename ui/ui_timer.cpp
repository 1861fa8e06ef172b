#include "ui_timer.h"

#include <exception>

namespace {

TTimerService* CurrentService = nullptr;

TTimerTickGuard& TickGuard()
{
    static TTimerTickGuard Guard;
    return Guard;
}

} // namespace

void SetTimerTickGuard(TTimerTickGuard Guard) { TickGuard() = std::move(Guard); }

void GuardTimerTick(const std::function<void()>& Tick)
{
    if (TickGuard()) {
        TickGuard()(Tick);
        return;
    }
    try {
        Tick();
    } catch (...) {
        std::terminate();
    }
}

TTimerService& TimerService() { return CurrentService ? *CurrentService : SystemTimerService(); }

void SetTimerService(TTimerService* Service) { CurrentService = Service; }

std::uint32_t TFakeTimerService::Start(std::uint32_t IntervalMs, std::function<void()> Tick)
{
    const std::uint32_t Id = FNextId++;
    FTimers[Id] = TEntry{IntervalMs == 0 ? 1 : IntervalMs, FNow + (IntervalMs == 0 ? 1 : IntervalMs), std::move(Tick)};
    return Id;
}

void TFakeTimerService::Stop(std::uint32_t Id) { FTimers.erase(Id); }

void TFakeTimerService::Advance(std::uint32_t Ms)
{
    const std::uint64_t Target = FNow + Ms;
    for (;;) {
        auto Next = FTimers.end();
        for (auto It = FTimers.begin(); It != FTimers.end(); ++It)
            if (It->second.Due <= Target && (Next == FTimers.end() || It->second.Due < Next->second.Due))
                Next = It;
        if (Next == FTimers.end())
            break;
        FNow = Next->second.Due;
        Next->second.Due += Next->second.Interval;
        // The tick may stop or start timers, this one included.
        const std::function<void()> Tick = Next->second.Tick;
        Tick();
    }
    FNow = Target;
}

TTimer::~TTimer() { StopService(); }

void TTimer::SetInterval(std::uint32_t Ms)
{
    if (Ms == FInterval)
        return;
    FInterval = Ms;
    Restart();
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    Restart();
}

void TTimer::StopService()
{
    if (FId != 0 && FService)
        FService->Stop(FId);
    FId = 0;
    FService = nullptr;
}

void TTimer::Restart()
{
    StopService();
    if (!FEnabled || FInterval == 0)
        return;
    FService = &TimerService();
    FId = FService->Start(FInterval, [this] {
        if (OnTimer)
            OnTimer(this);
    });
}
