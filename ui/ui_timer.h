#pragma once

#include "object.h"

#include <cstdint>
#include <functional>
#include <map>

// Where timers tick: the message loop in the programs, a fake clock in tests.
class TTimerService {
public:
    virtual ~TTimerService() = default;
    // Answers a non-zero id; Tick runs every IntervalMs until Stop.
    virtual std::uint32_t Start(std::uint32_t IntervalMs, std::function<void()> Tick) = 0;
    virtual void Stop(std::uint32_t Id) = 0;
};

// Ticks only when told: Advance(ms) runs every tick that falls due, in time order.
class TFakeTimerService : public TTimerService {
public:
    std::uint32_t Start(std::uint32_t IntervalMs, std::function<void()> Tick) override;
    void Stop(std::uint32_t Id) override;
    void Advance(std::uint32_t Ms);
    std::size_t ActiveCount() const { return FTimers.size(); }
    std::uint64_t Now() const { return FNow; }

private:
    struct TEntry {
        std::uint32_t Interval;
        std::uint64_t Due;
        std::function<void()> Tick;
    };
    std::map<std::uint32_t, TEntry> FTimers;
    std::uint32_t FNextId = 1;
    std::uint64_t FNow = 0;
};

// The service of the running program (SetTimer on Windows; nothing ticks elsewhere).
TTimerService& SystemTimerService();

// Runs a tick of the system service: through the guard that the program's message
// loop set, which shows what the tick raised and lets it go no further. Without a
// guard a raised exception ends the program: it must not unwind through the
// system's frames. An empty guard takes the guard away.
using TTimerTickGuard = std::function<void(const std::function<void()>& Tick)>;
void SetTimerTickGuard(TTimerTickGuard Guard);
void GuardTimerTick(const std::function<void()>& Tick);
TTimerService& TimerService();
// Null puts the system service back.
void SetTimerService(TTimerService* Service);

class TTimer : public TObject {
public:
    TTimer() = default;
    ~TTimer() override;
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    std::uint32_t Interval() const { return FInterval; }
    void SetInterval(std::uint32_t Ms);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TNotifyEvent OnTimer;

private:
    void Restart();
    void StopService();

    std::uint32_t FInterval = 1000;
    bool FEnabled = false;
    std::uint32_t FId = 0;
    TTimerService* FService = nullptr;
};
