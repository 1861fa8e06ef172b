// The parts of the class layer that need no window: line breaks and timers.
#include "ui_text.h"
#include "ui_timer.h"

#include <gtest/gtest.h>

TEST(NormalizeLineBreaks, EveryKindOfBreakCountsOnce)
{
    const struct {
        const char* In;
        const char* Out;
    } Cases[] = {
        {"a\n\rb", "a\r\nb"}, {"a\r\nb", "a\r\nb"}, {"a\rb", "a\r\nb"},       {"a\nb", "a\r\nb"},
        {"a\n\n", "a\r\n\r\n"}, {"a\n\r\n\rb", "a\r\n\r\nb"}, {"C:\\Tom & Jerry", "C:\\Tom & Jerry"}, {"", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(NormalizeLineBreaks(C.In), C.Out) << C.In;
}

TEST(FakeTimerService, TicksInTimeOrderAndStopsWhenDisabled)
{
    TFakeTimerService Fake;
    SetTimerService(&Fake);
    std::string Log;
    {
        TTimer Fast, Slow;
        Fast.SetInterval(50);
        Slow.SetInterval(120);
        Fast.OnTimer = [&](TObject*) { Log += "f"; };
        Slow.OnTimer = [&](TObject*) { Log += "s"; };
        Fast.SetEnabled(true);
        Slow.SetEnabled(true);
        Fake.Advance(49);
        EXPECT_EQ(Log, "");
        Fake.Advance(201); // now 250: f at 50, 100, 150, 200, 250; s at 120, 240
        EXPECT_EQ(Log, "ffsffsf");
        Fast.SetEnabled(false);
        Fake.Advance(200);
        EXPECT_EQ(Log, "ffsffsfs"); // s at 360
        // A tick that stops its own timer ends it there.
        Slow.OnTimer = [&](TObject* Sender) {
            Log += "x";
            static_cast<TTimer*>(Sender)->SetEnabled(false);
        };
        Fake.Advance(1000);
        EXPECT_EQ(Log, "ffsffsfsx");
    }
    EXPECT_EQ(Fake.ActiveCount(), 0u);
    SetTimerService(nullptr);
}
