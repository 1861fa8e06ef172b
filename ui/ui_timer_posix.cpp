#include "ui_timer.h"

namespace {

// Without a message loop nothing ticks; tests of portable logic use the fake clock.
class TNullTimerService : public TTimerService {
public:
    std::uint32_t Start(std::uint32_t, std::function<void()>) override { return ++FLast; }
    void Stop(std::uint32_t) override {}

private:
    std::uint32_t FLast = 0;
};

} // namespace

TTimerService& SystemTimerService()
{
    static TNullTimerService Service;
    return Service;
}
